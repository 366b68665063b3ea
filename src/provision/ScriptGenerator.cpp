#include "provision/ScriptGenerator.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "olt/SharedValues.h"
#include "ont/OntRef.h"
#include "provision/ManualRegistration.h"
#include "provision/RegistrationInput.h"

#include <algorithm>
#include <initializer_list>

namespace tw {

namespace {

const QString Gap = QStringLiteral("\r\n\r\n");

bool hasOntId(Operator &op, const OltSideFields &f) {
    if (!f.ontId.isEmpty()) return true;
    op.notice(QStringLiteral("ONU编号不能为空，请输入，格式：0-127"));
    return false;
}

QString interfaceHead(const OltSideFields &f) {
    return QStringLiteral("interface ") + kindWord(f.gpon ? PonKind::Gpon : PonKind::Epon) + u' ' + f.frame +
           u'/' + f.slot + Gap;
}

const QString InterfaceEnd = QStringLiteral("\r\n\r\nquit\r\n\r\n");

} // namespace

std::optional<QString> registrationScript(Operator &op, const OltSideFields &f) {
    if (f.serial.isEmpty()) {
        op.notice(QStringLiteral("序列号不能为空，请获取或手工录入"));
        return std::nullopt;
    }
    if (!acceptPonPort(op, f.frame, f.slot, f.port) ||
        !checkFields(op, {{f.serial, u"序列号", f.gpon ? FieldKind::Serial : FieldKind::Mac},
                          {f.lineProfile, u"线路模版", FieldKind::ProfileId}}) ||
        // Without an id the OLT picks the next free one.
        (!f.ontId.isEmpty() && !acceptField(op, f.ontId, QStringLiteral("ONU编号"), FieldKind::OntId)) ||
        (!f.snmp && !acceptField(op, f.serviceProfile, QStringLiteral("业务模版"), FieldKind::ProfileId)))
        return std::nullopt;
    // "desc" without a text makes the OLT refuse the whole line, so an empty 备注 leaves it out.
    QString description;
    if (!f.description.isEmpty()) {
        const std::optional<QString> word = oneWord(op, f.description, QStringLiteral("备注"));
        if (!word) return std::nullopt;
        description = QStringLiteral(" desc ") + *word;
    }
    QString line = QStringLiteral("ont add ") + f.port + u' ' + f.ontId +
                   (f.gpon ? QStringLiteral(" sn-auth ") : QStringLiteral(" mac-auth ")) + f.serial;
    if (f.snmp)
        line += QStringLiteral(" snmp ont-lineprofile-id ") + f.lineProfile;
    else
        line += (f.gpon ? QStringLiteral(" omci") : QStringLiteral(" oam")) +
                QStringLiteral(" ont-lineprofile-id ") + f.lineProfile +
                QStringLiteral(" ont-srvprofile-id ") + f.serviceProfile;
    return interfaceHead(f) + line + description + InterfaceEnd;
}

std::optional<QString> managementIpScript(Operator &op, const OltSideFields &f) {
    if (!hasOntId(op, f) || !acceptPonPort(op, f.frame, f.slot, f.port) ||
        !checkFields(op, {{f.ontId, u"ONU编号", FieldKind::OntId},
                          {f.ip, u"IP地址", FieldKind::Ipv4},
                          {f.mask, u"子网掩码", FieldKind::Ipv4},
                          {f.gateway, u"网关", FieldKind::Ipv4},
                          {f.managementVlan, u"管理VLAN", FieldKind::Vlan}}))
        return std::nullopt;
    return interfaceHead(f) + QStringLiteral("ont ipconfig ") + f.port + u' ' + f.ontId +
           QStringLiteral(" static ip-address ") + f.ip + QStringLiteral(" mask ") + f.mask +
           QStringLiteral(" gateway ") + f.gateway +
           (f.gpon ? QStringLiteral(" vlan ") : QStringLiteral(" manage-vlan ")) + f.managementVlan +
           InterfaceEnd;
}

std::optional<QString> serviceFlowScript(Operator &op, const OltSideFields &f) {
    const bool inner = f.qinq && !f.cvlan.isEmpty();
    if (!hasOntId(op, f) || !acceptPonPort(op, f.frame, f.slot, f.port) ||
        !checkFields(op, {{f.ontId, u"ONU编号", FieldKind::OntId},
                          {f.svlan, u"SVLAN", FieldKind::Vlan},
                          {f.uvlan, u"UVLAN", FieldKind::Vlan}}) ||
        (f.gpon && !acceptField(op, f.gemPort, QStringLiteral("GemPort"), FieldKind::GemPort)) ||
        (inner && !acceptField(op, f.cvlan, QStringLiteral("CVLAN"), FieldKind::Vlan)))
        return std::nullopt;
    const QString tail = inner ? QStringLiteral(" tag-transform translate-and-add inner-vlan ") + f.cvlan +
                                     QStringLiteral(" inner-priority 0")
                               : QStringLiteral(" rx-cttr 6 tx-cttr 6");
    const QString where = f.frame + u'/' + f.slot + u'/' + f.port + QStringLiteral(" ont ") + f.ontId;
    return QStringLiteral("service-port vlan ") + f.svlan +
           (f.gpon ? QStringLiteral(" gpon  ") + where + QStringLiteral(" gemport ") + f.gemPort
                   : QStringLiteral(" epon  ") + where) +
           QStringLiteral(" multi-service user-vlan ") + f.uvlan + tail + Gap;
}

std::optional<QString> onuSideScript(Operator &op, const OnuSideFields &f, OnuFlowStyle style) {
    // The user and password are lines of the ONU's login; the rest are words of its CLI.
    if (!checkFields(op, {{f.ip, u"ONU IP", FieldKind::Ipv4},
                          {f.user, u"帐号", FieldKind::Word},
                          {f.password, u"密码", FieldKind::Text},
                          {f.vlan, u"VLAN", FieldKind::Vlan},
                          {f.uplinkBoard, u"上联板", FieldKind::Board},
                          {f.uplinkPort, u"端口", FieldKind::Port},
                          {f.serviceBoard, u"业务板", FieldKind::Board},
                          {f.portRange, u"端口", FieldKind::Word}}) ||
        (!f.uvlan.isEmpty() && !acceptField(op, f.uvlan, QStringLiteral("UVLAN"), FieldKind::Vlan)) ||
        (f.bridging && !checkFields(op, {{f.templateId, u"模版ID", FieldKind::Number},
                                         {f.bridgingVlans, u"互通VLAN", FieldKind::VlanSpan}})))
        return std::nullopt;
    const QString userVlan = f.uvlan.isEmpty() ? QStringLiteral("untagged") : f.uvlan;
    const QString service =
        style == OnuFlowStyle::A
            ? Gap + QStringLiteral("service-port vlan ") + f.vlan + QStringLiteral(" eth ") + f.serviceBoard +
                  u'/' + f.portRange + QStringLiteral(" multi-service user-vlan ") + userVlan
            : Gap + QStringLiteral("multi-service-port vlan ") + f.vlan + QStringLiteral(" port ") +
                  f.serviceBoard + u' ' + f.portRange + QStringLiteral(" user-vlan ") + userVlan;
    const QString bridging =
        f.bridging ? QStringLiteral("vlan service-profile profile-id ") + f.templateId +
                         QStringLiteral("\r\n\r\nuser-bridging enable\r\n\r\ncommit\r\n\r\nquit\r\n\r\n"
                                        "vlan bind service-profile ") +
                         f.bridgingVlans + QStringLiteral(" profile-id ") + f.templateId + Gap
                   : QString();
    return QStringLiteral("telnet ") + f.ip + Gap + f.user + QStringLiteral("\r\n") + f.password +
           QStringLiteral("\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\nvlan ") + f.vlan +
           QStringLiteral(" smart\r\nport vlan ") + f.vlan + u' ' + f.uplinkBoard + u' ' + f.uplinkPort +
           service + QStringLiteral(" rx-cttr 6 tx-cttr 6\r\n\r\ny\r\n\r\n") + bridging +
           QStringLiteral("quit\r\nquit\r\ny\r\n\r\n");
}

bool fetchGeneratorSerial(PageContext &c, const OltSideFields &f) {
    if (!acceptPonPort(c.op, f.frame, f.slot, f.port)) return false;
    c.shared.ponKindFlag = f.gpon ? 1 : 0;
    return sendOrTell(c.sink, c.op,
                      autofindScript(f.gpon ? PonKind::Gpon : PonKind::Epon, f.frame, f.slot, f.port));
}

} // namespace tw
