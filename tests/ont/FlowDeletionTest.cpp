#include "ont/FlowDeletion.h"
#include "OntMenuFlows.h"
#include "ont/OntLifecycle.h"

using namespace tw;
using namespace tw::test;

TEST(FlowDeletion, EachDeletionAsksAndSendsInOrder) {
    const QString mcPort = QStringLiteral("btv\r\nigmp user delete  port 0/11/3\r\ny\r\n\r\nquit\r\n");
    const QString mcSlot = QStringLiteral("btv\r\nigmp user delete slot 0/11\r\ny\r\n\r\nquit\r\n");
    const struct {
        const char *caption;
        bool iptv;
        std::vector<Answer> answers;
        QStringList writes;
        const char *lastBox;
        const char *log;
    } cases[] = {
        {"按索引删除业务流",
         false,
         {T("100,101，102")},
         {"undo service-port 100\r\n\r\nundo service-port 101\r\n\r\nundo service-port 102\r\n\r\n"},
         "已执行删除索引命令，请在命令行查看结果！",
         nullptr},
        {"按索引删除业务流",
         false,
         {T("100,,101,")},
         {"undo service-port 100\r\n\r\nundo service-port 101\r\n\r\n"},
         "已执行删除索引命令，请在命令行查看结果！",
         nullptr},
        {"按索引删除业务流", false, {T("")}, {}, "索引ID为空，程序不执行删除操作！", nullptr},
        {"按索引删除业务流", false, {T(",，")}, {}, "索引ID为空，程序不执行删除操作！", nullptr},
        {"按索引删除业务流", false, {Cancel}, {}, nullptr, nullptr},
        {"按索引删除业务流",
         false,
         {T("100\r\n101")},
         {},
         "“索引ID”中含有换行符或控制字符，命令没有发送！请删除后重试。",
         nullptr},
        // Every service port of a VLAN goes only after a question naming it.
        {"按VLAN删除业务流",
         false,
         {T("41"), Y},
         {"undo service-port vlan 41\r\n\r\n\r\n"},
         "已执行VLAN删除业务流命令，请在命令行查看结果！",
         nullptr},
        {"按VLAN删除业务流",
         false,
         {T("41"), N},
         {},
         "确实要批量删除 VLAN：41 下的所有业务虚端口？",
         nullptr},
        {"按VLAN删除业务流",
         true,
         {T("41"), Y, Y},
         {"btv\r\nigmp user  delete  smart-vlan 41\r\ny\r\n\r\nquit\r\n",
          "undo service-port vlan 41\r\n\r\n\r\n"},
         "已执行VLAN删除业务流命令，请在命令行查看结果！",
         nullptr},
        {"按VLAN删除业务流",
         true,
         {T("41"), Y, N},
         {},
         "该端口可能存在组播数据，是否同时删除组播数据",
         nullptr},
        {"按VLAN删除业务流", false, {T("")}, {}, "VLAN为空，程序不执行删除操作！", nullptr},
        {"按端口删除业务流",
         false,
         {Y},
         {"undo service-port port 0/11/3\r\n\r\ny\r\n"},
         "删除命令已发送，请等待程序执行完毕后重新查询以更新列表！",
         "   删除业务流命令已发送，删除 框/槽/端口：0/11/3 下的所有业务虚端口"},
        {"按端口删除业务流",
         true,
         {Y, Y},
         {mcPort, "undo service-port port 0/11/3\r\n\r\ny\r\n"},
         "删除命令已发送，请等待程序执行完毕后重新查询以更新列表！",
         "   删除业务流命令已发送，删除 框/槽/端口：0/11/3 下的所有业务虚端口"},
        {"按端口删除业务流", true, {Y, N}, {}, "该端口可能存在组播数据，是否同时删除组播数据", nullptr},
        {"按业务板删除业务流",
         true,
         {Y, Y},
         {mcSlot, "undo service-port board 0/11\r\n\r\ny\r\n"},
         "删除命令已发送，请等待程序执行完毕后重新查询以更新列表！",
         "   删除业务流命令已发送，删除 该业务板：0/11 下的所有业务虚端口"},
        {"按业务板删除业务流",
         false,
         {N},
         {},
         "确实要批量删除 框/槽：0/11 业务板下的所有ONT及业务虚端口？",
         nullptr},
        {"按索引删除组播数据",
         false,
         {T("31"), Y},
         {"btv\r\nigmp user delete service-port 31\r\ny\r\n\r\nquit\r\n"},
         "已执行删除组播命令，请在命令行查看结果！",
         nullptr},
        {"按索引删除组播数据", false, {T("31"), N}, {}, "确实要删除 业务流索引：31 的组播数据？", nullptr},
        {"按VLAN删除组播数据",
         false,
         {T("3444"), Y},
         {"btv\r\nigmp user  delete  smart-vlan 3444\r\ny\r\n\r\nquit\r\n"},
         "已执行VLAN删除组播命令，请在命令行查看结果！",
         nullptr},
        {"按VLAN删除组播数据", false, {T("")}, {}, "VLAN为空，程序不执行删除操作！", nullptr},
        {"按端口删除组播数据", false, {Y}, {mcPort}, "已执行端口删除组播命令，请在命令行查看结果！", nullptr},
        {"按端口删除组播数据",
         false,
         {N},
         {},
         "确实要批量删除 框/槽/端口：0/11/3 端口下的所有组播数据？",
         nullptr},
        {"按业务板删除组播数据",
         false,
         {Y},
         {mcSlot},
         "已执行业务板删除组播命令，请在命令行查看结果！",
         nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.caption << " iptv " << c.iptv << " answers " << c.answers.size());
        MenuFlow f(c.iptv);
        EXPECT_EQ(f.run(flowDeletionOperations(), c.caption, c.answers), !c.writes.isEmpty());
        EXPECT_EQ(f.writes(), c.writes);
        EXPECT_EQ(f.lastBox(), c.lastBox ? QString::fromUtf8(c.lastBox) : f.op.boxes.value(0).text);
        EXPECT_EQ(f.logText(),
                  c.log ? QStringLiteral("09:00:00") + QString::fromUtf8(c.log) + QStringLiteral("\r\n")
                        : QString());
        const QString title = f.op.boxes.last().title;
        if (f.op.boxes.last().kind == Box::Notice && !f.lastBox().contains(QStringLiteral("重新查询")) &&
            !f.lastBox().contains(QStringLiteral("控制字符"))) {
            EXPECT_EQ(title, QStringLiteral("删除"));
        }
    }
}
