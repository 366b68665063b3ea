#include "ont/OntLifecycle.h"
#include "OntMenuFlows.h"
#include "common/InputCheck.h"
#include "ont/FlowDeletion.h"
#include "ont/OntAttributes.h"
#include "ont/OntLookups.h"

using namespace tw;
using namespace tw::test;

namespace {

QString requery(const char *what) {
    return QString::fromUtf8(what) + QStringLiteral("请等待程序执行完毕后重新查询以更新列表！");
}

} // namespace

TEST(OntLifecycle, EveryItemAsksSendsLogsAndNotifies) {
    const struct {
        const char *caption;
        bool iptv;
        std::vector<Answer> answers;
        QStringList writes;
        const char *log;    // after "09:00:00", nullptr: nothing logged
        const char *notice; // the last box; nullptr: no notice
    } cases[] = {
        {"激活当前选定ONT",
         false,
         {Y, Y},
         {"interface gpon 0/11\r\nont activate 3 5\r\nquit\r\n"},
         "   激活ONT命令已发送，编号：5序列号：48575443ABCDEF01",
         "激活命令已发送，"},
        {"激活当前选定ONT", false, {N}, {}, nullptr, nullptr},
        {"激活端口下所有的ONT",
         false,
         {Y, N},
         {"interface epon 0/11\r\nont activate 3 all\r\nquit\r\n"},
         "   激活ONT命令已发送，激活 框/槽/端口：0/11/3 下的所有ONT",
         "激活命令已发送，"},
        {"停用当前选定ONT",
         false,
         {Y, Y},
         {"interface gpon 0/11\r\nont deactivate 3 5\r\nquit\r\n"},
         "   停用ONT命令已发送，编号：5序列号：48575443ABCDEF01",
         "停用命令已发送，"},
        {"停用端口下所有的ONT",
         false,
         {Y, Y},
         {"interface gpon 0/11\r\nont deactivate 3 all\r\nquit\r\n"},
         "   停用ONT命令已发送，停用 框/槽/端口：0/11/3 下的所有ONT",
         "停用命令已发送，"},
        {"重启选定ONT",
         false,
         {Y, N},
         {"interface epon 0/11\r\nont reset 3 5\r\ny\r\nquit\r\n"},
         "   复位ONT命令已发送，编号：5序列号：48575443ABCDEF01",
         "复位命令已发送，"},
        {"重启选定端口所有ONT",
         false,
         {Y, Y},
         {"interface gpon 0/11\r\nont reset 3 all\r\ny\r\nquit\r\n"},
         "   重启ONT命令已发送，重启 框/槽/端口：0/11/3 下的所有ONT设备",
         "重启命令已发送，"},
        {"重启该业务板所有ONT",
         false,
         {Y, Y},
         {boardLines("interface gpon 0/11\r\n", "ont reset", "y\r\n")},
         "   重启ONT命令已发送，重启 该业务板：0/11 下的所有ONT设备",
         "重启命令已发送，"},
        {"恢复选定ONT",
         false,
         {Y, Y},
         {"interface gpon 0/11\r\nont factory-setting-restore 3 5\r\ny\r\nquit\r\n"},
         "   ONT恢复出厂设置命令已发送，编号：5序列号：48575443ABCDEF01",
         "ONT恢复出厂设置命令已发送，"},
        {"恢复选定端口所有ONT",
         false,
         {Y, N},
         {"interface epon 0/11\r\nont factory-setting-restore 3 all\r\ny\r\nquit\r\n"},
         "   ONT恢复出厂设置命令已发送，恢复 框/槽/端口：0/11/3 下的所有ONT设备",
         "ONT恢复出厂设置命令已发送，"},
        {"恢复该业务板所有ONT",
         false,
         {Y, Y},
         {boardLines("interface gpon 0/11\r\n", "ont factory-setting-restore", "y\r\n")},
         "   ONT恢复出厂设置命令已发送，恢复 该业务板：0/11 下的所有ONT设备",
         "ONT恢复出厂设置命令已发送，"},

        // The selected ONT: GEM ports as typed, with either comma; empty pieces name nothing.
        {"删除选定ONT",
         false,
         {Y, Y, T("1，2")},
         {"undo service-port port 0/11/3 ont 5 gemport 1\r\n\r\ny\r\nundo service-port port 0/11/3 ont 5 "
          "gemport "
          "2\r\n\r\ny\r\ninterface gpon 0/11\r\nont delete 3 5\r\nquit\r\n"},
         "   删除ONT命令已发送，编号：5，序列号：48575443ABCDEF01",
         "删除命令已发送，"},
        {"删除选定ONT",
         false,
         {Y, Y, T("0,,1,")},
         {"undo service-port port 0/11/3 ont 5 gemport 0\r\n\r\ny\r\nundo service-port port 0/11/3 ont 5 "
          "gemport "
          "1\r\n\r\ny\r\ninterface gpon 0/11\r\nont delete 3 5\r\nquit\r\n"},
         "   删除ONT命令已发送，编号：5，序列号：48575443ABCDEF01",
         "删除命令已发送，"},
        {"删除选定ONT",
         false,
         {Y, Y, T("")},
         {"interface gpon 0/11\r\nont delete 3 5\r\nquit\r\n"},
         "   删除ONT命令已发送，编号：5，序列号：48575443ABCDEF01",
         "删除命令已发送，"},
        {"删除选定ONT", false, {Y, Y, Cancel}, {}, nullptr, nullptr},
        {"删除选定ONT",
         false,
         {Y, N},
         {"undo service-port port 0/11/3 ont 5\r\n\r\ny\r\ninterface epon 0/11\r\nont delete 3 "
          "5\r\nquit\r\n"},
         "   删除ONT命令已发送，编号：5，序列号：48575443ABCDEF01",
         "删除命令已发送，"},
        {"删除选定ONT", true, {Y, N}, {}, nullptr, nullptr}, // No to the multicast question
        {"删除选定ONT", true, {Y, Y, Y, Cancel}, {}, nullptr, nullptr},
        {"删除选定端口所有ONT",
         false,
         {Y, Y},
         {"undo service-port port 0/11/3\r\n\r\ny\r\ninterface gpon 0/11\r\nont delete 3 "
          "all\r\ny\r\nquit\r\n"},
         "   删除ONT命令已发送，删除 框/槽/端口：0/11/3 下的所有ONT及业务虚端口",
         "删除命令已发送，"},
        {"删除选定端口所有ONT",
         true,
         {Y, Y, N},
         {"btv\r\nigmp user delete  port 0/11/3\r\ny\r\n\r\nquit\r\n",
          "undo service-port port 0/11/3\r\n\r\ny\r\ninterface epon 0/11\r\nont delete 3 "
          "all\r\ny\r\nquit\r\n"},
         "   删除ONT命令已发送，删除 框/槽/端口：0/11/3 下的所有ONT及业务虚端口",
         "删除命令已发送，"},
        {"删除选定端口所有ONT", true, {Y, N}, {}, nullptr, nullptr},
        {"删除该业务板所有ONT",
         true,
         {Y, Y, Y},
         {"btv\r\nigmp user delete slot 0/11\r\ny\r\n\r\nquit\r\n",
          boardLines("undo service-port board 0/11\r\n\r\ny\r\ninterface gpon 0/11\r\n", "ont delete",
                     "y\r\n")},
         "   删除ONT命令已发送，删除 该业务板：0/11 下的所有ONT及业务虚端口",
         "删除命令已发送，"},
        {"删除该业务板所有ONT", false, {N}, {}, nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.caption << " iptv " << c.iptv << " answers " << c.answers.size());
        MenuFlow f(c.iptv);
        EXPECT_EQ(f.run(lifecycleOperations(), c.caption, c.answers), !c.writes.isEmpty());
        EXPECT_EQ(f.writes(), c.writes);
        EXPECT_EQ(f.logText(),
                  c.log ? QStringLiteral("09:00:00") + QString::fromUtf8(c.log) + QStringLiteral("\r\n")
                        : QString());
        if (c.notice) {
            EXPECT_EQ(f.lastBox(), requery(c.notice));
            EXPECT_EQ(f.op.boxes.last().kind, Box::Notice);
        } else {
            EXPECT_NE(f.op.boxes.last().kind, Box::Notice);
        }
    }
}

