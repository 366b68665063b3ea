#include "provision/BatchRegistration.h"

#include "common/ActivityLog.h"
#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "olt/SharedValues.h"
#include "ont/OntRef.h"
#include "provision/RegistrationInput.h"

#include <QStringList>

#include <algorithm>

namespace tw {

namespace {

constexpr int PreviewCount = 5;
// Far beyond any real numbering, and small enough that start+count never overflows.
constexpr qint64 MaxStart = 999999999;

std::optional<qint64> wholeNumber(const QString &text, qint64 least, qint64 most) {
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < least || value > most) return std::nullopt;
    return value;
}

void refuse(Operator &op, const QString &text) {
    op.notice(text, ErrorBoxTitle, BoxIcon::Warning);
}

QString interfaceLine(PonKind kind, const QString &frame, const QString &slot) {
    return QStringLiteral("interface ") + kindWord(kind) + u' ' + frame + u'/' + slot +
           QStringLiteral("\r\n");
}

// Every code of the batch one LOID or password as the OLT takes it; the notice names the rule
// the codes come from.
bool acceptCodes(Operator &op, const BatchFields &f, const BatchNumbering &n, FieldKind kind) {
    for (int k = 1; k <= n.count; ++k)
        if (!acceptField(op, batchCode(f.rule, f.slot, f.port, n, k), QStringLiteral("注册码规则"), kind))
            return false;
    return true;
}

FieldKind codeKind(const BatchFields &f) {
    return f.mode == QLatin1String("LOID") ? FieldKind::Loid : FieldKind::OntPassword;
}

} // namespace

std::optional<BatchNumbering> batchNumbering(Operator &op, const BatchFields &f) {
    const std::optional<qint64> start = wholeNumber(f.start, 0, MaxStart);
    if (!start) {
        refuse(op, QStringLiteral("起始编号应为0或正整数，请检查后重试！"));
        return std::nullopt;
    }
    const std::optional<qint64> count = wholeNumber(f.count, 1, MaxBatchCount);
    if (!count) {
        refuse(op, QStringLiteral("生成数量应为1到%1之间的整数（每个PON端口最多%1个ONT），请检查后重试！")
                       .arg(MaxBatchCount));
        return std::nullopt;
    }
    return BatchNumbering{*start, int(*count), f.padding};
}

QString batchCode(const QString &rule, const QString &board, const QString &port, const BatchNumbering &n,
                  int k) {
    const int width = n.padding ? int(QString::number(n.start + n.count - 1).size()) : 0;
    const QString number = QStringLiteral("%1").arg(n.start + k - 1, width, 10, QLatin1Char('0'));
    return QString(rule)
        .replace(QStringLiteral("(B)"), board)
        .replace(QStringLiteral("(P)"), port)
        .replace(QStringLiteral("(O)"), number);
}

bool previewBatch(PageContext &c, const BatchFields &f) {
    const std::optional<BatchNumbering> n = batchNumbering(c.op, f);
    if (!n || !acceptCodes(c.op, f, *n, codeKind(f))) return false;
    QString text;
    for (int k = 1; k <= PreviewCount; ++k)
        text +=
            QStringLiteral("注册码：") + batchCode(f.rule, f.slot, f.port, *n, k) + QStringLiteral("\r\n");
    c.op.notice(text);
    return true;
}

