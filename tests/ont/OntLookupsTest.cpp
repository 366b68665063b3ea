#include "ont/OntLookups.h"
#include "OntMenuFlows.h"

using namespace tw;
using namespace tw::test;

TEST(OntLookups, EachViewSendsItsDisplayScript) {
    const struct {
        const char *caption;
        std::vector<Answer> answers;
        int cleared;
        const char *script;
    } cases[] = {
        {"查看选定ONT状态", {Y}, 1, "display ont info 0 11 3 5\r\n"},
        {"查看选定端口所有ONT状态", {N}, 0, "display ont info 0 11 3 all\r\n"},
        {"查看该业务板所有ONT状态", {Y}, 1, "display ont info 0 11 all\r\n"},
        {"查看选定ONT业务索引", {N}, 0, "display service-port port 0/11/3 ont 5 sort-by port\r\ny\r\n"},
        {"查看选定端口所有ONT业务索引", {Y}, 1, "display service-port port 0/11/3 sort-by port\r\n"},
        {"查看该业务板所有ONT业务索引", {N}, 0, "display service-port board 0/11 sort-by port\r\n"},
        {"查看选定ONT收光功率",
         {Y},
         0,
         "interface gpon 0/11\r\ndisplay ont optical-info 3 5\r\n     \r\nquit\r\n"},
        {"查看选中端口所有ONT收光功率",
         {N},
         0,
         "interface epon 0/11\r\ndisplay ont optical-info 3 all\r\ny\r\nquit\r\n"},
        {"查看ONT实时流量",
         {Y},
         0,
         "interface gpon 0/11\r\ndisplay ont traffic 3 5\r\n\r\n     \r\nquit\r\n"},
        {"查看ONT的注册信息",
         {N},
         0,
         "interface epon 0/11\r\ndisplay ont register-info 3 5\r\n     \r\nquit\r\n"},
        {"查看PON板的端口信息", {Y}, 0, "interface gpon 0/11\r\ndisplay port info 3\r\nquit\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        MenuFlow f;
        EXPECT_TRUE(f.run(inspectionOperations(), c.caption, c.answers));
        EXPECT_EQ(f.writes(), QStringList{QString::fromUtf8(c.script)});
        EXPECT_EQ(f.cleared, c.cleared);
        EXPECT_EQ(f.op.boxes[0].text, c.cleared || std::string(c.caption).find("状态") != std::string::npos ||
                                              std::string(c.caption).find("索引") != std::string::npos
                                          ? ClearConsoleQuestion
                                          : QStringLiteral("GPON选是，EPON选否"));
        EXPECT_EQ(f.lastBox(), InspectionNotice);
        EXPECT_EQ(f.logText(), QString()) << "views write no log line";
    }

    // The version grid's item reads that grid's row and asks nothing.
    MenuFlow f;
    EXPECT_TRUE(versionInspection().run(f.context, f.row));
    EXPECT_EQ(f.writes(), QStringList{"display ont version 0 11 3 5\r\n\r\n"});
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_EQ(f.lastBox(), InspectionNotice);
}