TEST(OntLifecycle, QuestionsNameTheTargetAndTheKindIsAskedLast) {
    MenuFlow f(true);
    f.run(lifecycleOperations(), "删除选定ONT", {Y, Y, Y, T("1")});
    ASSERT_EQ(f.op.boxes.size(), 5);
    EXPECT_EQ(
        f.op.boxes[0].text,
        QStringLiteral("确实要删除 框/槽/端口：0/11/3 编号：5\r\n序列号：48575443ABCDEF01  的ONT设备？"));
    EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Question);
    EXPECT_EQ(f.op.boxes[0].title, QStringLiteral("信息："));
    EXPECT_EQ(f.op.boxes[1].text, MulticastQuestion);
    EXPECT_EQ(f.op.boxes[2].text, QStringLiteral("GPON选是，EPON选否"));
    EXPECT_EQ(f.op.boxes[3].kind, Box::Input);
    EXPECT_EQ(f.op.boxes[3].title, QStringLiteral("GemPort"));
    EXPECT_EQ(f.op.boxes[3].initial, QStringLiteral("1")) << "基本 / gemport, default 1";

    MenuFlow g;
    g.run(lifecycleOperations(), "删除该业务板所有ONT", {Y, Y});
    EXPECT_EQ(g.op.boxes[0].text,
              QStringLiteral("确实要批量删除 框/槽：0/11 业务板下的所有ONT及业务虚端口？"));
    MenuFlow h;
    h.run(lifecycleOperations(), "重启该业务板所有ONT", {Y, Y});
    EXPECT_EQ(h.op.boxes[0].text, QStringLiteral("确实要批量重启该业务板下的所有ONT设备？"));
}

