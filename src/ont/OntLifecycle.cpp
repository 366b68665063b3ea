#include "ont/OntLifecycle.h"

#include "common/ActivityLog.h"
#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "common/CommandSink.h"
#include "olt/SharedValues.h"
#include "response/AutoMove.h"

namespace tw {

namespace {

enum class Scope { Ont, Port, Board };

// One operation of the plain pattern: confirm, kind, one script, log, notice.
struct Plain {
    const char16_t *caption;
    Scope scope;
    const char16_t *question;
    const char16_t *verb;
    const char16_t *answers; // the lines after each command
    const char16_t *log;
    const char16_t *notice; // before the common "请等待…" ending
    bool destructive = true; // all but activation cut an ONT's service off
};

const Plain PlainOperations[] = {
    {u"激活当前选定ONT", Scope::Ont, u"确实要激活 框/槽/端口：%P 编号：%N\r\n序列号：%S  的ONT设备？",
     u"ont activate", u"", u"   激活ONT命令已发送，编号：%N序列号：%S", u"激活命令已发送，", false},
    {u"激活端口下所有的ONT", Scope::Port, u"确实要批量激活 框/槽/端口：%P 下的所有ONT？", u"ont activate",
     u"", u"   激活ONT命令已发送，激活 框/槽/端口：%P 下的所有ONT", u"激活命令已发送，", false},
    {u"停用当前选定ONT", Scope::Ont, u"确实要停用 框/槽/端口：%P 编号：%N\r\n序列号：%S  的ONT设备？",
     u"ont deactivate", u"", u"   停用ONT命令已发送，编号：%N序列号：%S", u"停用命令已发送，"},
    {u"停用端口下所有的ONT", Scope::Port, u"确实要批量停用 框/槽/端口：%P 下的所有ONT？", u"ont deactivate",
     u"", u"   停用ONT命令已发送，停用 框/槽/端口：%P 下的所有ONT", u"停用命令已发送，"},
    {u"重启选定ONT", Scope::Ont, u"确实要重启 框/槽/端口：%P 编号：%N\r\n序列号：%S  的ONT设备？",
     u"ont reset", u"y\r\n", u"   复位ONT命令已发送，编号：%N序列号：%S", u"复位命令已发送，"},
    {u"重启选定端口所有ONT", Scope::Port, u"确实要批量重启 框/槽/端口：%P 下的所有ONT设备？", u"ont reset",
     u"y\r\n", u"   重启ONT命令已发送，重启 框/槽/端口：%P 下的所有ONT设备", u"重启命令已发送，"},
    {u"重启该业务板所有ONT", Scope::Board, u"确实要批量重启该业务板下的所有ONT设备？", u"ont reset", u"y\r\n",
     u"   重启ONT命令已发送，重启 该业务板：%B 下的所有ONT设备", u"重启命令已发送，"},
    {u"恢复选定ONT", Scope::Ont, u"确实要将 框/槽/端口：%P 编号：%N\r\n序列号：%S  的ONT恢复出厂设置？",
     u"ont factory-setting-restore", u"y\r\n", u"   ONT恢复出厂设置命令已发送，编号：%N序列号：%S",
     u"ONT恢复出厂设置命令已发送，"},
    {u"恢复选定端口所有ONT", Scope::Port, u"确实要将 框/槽/端口：%P 下的所有ONT恢复出厂设置？",
     u"ont factory-setting-restore", u"y\r\n",
     u"   ONT恢复出厂设置命令已发送，恢复 框/槽/端口：%P 下的所有ONT设备", u"ONT恢复出厂设置命令已发送，"},
    {u"恢复该业务板所有ONT", Scope::Board, u"确实要将该业务板下的所有ONT恢复出厂设置？",
     u"ont factory-setting-restore", u"y\r\n",
     u"   ONT恢复出厂设置命令已发送，恢复 该业务板：%B 下的所有ONT设备", u"ONT恢复出厂设置命令已发送，"},
};

QString text(const char16_t *s) {
    return QString::fromUtf16(s);
}

bool runPlain(const Plain &p, PageContext &c, const OntRef &o) {
    const QString question = fillRow(p.question, o);
    if (!(p.destructive ? c.op.askDestructive(question) : c.op.askYesNo(question))) return false;
    const std::optional<PonKind> chosen = askPonKind(c, o.board());
    if (!chosen) return false;
    const PonKind kind = *chosen;
    const QString verb = text(p.verb), answers = text(p.answers);
    const QString script = p.scope == Scope::Ont    ? selectedOntScript(kind, o, verb, answers)
                           : p.scope == Scope::Port ? selectedPortScript(kind, o, verb, answers)
                                                    : selectedBoardScript(kind, o, verb, answers);
    return sendLogNotify(c, script, fillRow(p.log, o), requeryNotice(text(p.notice)));
}

const QString DeleteNotice = requeryNotice(QStringLiteral("删除命令已发送，"));

bool deleteSelectedOnt(PageContext &c, const OntRef &o) {
    if (!c.op.askDestructive(fillRow(u"确实要删除 框/槽/端口：%P 编号：%N\r\n序列号：%S  的ONT设备？", o)))
        return false;
    const bool iptv = c.settings.isOn(settings::Iptv);
    if (iptv && !c.op.askDestructive(MulticastQuestion)) return false;
    const std::optional<PonKind> chosen = askPonKind(c, o.board());
    if (!chosen) return false;
    const PonKind kind = *chosen;

    const QString ont = QStringLiteral("port ") + o.port + QStringLiteral(" ont ") + o.id;
    QString script;
    if (kind == PonKind::Gpon) {
        const std::optional<QString> gemPorts = c.op.askText(
            QStringLiteral("GemPort ID，常用ID 0 1 2 3 4 5 6 7 ......\r\n注意：若多条业务流存在多个 GemPort "
                           "请用半角逗号隔开\r\n例如：0,1,2"),
            QStringLiteral("GemPort"), c.settings.read(settings::GemPort));
        if (!gemPorts) return false;
        const std::optional<QStringList> gems = acceptList(c.op, *gemPorts, QStringLiteral("GemPort"), FieldKind::GemPort);
        if (!gems) return false;
        for (const QString &g : *gems)
            script += QStringLiteral("undo service-port ") + ont + QStringLiteral(" gemport ") + g +
                      QStringLiteral("\r\n\r\ny\r\n");
    } else {
        script = QStringLiteral("undo service-port ") + ont + QStringLiteral("\r\n\r\ny\r\n");
    }
    script += QStringLiteral("interface ") + kindWord(kind) + u' ' + o.board() +
              QStringLiteral("\r\nont delete ") + o.portNumber() + u' ' + o.id +
              QStringLiteral("\r\nquit\r\n");
    const QString log = fillRow(u"   删除ONT命令已发送，编号：%N，序列号：%S", o);
    if (!iptv) return sendLogNotify(c, script, log, DeleteNotice);

    // The OLT refuses to delete a service port that still has a multicast user, and an ONT that
    // still has service ports: list the ONT's service ports first; the listing's own answer names
    // the multicast users to remove, and then the deletion goes. Cut off, nothing more goes.
    const QString listing = QStringLiteral("display service-port ") + ont;
    CommandSink *sink = &c.sink;
    ActivityLog *activity = &c.log;
    const SettingsStore *settings = &c.settings;
    const std::function<void(const QString &)> report = c.report;
    const QString what = fillRow(u"%P ONT号：%N", o);
    const bool sent = c.sink.run(listing + QStringLiteral("\r\n\r\n"), [=](const ScriptOutcome &listed) {
        if (listed.status == ScriptOutcome::Interrupted || listed.status == ScriptOutcome::TimedOut) {
            const QString message = QStringLiteral("删除已中断，未删除 ") + what + QStringLiteral("：") + listed.summary();
            activity->write(QStringLiteral("   ") + message);
            if (report) report(message);
            return;
        }
        for (const QString &users : multicastUserDeletions(listed.allText(), *settings))
            sink->run(users, {});
        sink->run(script, [=](const ScriptOutcome &deleted) {
            activity->write(outcomeLogLine(log, deleted));
            if (!deleted.ok() && report) report(QStringLiteral("删除未完成：") + what + QStringLiteral("：") + deleted.summary());
        });
    });
    if (!sent) {
        c.op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
        return false;
    }
    c.op.notice(DeleteNotice);
    return true;
}

// The port and board deletions: with IPTV on, the multicast users go in their own write first.
bool deleteMany(PageContext &c, const OntRef &o, Scope scope) {
    const bool port = scope == Scope::Port;
    if (!c.op.askDestructive(port ? fillRow(u"确实要批量删除 框/槽/端口：%P 下的所有ONT及业务虚端口？", o)
                            : fillRow(u"确实要批量删除 框/槽：%B 业务板下的所有ONT及业务虚端口？", o)))
        return false;
    // Both questions come before anything goes, so that Esc on the kind leaves the multicast
    // users as they are too.
    const bool iptv = c.settings.isOn(settings::Iptv);
    if (iptv && !c.op.askDestructive(MulticastQuestion)) return false;
    const std::optional<PonKind> chosen = askPonKind(c, o.board());
    if (!chosen) return false;
    if (iptv && !sendOrTell(c.sink, c.op, port ? portMulticastDeletion(o) : boardMulticastDeletion(o)))
        return false;
    const PonKind kind = *chosen;
    const QString servicePorts = port ? QStringLiteral("undo service-port port ") + o.port
                                      : QStringLiteral("undo service-port board ") + o.board();
    const QString onts =
        port ? selectedPortScript(kind, o, QStringLiteral("ont delete"), QStringLiteral("y\r\n"))
             : selectedBoardScript(kind, o, QStringLiteral("ont delete"), QStringLiteral("y\r\n"));
    const QString log = port
                            ? fillRow(u"   删除ONT命令已发送，删除 框/槽/端口：%P 下的所有ONT及业务虚端口", o)
                            : fillRow(u"   删除ONT命令已发送，删除 该业务板：%B 下的所有ONT及业务虚端口", o);
    return sendLogNotify(c, servicePorts + QStringLiteral("\r\n\r\ny\r\n") + onts, log, DeleteNotice);
}

} // namespace

QString portMulticastDeletion(const OntRef &o) {
    return QStringLiteral("btv\r\nigmp user delete  port ") + o.port +
           QStringLiteral("\r\ny\r\n\r\nquit\r\n");
}

QString boardMulticastDeletion(const OntRef &o) {
    return QStringLiteral("btv\r\nigmp user delete slot ") + o.board() +
           QStringLiteral("\r\ny\r\n\r\nquit\r\n");
}

bool multicastUsersFirst(PageContext &c, const OntRef &o, bool wholeBoard) {
    if (!c.settings.isOn(settings::Iptv)) return true;
    if (!c.op.askDestructive(MulticastQuestion)) return false;
    return sendOrTell(c.sink, c.op, wholeBoard ? boardMulticastDeletion(o) : portMulticastDeletion(o));
}

const QList<OntMenuOperation> &lifecycleOperations() {
    static const QList<OntMenuOperation> all = [] {
        QList<OntMenuOperation> ops;
        for (const Plain &p : PlainOperations)
            ops.append({p.caption, [&p](PageContext &c, const OntRef &o) { return runPlain(p, c, o); }});
        ops.append({u"删除选定ONT", deleteSelectedOnt});
        ops.append({u"删除选定端口所有ONT",
                    [](PageContext &c, const OntRef &o) { return deleteMany(c, o, Scope::Port); }});
        ops.append({u"删除该业务板所有ONT",
                    [](PageContext &c, const OntRef &o) { return deleteMany(c, o, Scope::Board); }});
        return ops;
    }();
    return all;
}

} // namespace tw