bool registerBatch(PageContext &c, const BatchFields &f) {
    if (!checkRegisterTab(c, f.serviceVlan, {f.frame, f.slot, f.port, f.start, f.count, f.rule}))
        return false;
    const bool loid = f.mode == QLatin1String("LOID");
    if (!loid && f.mode != QStringLiteral("密码")) return false; // the group shows for these two only
    if (!acceptPonPort(c.op, f.frame, f.slot, f.port)) return false;
    const std::optional<BatchNumbering> n = batchNumbering(c.op, f);
    // A code is one word of the CLI: a blank would make it several.
    if (!n || !acceptCodes(c.op, f, *n, codeKind(f))) return false;
    const std::optional<QString> description =
        quotedWord(c.op, c.log.dateText() + u'_' + c.settings.read(settings::DefaultDescription),
                   QStringLiteral("默认备注"));
    if (!description) return false;

    const std::optional<PonKind> chosen = askPonKind(c, f.frame + u'/' + f.slot);
    if (!chosen) return false;
    const PonKind kind = *chosen;
    const bool gpon = kind == PonKind::Gpon;
    c.shared.ponKindFlag = gpon ? 1 : 0;
    const QString line = c.settings.read(gpon ? settings::GponLineProfile : settings::EponLineProfile);
    const QString service =
        c.settings.read(gpon ? settings::GponServiceProfile : settings::EponServiceProfile);
    const QString auth = loid ? QStringLiteral(" loid-auth ") : QStringLiteral(" password-auth ");
    const QString tail = (gpon ? QStringLiteral(" always-on omci ont-lineprofile-id ")
                               : QStringLiteral(" always-on oam ont-lineprofile-id ")) +
                         line + QStringLiteral(" ont-srvprofile-id ") + service + QStringLiteral(" desc ") +
                         *description + QStringLiteral("\r\n\r\n");
    const QString logHead = (gpon ? QStringLiteral("   批量注册GPON_ONT，注册到")
                                  : QStringLiteral("   批量注册EPON_ONT，注册到")) +
                            f.frame + QStringLiteral("框") + f.slot + QStringLiteral("板") + f.port +
                            QStringLiteral("端口 注册方式：") + f.mode + QStringLiteral(" 参数：");

    QString script = interfaceLine(kind, f.frame, f.slot);
    QStringList logLines;
    for (int k = 1; k <= n->count; ++k) {
        const QString code = batchCode(f.rule, f.slot, f.port, *n, k);
        script += QStringLiteral("ont add ") + f.port + auth + code + tail;
        logLines << logHead + code + QStringLiteral(" ONT 业务内层VLAN：") + f.serviceVlan;
    }
    script += QStringLiteral("quit\r\n");

    if (!c.op.askYesNo(QStringLiteral("本次注册方式：") + f.mode + QStringLiteral("，注册数量：") + f.count +
                       QStringLiteral("，确实要批量注册？")))
        return false;
    if (!sendOrTell(c.sink, c.op, script)) return false;
    // Only registrations that went out are logged and remembered.
    for (const QString &l : logLines)
        c.log.write(l);
    c.settings.write(settings::NamingRule, f.rule);
    c.settings.write(settings::FirstOntNumber, f.start);
    c.settings.write(settings::Frame, f.frame);
    c.settings.write(settings::Slot, f.slot);
    c.settings.write(settings::Port, f.port);
    storeServiceVlan(c, f.serviceVlan);
    return true;
}

bool confirmAllOnPort(PageContext &c, const ConfirmAllFields &f) {
    if (!acceptPonPort(c.op, f.frame, f.slot, f.port) ||
        !checkFields(c.op, {{f.lineProfile, u"线路模板", FieldKind::ProfileId},
                            {f.serviceProfile, u"业务模板", FieldKind::ProfileId}}))
        return false;
    const std::optional<PonKind> chosen = askPonKind(c, f.frame + u'/' + f.slot);
    if (!chosen) return false;
    const PonKind kind = *chosen;
    const QString how = kind == PonKind::Gpon ? QStringLiteral(" all sn-auth omci ont-lineprofile-id ")
                                              : QStringLiteral(" all mac-auth oam ont-lineprofile-id ");
    return sendOrTell(c.sink, c.op,
                      interfaceLine(kind, f.frame, f.slot) + QStringLiteral("ont confirm ") + f.port + how +
                          f.lineProfile + QStringLiteral(" ont-srvprofile-id ") + f.serviceProfile +
                          QStringLiteral("\r\n\r\nquit\r\n"));
}

} // namespace tw
