#include "provision/ManualRegistration.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/SharedValues.h"
#include "ont/OntRef.h"

namespace tw {

namespace {

const QString ScriptTitle = QStringLiteral("是否要执行以下脚本");

bool confirmAndSend(RegistrationContext &ctx, const QString &script, const QString &logText) {
    if (!ctx.op.askYesNo(script, ScriptTitle)) return false;
    ctx.sink.send(script);
    ctx.log.write(logText);
    return true;
}

QString addLine(PonKind kind, const QString &port, const QString &key) {
    return QStringLiteral("\r\nont add ") + port +
           (kind == PonKind::Gpon ? QStringLiteral(" sn-auth ") : QStringLiteral(" mac-auth ")) + key;
}

} // namespace

QString serialFromCell(const QString &cell) {
    const qsizetype paren = cell.lastIndexOf(QLatin1Char('('));
    return paren < 0 ? cell : trimBlanks(cell.left(paren));
}

bool registerDiscovered(RegistrationContext &ctx, Management how, const DiscoveredRow &row) {
    const std::optional<QString> description = ctx.op.askText(
        QStringLiteral("请输入ONT备注信息\r\n注意：仅支持英文和数字等半角字符，默认为当前日期"),
        QStringLiteral("备注"), ctx.log.dateText());
    if (!description) return false;
    const QString &d = *description;
    const QString portCell = row.cell(1);
    const qsizetype lastSlash = portCell.lastIndexOf(QLatin1Char('/'));
    const QString frameSlot = lastSlash < 0 ? QString() : portCell.left(lastSlash);
    const QString port = portCell.mid(lastSlash + 1);
    row.showPort(portCell.section(QLatin1Char('/'), 0, 0), textBetween(portCell, u"/", u"/"), port);
    const QString key = serialFromCell(row.cell(2));

    const PonKind kind = askPonKind(ctx.op);
    const bool gpon = kind == PonKind::Gpon;
    ctx.shared.ponKindFlag = gpon ? 1 : 0;
    const QString line = ctx.settings.read(gpon ? settings::GponLineProfile : settings::EponLineProfile);
    QString script = QStringLiteral("interface ") + kindWord(kind) + QLatin1Char(' ') + frameSlot +
                     addLine(kind, port, key);
    if (how == Management::Omci) {
        const QString service =
            ctx.settings.read(gpon ? settings::GponServiceProfile : settings::EponServiceProfile);
        script += (gpon ? QStringLiteral(" omci") : QStringLiteral(" oam")) +
                  QStringLiteral(" ont-lineprofile-id ") + line + QStringLiteral(" ont-srvprofile-id ") +
                  service;
    } else {
        script += QStringLiteral(" snmp ont-lineprofile-id ") + line;
    }
    script += QStringLiteral(" desc ") + d + QStringLiteral("\r\n\r\nquit\r\n");
    const QString what = how == Management::Omci ? QStringLiteral("   手动注册ONT，注册到")
                                                 : QStringLiteral("   手动注册ONU，注册到");
    return confirmAndSend(ctx, script, what + portCell + QStringLiteral(" 注册序列号：") + key);
}

QString fetchSerial(RegistrationContext &ctx, const RegisterFields &f) {
    const PonKind kind = askPonKind(ctx.op);
    ctx.shared.ponKindFlag = kind == PonKind::Gpon ? 1 : 0;
    ctx.sink.send(QStringLiteral("interface ") + kindWord(kind) + QLatin1Char(' ') + f.frame +
                  QLatin1Char('/') + f.slot + QStringLiteral("\r\ndisplay ont autofind ") + f.port +
                  QStringLiteral("\r\n     \r\nquit\r\n"));
    return ctx.log.dateText();
}

bool registerManually(RegistrationContext &ctx, const RegisterFields &f) {
    ctx.settings.write(settings::ServiceInnerVlan, f.serviceVlan);
    if (f.frame.isEmpty() || f.slot.isEmpty() || f.port.isEmpty() || f.serial.isEmpty() ||
        f.description.isEmpty()) {
        ctx.op.notice(QStringLiteral("必填项不能为空，请检查后重试！"), DefaultBoxTitle,
                      BoxIcon::Information);
        return false;
    }
    if (f.serviceVlan.isEmpty() || f.serviceVlan == QLatin1String("0")) {
        ctx.op.notice(QStringLiteral("业务内层VLAN输入有误，请重试！"), QStringLiteral("错误"));
        return false;
    }
    const PonKind kind = askPonKind(ctx.op);
    const bool gpon = kind == PonKind::Gpon;
    ctx.shared.ponKindFlag = gpon ? 1 : 0;
    const QString script =
        QStringLiteral("interface ") + kindWord(kind) + QLatin1Char(' ') + f.frame + QLatin1Char('/') +
        f.slot + addLine(kind, f.port, f.serial) + (gpon ? QStringLiteral(" omci") : QStringLiteral(" oam")) +
        QStringLiteral(" ont-lineprofile-id ") + f.lineProfile + QStringLiteral(" ont-srvprofile-id ") +
        f.serviceProfile + QStringLiteral(" desc \"") + f.description + QStringLiteral("\"\r\n\r\nquit\r\n");
    return confirmAndSend(ctx, script,
                          QStringLiteral("   手动注册ONT，注册到") + f.frame + QStringLiteral("框") + f.slot +
                              QStringLiteral("板") + f.port + QStringLiteral(" 注册序列号：") + f.serial +
                              QStringLiteral(" ONT 业务内层VLAN：") + f.serviceVlan +
                              QStringLiteral(" ONT备注：") + f.description);
}

} // namespace tw
