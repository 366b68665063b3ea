#include "provision/ManualRegistration.h"

#include "common/ActivityLog.h"
#include "common/GridModel.h"
#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/SharedValues.h"
#include "ont/OntRef.h"
#include "provision/RegistrationInput.h"

namespace tw {

namespace {

const QString ScriptTitle = QStringLiteral("是否要执行以下脚本");

bool confirmAndSend(RegistrationContext &ctx, const QString &script, const QString &logText) {
    if (!ctx.op.askYesNo(script, ScriptTitle)) return false;
    if (!sendOrTell(ctx.sink, ctx.op, script)) return false;
    ctx.log.write(logText);
    return true;
}

// The ONT id in the answer to "ont add" ("ONTID :3", "ONT号 :3"); empty when it shows none.
QString addedOntId(const QString &answer) {
    for (const char16_t *marker : {u"ONTID :", u"ONT号 :"}) {
        const qsizetype at = answer.indexOf(QStringView(marker));
        if (at < 0) continue;
        qsizetype end = at + QStringView(marker).size();
        const qsizetype from = end;
        while (end < answer.size() && answer[end].isDigit())
            ++end;
        return answer.mid(from, end - from);
    }
    return {};
}

QString addLine(PonKind kind, const QString &port, const QString &key) {
    return QStringLiteral("\r\nont add ") + port +
           (kind == PonKind::Gpon ? QStringLiteral(" sn-auth ") : QStringLiteral(" mac-auth ")) + key;
}

} // namespace

bool showDiscoveryStatus(GridModel &discovery, const QString &port, const QString &key,
                         const QString &status) {
    bool found = false;
    for (int r = 0; r < discovery.count(); ++r) {
        if (discovery.cellView(r, 1) != port || serialFromCell(discovery.cell(r, 2)) != key) continue;
        discovery.setCell(r, DiscoveryStatusColumn, status);
        found = true;
    }
    return found;
}

QString registrationStatus(const ScriptOutcome &outcome) {
    if (outcome.status == ScriptOutcome::Failed) {
        const LineAnswer *failed = outcome.firstFailure();
        return QStringLiteral("注册失败：") + (failed ? failed->failure : outcome.reason);
    }
    if (!outcome.ok()) return outcome.summary(); // cut short: a drop, 中断, no answer
    // The id may come after the line that answers the command's "{ <cr>||<K> }:" question.
    QString answer;
    for (const LineAnswer &line : outcome.lines)
        if (line.command.trimmed().startsWith(QStringLiteral("ont add"))) answer += line.text();
    const QString id = addedOntId(answer);
    return id.isEmpty() ? QStringLiteral("已注册") : QStringLiteral("已注册，ONT编号：") + id;
}

QString autofindScript(PonKind kind, const QString &frame, const QString &slot, const QString &port) {
    return QStringLiteral("interface ") + kindWord(kind) + QLatin1Char(' ') + frame + QLatin1Char('/') +
           slot + QStringLiteral("\r\ndisplay ont autofind ") + port +
           QStringLiteral("\r\n     \r\nquit\r\n");
}

QString serialFromCell(const QString &cell) {
    const qsizetype paren = cell.lastIndexOf(QLatin1Char('('));
    return paren < 0 ? cell : trimBlanks(cell.left(paren));
}

bool registerDiscovered(RegistrationContext &ctx, Management how, const DiscoveredRow &row) {
    const std::optional<QString> description = ctx.op.askText(
        QStringLiteral("请输入ONT备注信息\r\n注意：仅支持英文和数字等半角字符，默认为当前日期"),
        QStringLiteral("备注"), ctx.log.dateText());
    if (!description) return false;
    const std::optional<QString> word = oneWord(ctx.op, *description, QStringLiteral("备注"));
    if (!word) return false;
    const QString &d = *word;
    const QString portCell = row.cell(1);
    const qsizetype lastSlash = portCell.lastIndexOf(QLatin1Char('/'));
    const QString frameSlot = lastSlash < 0 ? QString() : portCell.left(lastSlash);
    const QString port = portCell.mid(lastSlash + 1);
    row.showPort(portCell.section(QLatin1Char('/'), 0, 0), textBetween(portCell, u"/", u"/"), port);
    const QString key = serialFromCell(row.cell(2));

    const std::optional<PonKind> chosen = askPonKind(ctx, frameSlot);
    if (!chosen) return false;
    const PonKind kind = *chosen;
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
    if (!ctx.op.askYesNo(script, ScriptTitle)) return false;
    // The row tells what became of it: the OLT's answer is read, and nothing after a failed line goes.
    const auto show = [status = row.showStatus, portCell, key](const QString &text) {
        if (status) status(portCell, key, text);
    };
    show(QStringLiteral("注册中…"));
    const bool sent = runOrTell(
        ctx.sink, ctx.op, script, [show](const ScriptOutcome &o) { show(registrationStatus(o)); },
        RunOptions{true, true});
    if (!sent) {
        show(QString());
        return false;
    }
    ctx.log.write(what + portCell + QStringLiteral(" 注册序列号：") + key);
    return true;
}

std::optional<QString> fetchSerial(RegistrationContext &ctx, const RegisterFields &f) {
    if (!acceptPonPort(ctx.op, f.frame, f.slot, f.port)) return std::nullopt;
    const std::optional<PonKind> kind = askPonKind(ctx, f.frame + u'/' + f.slot);
    if (!kind) return std::nullopt;
    ctx.shared.ponKindFlag = kind == PonKind::Gpon ? 1 : 0;
    if (!sendOrTell(ctx.sink, ctx.op, autofindScript(*kind, f.frame, f.slot, f.port))) return std::nullopt;
    return ctx.log.dateText();
}

bool registerManually(RegistrationContext &ctx, const RegisterFields &f) {
    if (!checkRegisterTab(ctx, f.serviceVlan, {f.frame, f.slot, f.port, f.serial, f.description}))
        return false;
    if (!acceptPonPort(ctx.op, f.frame, f.slot, f.port) ||
        !checkFields(ctx.op, {{f.lineProfile, u"线路模版", FieldKind::ProfileId},
                              {f.serviceProfile, u"业务模版", FieldKind::ProfileId}}))
        return false;
    const std::optional<QString> description = quotedWord(ctx.op, f.description, QStringLiteral("终端备注"));
    if (!description) return false;
    const std::optional<PonKind> chosen = askPonKind(ctx, f.frame + u'/' + f.slot);
    if (!chosen) return false;
    const PonKind kind = *chosen;
    const bool gpon = kind == PonKind::Gpon;
    // The box holds an SN for a GPON board and a MAC for an EPON one.
    if (!acceptField(ctx.op, f.serial, QStringLiteral("序列号"), gpon ? FieldKind::Serial : FieldKind::Mac))
        return false;
    ctx.shared.ponKindFlag = gpon ? 1 : 0;
    const QString script =
        QStringLiteral("interface ") + kindWord(kind) + QLatin1Char(' ') + f.frame + QLatin1Char('/') +
        f.slot + addLine(kind, f.port, f.serial) + (gpon ? QStringLiteral(" omci") : QStringLiteral(" oam")) +
        QStringLiteral(" ont-lineprofile-id ") + f.lineProfile + QStringLiteral(" ont-srvprofile-id ") +
        f.serviceProfile + QStringLiteral(" desc ") + *description + QStringLiteral("\r\n\r\nquit\r\n");
    if (!confirmAndSend(ctx, script,
                          QStringLiteral("   手动注册ONT，注册到") + f.frame + QStringLiteral("框") + f.slot +
                              QStringLiteral("板") + f.port + QStringLiteral(" 注册序列号：") + f.serial +
                              QStringLiteral(" ONT 业务内层VLAN：") + f.serviceVlan +
                              QStringLiteral(" ONT备注：") + f.description))
        return false;
    storeServiceVlan(ctx, f.serviceVlan);
    return true;
}

} // namespace tw
