#include "wizards/Commissioning.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "wizards/ServiceTemplates.h"

#include <cmath>

namespace tw {

namespace {

const QString EnabledTitle = QStringLiteral("使能");

QString name(const char16_t *field) {
    return QString::fromUtf16(field);
}

// The leading decimal number of the text, fraction included ("48.5MB" -> 48.5); 0 when none.
double leadingNumber(const QString &text) {
    const QString t = trimBlanks(text);
    qsizetype end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+')) ++end;
    const auto digits = [&] {
        while (end < t.size() && t[end] >= u'0' && t[end] <= u'9')
            ++end;
    };
    digits();
    if (end < t.size() && t[end] == u'.') {
        ++end;
        digits();
    }
    return t.left(end).toDouble(); // "", "-" and "." give 0
}

// The VLAN of the service group, created on the uplink, unless it is VLAN 1 or switched off.
bool withOuterVlan(const CommissioningInput &in) {
    return in.createOuterVlan && in.outerVlan != u"1";
}

QString uplinkVlan(const QString &vlan, const QString &board, const QString &port) {
    return QStringLiteral("vlan ") + vlan + QStringLiteral(" smart\r\ny\r\n\r\nport vlan ") + vlan + u' ' +
           board + u' ' + port + QStringLiteral("\r\ny\r\n\r\n");
}

// "ETH 端口": ONT Ethernet port numbers, comma-separated; empty for none.
bool ethPortsOk(Operator &op, const QString &typed) {
    return acceptList(op, typed, QStringLiteral("ETH 端口"), FieldKind::Number).has_value();
}

} // namespace

int dbaMaxBandwidth(const QString &megabits) {
    const double kbits = std::trunc(leadingNumber(megabits) * 1024);
    if (kbits < 50000) return 51200;
    return kbits >= 2147483647.0 ? 2147483647 : static_cast<int>(kbits);
}

QString commissioningScript(const CommissioningInput &in) {
    QString script = serviceTemplate();
    script.replace(ServiceEthRow, ethTranslationLines(ethPorts(in.ethPorts), QStringLiteral("*业务内层*")));
    script.replace(QStringLiteral("max 102400"),
                   QStringLiteral("max ") + QString::number(dbaMaxBandwidth(in.maxBandwidth)));
    const ProfileIds &p = in.profiles;
    script = fillPlaceholders(script, {{QStringLiteral("*dba4*"), in.dbaProfile},
                                       {QStringLiteral("*业务内层*"), in.innerVlan},
                                       {QStringLiteral("*gxl*"), p.gponLine},
                                       {QStringLiteral("*gyw*"), p.gponService},
                                       {QStringLiteral("*gdba*"), p.gponDba},
                                       {QStringLiteral("*exl*"), p.eponLine},
                                       {QStringLiteral("*eyw*"), p.eponService},
                                       {QStringLiteral("*edba*"), p.eponDba}});
    if (withOuterVlan(in)) {
        script += uplinkVlan(in.outerVlan, in.uplinkBoard, in.uplinkPort) + QStringLiteral("vlan desc ") +
                  in.outerVlan + QStringLiteral(" description PPPOE\r\n");
        if (in.qinq)
            script += QStringLiteral("vlan attrib ") + in.outerVlan + QStringLiteral(" q-in-q\r\ny\r\n\r\n");
    }
    return script;
}

QString iptvScript(const IptvInput &in) {
    QString script = uplinkVlan(in.vodOuterVlan, in.uplinkBoard, in.uplinkPort) +
                     uplinkVlan(in.multicastVlan, in.uplinkBoard, in.uplinkPort) +
                     QStringLiteral("vlan desc ") + in.vodOuterVlan +
                     QStringLiteral(" description IPTV_DIANBO\r\nvlan desc ") + in.multicastVlan +
                     QStringLiteral(" description IPTV_ZUBO\r\n") + iptvTemplate();
    script.replace(IptvEthRow, ethTranslationLines(ethPorts(in.ethPorts), QStringLiteral("*点播内层*")));
    return fillPlaceholders(script, {{QStringLiteral("*点播内层*"), in.vodInnerVlan},
                                     {QStringLiteral("*gxl*"), in.gponLine},
                                     {QStringLiteral("*gyw*"), in.gponService},
                                     {QStringLiteral("*组播VLAN*"), in.multicastVlan},
                                     {QStringLiteral("*组播上行*"), in.uplinkBoard + u'/' + in.uplinkPort}});
}

bool runCommissioning(PageContext &c, const CommissioningInput &in) {
    const ProfileIds &p = in.profiles;
    if (!checkFields(c.op, {{p.gponLine, u"线路模板GPON", FieldKind::ProfileId},
                            {p.gponService, u"业务模板GPON", FieldKind::ProfileId},
                            {p.eponLine, u"线路模板EPON", FieldKind::ProfileId},
                            {p.eponService, u"业务模板EPON", FieldKind::ProfileId},
                            {p.gponDba, u"GPON DBA_ID", FieldKind::DbaProfileId},
                            {p.eponDba, u"EPON DBA_ID", FieldKind::DbaProfileId},
                            {in.dbaProfile, u"DBA_模板ID", FieldKind::DbaProfileId},
                            {in.innerVlan, u"业务内层", FieldKind::Vlan}}) ||
        !ethPortsOk(c.op, in.ethPorts))
        return false;
    if (withOuterVlan(in) && !checkFields(c.op, {{in.outerVlan, u"业务外层", FieldKind::Vlan},
                                                 {in.uplinkBoard, u"上行板号", FieldKind::Board},
                                                 {in.uplinkPort, u"上行端口", FieldKind::Port}}))
        return false;
    // Stored even when no VLAN is made of it: it must still be text config.ini can hold.
    if (!acceptTyped(c.op, in.outerVlan, name(u"业务外层"))) return false;
    // Over an OLT that holds data, commissioning writes a whole configuration.
    if (!c.op.askDestructive(CommissioningQuestion, DefaultBoxTitle, BoxIcon::Question,
                             QuestionButtons::OkCancel))
        return false;
    if (!sendOrTell(c.sink, c.op, commissioningScript(in))) return false;
    c.settings.write(settings::ServiceOuterVlan, in.outerVlan);
    c.settings.write(settings::ServiceInnerVlan, in.innerVlan);
    return true;
}

bool runIptv(PageContext &c, const IptvInput &in) {
    if (!checkFields(c.op, {{in.gponLine, u"线路模板GPON", FieldKind::ProfileId},
                            {in.gponService, u"业务模板GPON", FieldKind::ProfileId},
                            {in.vodOuterVlan, u"点播外层", FieldKind::Vlan},
                            {in.vodInnerVlan, u"点播内层", FieldKind::Vlan},
                            {in.multicastVlan, u"组播VLAN", FieldKind::Vlan},
                            {in.uplinkBoard, u"上行板号", FieldKind::Board},
                            {in.uplinkPort, u"上行端口", FieldKind::Port}}) ||
        !ethPortsOk(c.op, in.ethPorts))
        return false;
    if (!sendOrTell(c.sink, c.op, iptvScript(in))) return false;
    c.settings.write(settings::MulticastVlan, in.multicastVlan);
    c.settings.write(settings::IptvOuterVlan, in.vodOuterVlan);
    c.settings.write(settings::IptvInnerVlan, in.vodInnerVlan);
    return true;
}

bool enableOntInterworking(PageContext &c) {
    const std::optional<QString> vlans =
        c.op.askText(QStringLiteral("请输入互通 ONT VLAN ID\r\n多个VLAN用-隔离，例如 200-202"),
                     DefaultBoxTitle, QStringLiteral("200"));
    if (!vlans || !acceptField(c.op, *vlans, QStringLiteral("互通 ONT VLAN ID"), FieldKind::VlanSpan)) return false;
    return sendLogNotify(
        c,
        QStringLiteral("vlan service-profile profile-id 1\r\n\r\nuser-bridging enable\r\n\r\n"
                       "commit\r\nquit\r\nvlan bind service-profile ") +
            *vlans + QStringLiteral(" profile-id 1\r\n"),
        {}, QStringLiteral("已使能ONT互通功能，请在命令行查看结果！"), EnabledTitle);
}

bool enableVoiceArpProxy(PageContext &c) {
    const std::optional<QString> vlan =
        c.op.askText(QStringLiteral("请输入语音VLAN"), DefaultBoxTitle, QStringLiteral("300"));
    if (!vlan || !acceptField(c.op, *vlan, QStringLiteral("语音VLAN"), FieldKind::Vlan)) return false;
    return sendLogNotify(c,
                         QStringLiteral("arp proxy enable\r\ninterface vlanif ") + *vlan +
                             QStringLiteral("\r\narp proxy enable\r\n\r\nquit\r\n"),
                         {}, QStringLiteral("已使能ARP Proxy功能，请在命令行查看结果！"), EnabledTitle);
}

} // namespace tw