// With IPTV on, the ONT's multicast users must go before its service ports, and those before the
// ONT: the deletion waits for the answer to the ONT's own service-port listing, and only for it.
TEST(OntLifecycle, IptvDeletionWaitsForTheListingThenCleansUpInOrder) {
    const QString listing = QStringLiteral("display service-port port 0/11/3 ont 5\r\n\r\n");
    const QString deletion =
        QStringLiteral("undo service-port port 0/11/3 ont 5 gemport 1\r\n\r\ny\r\nundo service-port port 0/11/3 ont "
                       "5 gemport 2\r\n\r\ny\r\ninterface gpon 0/11\r\nont delete 3 5\r\nquit\r\n");
    const QString rows = QStringLiteral("   31  3444 common   gpon 0/11/3 5 1 vlan 3444 5 5 up\r\n"
                                        "   32  100  common   gpon 0/11/3 5 2 vlan 41 5 5 up\r\n");
    MenuFlow f(true);
    f.sink.holdRuns = true;
    f.settings.write(settings::IptvOuterVlan, QStringLiteral("3444"));
    EXPECT_TRUE(f.run(lifecycleOperations(), "删除选定ONT", {Y, Y, Y, T("1,2")}));
    EXPECT_EQ(f.writes(), QStringList{listing});
    EXPECT_EQ(f.logText(), QString()) << "logged when the deletion has been answered";
    EXPECT_EQ(f.lastBox(), requery("删除命令已发送，"));

    f.sink.answer({{QStringLiteral("display service-port"), rows}});
    EXPECT_EQ(f.writes(), (QStringList{listing, "btv\r\nigmp user delete service-port 31\r\ny\r\nquit\r\n", deletion}));
    f.sink.answer();
    f.sink.answer();
    EXPECT_EQ(f.logText(), QStringLiteral("09:00:00   删除ONT命令已发送，编号：5，序列号：48575443ABCDEF01\r\n"));

    // The deletion fails: the log says so, with the OLT's reason.
    MenuFlow h(true);
    h.sink.holdRuns = true;
    h.run(lifecycleOperations(), "删除选定ONT", {Y, Y, Y, T("1")});
    h.sink.answer();
    h.sink.answer({{QStringLiteral("ont delete"), QStringLiteral("  失败：该配置对象存在业务虚端口\r\n")}});
    EXPECT_TRUE(h.logText().contains(QStringLiteral("未完成：删除ONT命令已发送")));
    EXPECT_TRUE(h.logText().contains(QStringLiteral("失败：该配置对象存在业务虚端口")));

    // The listing is cut off (a drop): nothing is deleted then or ever after, and that is told.
    MenuFlow g(true);
    g.sink.holdRuns = true;
    QStringList reports;
    g.context.report = [&](const QString &m) { reports << m; };
    g.run(lifecycleOperations(), "删除选定ONT", {Y, Y, Y, T("1")});
    g.sink.answer({}, ScriptOutcome::Interrupted);
    EXPECT_EQ(g.writes(), QStringList{listing});
    EXPECT_TRUE(g.sink.held.isEmpty());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith(QStringLiteral("删除已中断，未删除 0/11/3 ONT号：5"))) << reports[0].toStdString();

    // A lost listing arms nothing.
    MenuFlow n(true);
    n.sink.connected = false;
    EXPECT_FALSE(n.run(lifecycleOperations(), "删除选定ONT", {Y, Y, N}));
    EXPECT_EQ(n.lastBox(), NotConnectedNotice);
}

// Every item of every ONT menu: a lost write is told once; nothing is logged, no success notice.
TEST(OntMenus, ALostWriteIsToldOnceAndNothingElseHappens) {
    for (bool iptv : {false, true}) {
        for (const auto *operations : {&lifecycleOperations(), &attributeOperations(),
                                       &inspectionOperations(), &flowDeletionOperations()}) {
            for (const OntMenuOperation &o : *operations) {
                SCOPED_TRACE(QString::fromUtf16(o.caption).toStdString() + (iptv ? " iptv" : ""));
                MenuFlow f(iptv);
                f.sink.connected = false;
                // A value each box takes: a number, or for the new SN an SN.
                const bool serial = QString::fromUtf16(o.caption) == QStringLiteral("修改ONT序列号(SN)");
                f.op.agreeWith = serial ? QStringLiteral("4857544300000001") : QStringLiteral("1");
                EXPECT_FALSE(o.run(f.context, f.row));
                EXPECT_EQ(f.logText(), QString());
                EXPECT_EQ(std::count_if(f.op.boxes.begin(), f.op.boxes.end(),
                                        [](const Box &b) { return b.kind == Box::Notice; }),
                          1);
                EXPECT_EQ(f.lastBox(), NotConnectedNotice);
            }
        }
    }
}
