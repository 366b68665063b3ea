#include "wizards/UplinkSetup.h"

#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "wizards/FormChecks.h"

namespace tw {

namespace {

const QString Confirmed = QStringLiteral("\r\ny\r\n\r\n"); // the OLT asks before VLAN changes

QString field(const char16_t *name) {
    return QString::fromUtf16(name);
}

} // namespace

QString vlanAttributeWord(const QString &attribute) {
    if (attribute == u"Common") return QStringLiteral("common");
    if (attribute == u"QinQ") return QStringLiteral("q-in-q");
    if (attribute == u"Stacking") return QStringLiteral("stacking");
    return {};
}

bool createVlan(PageContext &c, const VlanCreation &in) {
    if (!requireFilled(c.op, {in.vlan})) return false;
    if (!acceptField(c.op, in.vlan, field(u"创建VLAN"), FieldKind::Vlan)) return false;
    // The description is one word of the command: quoted, so blanks stay inside it.
    QString description;
    if (!in.description.isEmpty()) {
        const std::optional<QString> quoted = quotedWord(c.op, in.description, field(u"备注"));
        if (!quoted) return false;
        description = QStringLiteral("vlan desc ") + in.vlan + QStringLiteral(" description ") + *quoted +
                      QStringLiteral("\r\n");
    }
    if (!c.op.askOkCancel(AdvancedQuestion)) return false;
    const QString script = QStringLiteral("vlan ") + in.vlan + u' ' + in.type + Confirmed +
                           QStringLiteral("vlan attrib ") + in.vlan + u' ' + vlanAttributeWord(in.attribute) +
                           Confirmed + description;
    if (!sendOrTell(c.sink, c.op, script)) return false;
    c.settings.write(settings::CreateVlan, in.vlan);
    return true;
}

bool addUplinkPort(PageContext &c, const UplinkPortVlan &in) {
    if (!requireFilled(c.op, {in.vlan, in.board})) return false;
    if (!checkFields(c.op, {{in.vlan, u"创建VLAN", FieldKind::Vlan},
                            {in.board, u"端口（上行板号）", FieldKind::Board},
                            {in.port, u"端口（端口号）", FieldKind::PortSpan}}))
        return false;
    if (!c.op.askOkCancel(AdvancedQuestion)) return false;
    if (!sendOrTell(c.sink, c.op,
                    QStringLiteral("port vlan ") + in.vlan + u' ' + in.board + u' ' + in.port + Confirmed))
        return false;
    c.settings.write(settings::PassThroughBoard, in.board);
    c.settings.write(settings::CreatePort, in.port);
    return true;
}

bool setNativeVlan(PageContext &c, const NativeVlanSetting &in) {
    if (!requireFilled(c.op, {in.board, in.vlan})) return false;
    // The port line belongs to the interface mode: a board that line cannot take would leave it to
    // configuration mode, and the closing "quit" would leave that.
    if (!checkFields(c.op, {{in.board, u"NativeVLAN上行板号", FieldKind::Board},
                            {in.port, u"端口", FieldKind::PortSpan},
                            {in.vlan, u"VLAN", FieldKind::Vlan}}))
        return false;
    if (!c.op.askOkCancel(AdvancedQuestion)) return false;
    const QString script = QStringLiteral("interface ") + in.type + u' ' + in.board +
                           QStringLiteral("\r\nnative-vlan ") + in.port + QStringLiteral(" vlan ") + in.vlan +
                           QStringLiteral("\r\nquit\r\n");
    if (!sendOrTell(c.sink, c.op, script)) return false;
    c.settings.write(settings::UplinkBoard, in.board);
    c.settings.write(settings::UplinkPort, in.port);
    c.settings.write(settings::NativeVlan, in.vlan);
    return true;
}

bool deleteVlan(PageContext &c, const QString &vlan) {
    if (!requireFilled(c.op, {vlan})) return false;
    if (!acceptField(c.op, vlan, field(u"删除VLAN"), FieldKind::Vlan)) return false;
    if (!c.op.askDestructive(QStringLiteral("确实要删除 VLAN：") + vlan + QStringLiteral(" 吗？")))
        return false;
    return sendOrTell(c.sink, c.op, QStringLiteral("undo vlan ") + vlan + Confirmed);
}

bool removeUplinkPort(PageContext &c, const UplinkPortVlan &in) {
    if (!requireFilled(c.op, {in.vlan, in.board, in.port})) return false;
    if (!checkFields(c.op, {{in.vlan, u"删除VLAN", FieldKind::Vlan},
                            {in.board, u"删除上行板号", FieldKind::Board},
                            {in.port, u"端口号", FieldKind::PortSpan}}))
        return false;
    return sendOrTell(c.sink, c.op,
                      QStringLiteral("undo port vlan ") + in.vlan + u' ' + in.board + u' ' + in.port +
                          Confirmed);
}

} // namespace tw
