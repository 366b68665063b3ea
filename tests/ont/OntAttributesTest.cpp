#include "ont/OntAttributes.h"
#include "OntMenuFlows.h"

using namespace tw;
using namespace tw::test;

TEST(OntAttributes, EachChangeConfirmsAsksForTheValueAndSendsItInTheInterface) {
    const struct {
        const char *caption;
        std::vector<Answer> answers;
        const char *prompt, *title, *initial;
        const char *script; // nullptr: nothing sent
        const char *log;
    } cases[] = {
        {"修改ONT线路模板编号",
         {Y, T("1"), Y},
         "ONT线路模板编号 <0,8192> ",
         "线路模板编号",
         "1",
         "interface gpon 0/11\r\nont modify 3 5 ont-lineprofile-id 1\r\n\r\nquit\r\n",
         "   修改ONT线路模板编号命令已发送，编号：5 序列号：48575443ABCDEF01  新线路模板编号：1"},
        {"修改ONT业务模板编号",
         {Y, T("8192"), N},
         "ONT业务模板编号 <0,8192> ",
         "业务模板编号",
         "1",
         "interface epon 0/11\r\nont modify 3 5 ont-srvprofile-id 8192\r\n\r\nquit\r\n",
         "   修改ONT业务模板编号命令已发送，编号：5 序列号：48575443ABCDEF01  新业务模板编号：8192"},
        {"修改ONT序列号(SN)",
         {Y, T("4857-5443ABCD"), Y},
         "ONT序列号,格式必须为<XXXXXXXXXXXXXX>,<XXXXXXXXXXXXXXXX>或<XXXX-XXXXXXXX>",
         "ONT序列号",
         "",
         "interface gpon 0/11\r\nont modify 3 5 sn 4857-5443ABCD\r\n\r\n1\r\nquit\r\n",
         "   修改ONT序列号命令已发送，编号：5 原序列号：48575443ABCDEF01  新序列号：4857-5443ABCD"},
        {"修改ONT逻辑标识(LOID)",
         {Y, T("loid-7"), Y},
         "逻辑标识",
         "LOID",
         "",
         "interface gpon 0/11\r\nont modify 3 5 loid loid-7\r\n\r\n1\r\nquit\r\n",
         "   修改ONT逻辑标识命令已发送，编号：5 原列号：48575443ABCDEF01  新逻辑标识：loid-7"},
        {"修改ONT密码(PASSWORD)",
         {Y, T("s3cret"), Y},
         "ONT密码",
         "PASSWORD",
         "",
         "interface gpon 0/11\r\nont modify 3 5 password s3cret\r\n\r\n1\r\nquit\r\n",
         "   修改ONT密码命令已发送，编号：5 原序列号：48575443ABCDEF01  新密码：s3cret"},
        // A description is one word in double quotes, blanks and all; an empty one is "".
        {"修改ONT备注",
         {Y, T("zhou 100-1"), Y},
         "ONT描述信息",
         "ONT备注",
         "",
         "interface gpon 0/11\r\nont modify 3 5 desc \"zhou 100-1\"\r\n\r\nquit\r\n",
         "   修改ONT备注命令已发送，编号：5 序列号：48575443ABCDEF01  新备注：zhou 100-1"},
        {"修改ONT备注",
         {Y, T(""), Y},
         "ONT描述信息",
         "ONT备注",
         "",
         "interface gpon 0/11\r\nont modify 3 5 desc \"\"\r\n\r\nquit\r\n",
         "   修改ONT备注命令已发送，编号：5 序列号：48575443ABCDEF01  新备注："},
        // Refused before the kind question: a quote in a description, a pasted line break anywhere.
        {"修改ONT备注", {Y, T("say \"hi\"")}, "ONT描述信息", "ONT备注", "", nullptr, nullptr},
        {"修改ONT逻辑标识(LOID)", {Y, T("a\nquit")}, "逻辑标识", "LOID", "", nullptr, nullptr},
        {"修改ONT线路模板编号",
         {Y, Cancel},
         "ONT线路模板编号 <0,8192> ",
         "线路模板编号",
         "1",
         nullptr,
         nullptr},
        {"修改ONT密码(PASSWORD)", {N}, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.caption << " answers " << c.answers.size());
        MenuFlow f;
        EXPECT_EQ(f.run(attributeOperations(), c.caption, c.answers), c.script != nullptr);
        EXPECT_EQ(f.writes(), c.script ? QStringList{QString::fromUtf8(c.script)} : QStringList());
        EXPECT_EQ(
            f.op.boxes[0].text,
            QStringLiteral("确实要修改 框/槽/端口：0/11/3 编号：5\r\n序列号：48575443ABCDEF01  的ONT设备？"));
        if (c.prompt) {
            ASSERT_GE(f.op.boxes.size(), 2);
            EXPECT_EQ(f.op.boxes[1].kind, Box::Input);
            EXPECT_EQ(f.op.boxes[1].text, QString::fromUtf8(c.prompt));
            EXPECT_EQ(f.op.boxes[1].title, QString::fromUtf8(c.title));
            EXPECT_EQ(f.op.boxes[1].initial, QString::fromUtf8(c.initial));
        }
        if (c.log) {
            EXPECT_EQ(f.logText(),
                      QStringLiteral("09:00:00") + QString::fromUtf8(c.log) + QStringLiteral("\r\n"));
            EXPECT_TRUE(
                f.lastBox().endsWith(QStringLiteral("命令已发送，请等待程序执行完毕后重新查询以更新列表！")));
        } else {
            EXPECT_EQ(f.logText(), QString());
        }
    }
}
