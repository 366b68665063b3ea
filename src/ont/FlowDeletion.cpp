#include "ont/FlowDeletion.h"

#include "common/ActivityLog.h"
#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "ont/OntLifecycle.h"

namespace tw {

namespace {

const QString DeletionTitle = QStringLiteral("删除");
const QString EmptyIndex = QStringLiteral("索引ID为空，程序不执行删除操作！");
const QString EmptyVlan = QStringLiteral("VLAN为空，程序不执行删除操作！");

QString multicast(const QString &command) {
    return QStringLiteral("btv\r\n") + command + QStringLiteral("\r\ny\r\n\r\nquit\r\n");
}

// The typed key, checked as `kind`; nullopt ends the operation (Cancel, empty, or not a key of
// that kind).
std::optional<QString> typedKey(PageContext &c, const QString &prompt, const QString &title,
                                const QString &field, const QString &emptyNotice, FieldKind kind) {
    const std::optional<QString> typed = c.op.askText(prompt, title);
    if (!typed) return std::nullopt;
    if (typed->isEmpty()) {
        c.op.notice(emptyNotice, DeletionTitle);
        return std::nullopt;
    }
    if (kind != FieldKind::Text && !acceptField(c.op, *typed, field, kind)) return std::nullopt;
    return typed;
}

bool byIndex(PageContext &c, const OntRef &) {
    const QString field = QStringLiteral("索引ID");
    const std::optional<QString> typed =
        typedKey(c, QStringLiteral("注意：若多条业务流存在多个索引ID请用半角逗号隔开\r\n例如：100,101,102"),
                 field, field, EmptyIndex, FieldKind::Text);
    if (!typed) return false;
    if (splitCommaList(*typed).isEmpty()) { // only commas and blanks: nothing to delete
        c.op.notice(EmptyIndex, DeletionTitle);
        return false;
    }
    const std::optional<QStringList> indexes = acceptList(c.op, *typed, field, FieldKind::ServicePort);
    if (!indexes) return false;
    QString script;
    for (const QString &index : *indexes)
        script += QStringLiteral("undo service-port ") + index + QStringLiteral("\r\n\r\n");
    if (!sendOrTell(c.sink, c.op, script)) return false;
    c.op.notice(QStringLiteral("已执行删除索引命令，请在命令行查看结果！"), DeletionTitle);
    return true;
}

bool byVlan(PageContext &c, const OntRef &) {
    const std::optional<QString> vlan =
        typedKey(c, QStringLiteral("请输入要删除的业务流VLAAN！"), QStringLiteral("业务VLAN"),
                 QStringLiteral("业务VLAN"), EmptyVlan, FieldKind::Vlan);
    if (!vlan) return false;
    // Every service port of the VLAN goes: say so first.
    if (!c.op.askDestructive(QStringLiteral("确实要批量删除 VLAN：") + *vlan +
                             QStringLiteral(" 下的所有业务虚端口？")))
        return false;
    if (c.settings.isOn(settings::Iptv)) {
        if (!c.op.askDestructive(MulticastQuestion)) return false;
        if (!sendOrTell(c.sink, c.op, multicast(QStringLiteral("igmp user  delete  smart-vlan ") + *vlan)))
            return false;
    }
    if (!sendOrTell(c.sink, c.op,
                    QStringLiteral("undo service-port vlan ") + *vlan + QStringLiteral("\r\n\r\n\r\n")))
        return false;
    c.op.notice(QStringLiteral("已执行VLAN删除业务流命令，请在命令行查看结果！"), DeletionTitle);
    return true;
}

// By the row's port or board: with IPTV on, the multicast users may go first.
bool servicePortsOf(PageContext &c, const OntRef &o, bool port) {
    if (!c.op.askDestructive(port ? fillRow(u"确实要批量删除 框/槽/端口：%P 下的所有业务虚端口？", o)
                                  : fillRow(u"确实要批量删除 框/槽：%B 业务板下的所有ONT及业务虚端口？", o)))
        return false;
    if (!multicastUsersFirst(c, o, !port)) return false;
    const QString script = port ? QStringLiteral("undo service-port port ") + o.port
                                : QStringLiteral("undo service-port board ") + o.board();
    return sendLogNotify(c, script + QStringLiteral("\r\n\r\ny\r\n"),
                         port ? fillRow(u"   删除业务流命令已发送，删除 框/槽/端口：%P 下的所有业务虚端口", o)
                              : fillRow(u"   删除业务流命令已发送，删除 该业务板：%B 下的所有业务虚端口", o),
                         requeryNotice(QStringLiteral("删除命令已发送，")));
}

bool multicastByIndex(PageContext &c, const OntRef &) {
    const std::optional<QString> index = typedKey(c, QStringLiteral("请输入要删除的业务流索引ID"), QString(),
                                                  QStringLiteral("业务流索引ID"), EmptyIndex,
                                                  FieldKind::ServicePort);
    if (!index) return false;
    if (!c.op.askDestructive(QStringLiteral("确实要删除 业务流索引：") + *index +
                             QStringLiteral(" 的组播数据？")))
        return false;
    return sendLogNotify(c, multicast(QStringLiteral("igmp user delete service-port ") + *index), {},
                         QStringLiteral("已执行删除组播命令，请在命令行查看结果！"), DeletionTitle);
}

bool multicastByVlan(PageContext &c, const OntRef &) {
    const std::optional<QString> vlan = typedKey(c, QStringLiteral("请输入要删除的业务流VLAN！"), QString(),
                                                 QStringLiteral("业务流VLAN"), EmptyVlan, FieldKind::Vlan);
    if (!vlan) return false;
    if (!c.op.askDestructive(QStringLiteral("确实要批量删除 VLAN：") + *vlan +
                             QStringLiteral(" 下的所有组播数据？")))
        return false;
    return sendLogNotify(c, multicast(QStringLiteral("igmp user  delete  smart-vlan ") + *vlan), {},
                         QStringLiteral("已执行VLAN删除组播命令，请在命令行查看结果！"), DeletionTitle);
}

bool multicastOf(PageContext &c, const OntRef &o, bool port) {
    if (!c.op.askDestructive(port ? fillRow(u"确实要批量删除 框/槽/端口：%P 端口下的所有组播数据？", o)
                                  : fillRow(u"确实要批量删除 框/槽：%B 业务板下的所有组播数据？", o)))
        return false;
    return sendLogNotify(c, port ? portMulticastDeletion(o) : boardMulticastDeletion(o), {},
                         port ? QStringLiteral("已执行端口删除组播命令，请在命令行查看结果！")
                              : QStringLiteral("已执行业务板删除组播命令，请在命令行查看结果！"),
                         DeletionTitle);
}

} // namespace

const QList<OntMenuOperation> &flowDeletionOperations() {
    static const QList<OntMenuOperation> all = {
        {u"按索引删除业务流", byIndex},
        {u"按VLAN删除业务流", byVlan},
        {u"按端口删除业务流", [](PageContext &c, const OntRef &o) { return servicePortsOf(c, o, true); }},
        {u"按业务板删除业务流", [](PageContext &c, const OntRef &o) { return servicePortsOf(c, o, false); }},
        {u"按索引删除组播数据", multicastByIndex},
        {u"按VLAN删除组播数据", multicastByVlan},
        {u"按端口删除组播数据", [](PageContext &c, const OntRef &o) { return multicastOf(c, o, true); }},
        {u"按业务板删除组播数据", [](PageContext &c, const OntRef &o) { return multicastOf(c, o, false); }},
    };
    return all;
}

} // namespace tw
