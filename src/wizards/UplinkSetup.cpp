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
    if (!acceptFields(c.op, {{in.vlan, field(u"创建VLAN")}})) return false;
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
    if (!requireFilled(c.op, {in.board})) return false;
    if (!acceptFields(c.op, {{in.vlan, field(u"创建VLAN")},
                             {in.board, field(u"端口（上行板号）")},
                             {in.port, field(u"端口（端口号）")}}))
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
    if (!acceptFields(
            c.op,
            {{in.board, field(u"NativeVLAN上行板号")}, {in.port, field(u"端口")}, {in.vlan, field(u"VLAN")}}))
        return false;
    // The port line belongs to the interface mode: a board that line cannot take would leave it to
    // configuration mode, and the closing "quit" would leave that.
    if (!isBoardRef(in.board)) {
        c.op.notice(QStringLiteral("上行板应为“框/槽”，例如 0/19，命令没有发送！"), ErrorBoxTitle,
                    BoxIcon::Warning);
        return false;
    }
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
    if (!acceptFields(c.op, {{vlan, field(u"删除VLAN")}})) return false;
    if (!c.op.askDestructive(QStringLiteral("确实要删除 VLAN：") + vlan + QStringLiteral(" 吗？")))
        return false;
    return sendOrTell(c.sink, c.op, QStringLiteral("undo vlan ") + vlan + Confirmed);
}

bool removeUplinkPort(PageContext &c, const UplinkPortVlan &in) {
    if (!acceptFields(
            c.op,
            {{in.vlan, field(u"删除VLAN")}, {in.board, field(u"删除上行板号")}, {in.port, field(u"端口号")}}))
        return false;
    return sendOrTell(c.sink, c.op,
                      QStringLiteral("undo port vlan ") + in.vlan + u' ' + in.board + u' ' + in.port +
                          Confirmed);
}

} // namespace tw
