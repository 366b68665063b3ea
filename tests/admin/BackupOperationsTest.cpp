#include "admin/BackupOperations.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {
const char *const ConfigQuestion = "加载新的配置文件将覆盖原有的配置文件确实需要加载配置文件？";
const char *const DataQuestion = "加载用户配置数据将覆盖原有的用户配置数据回滚功能将被取消, "
                                 "请确认系统已经不需要回滚该操作不可恢复, 确实需要加载数据？";
} // namespace

TEST(BackupOperations, BackupAndRestoreOfEachTypeAskSendAndLog) {
    const struct {
        bool restore;
        int type;
        std::vector<Answer> answers;
        const char *question; // nullptr: none asked
        const char *script;   // nullptr: nothing sent
        const char *log;      // nullptr: nothing logged
    } cases[] = {
        {false,
         0,
         {},
         nullptr,
         "backup configuration tftp 10.11.104.1 MA5680T.cfg\r\ny\r\n",
         "   备份OLT配置文件 MA5680T.cfg 成功"},
        {false,
         1,
         {},
         nullptr,
         "backup data tftp 10.11.104.1 MA5680T.dat\r\ny\r\n",
         "   备份OLT数据文件 MA5680T.dat 成功"},
        {true,
         0,
         {Y},
         ConfigQuestion,
         "load configuration tftp 10.11.104.1 MA5680T.cfg all\r\ny\r\n",
         nullptr},
        {true, 1, {Y}, DataQuestion, "load data tftp 10.11.104.1 MA5680T.dat all\r\ny\r\n", nullptr},
        {true, 0, {N}, ConfigQuestion, nullptr, nullptr},
        {true, 1, {N}, DataQuestion, nullptr, nullptr},
        // Nothing selected ends silently.
        {false, -1, {}, nullptr, nullptr, nullptr},
        {true, -1, {}, nullptr, nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << (c.restore ? "还原 " : "备份 ") << c.type);
        PageFlow f;
        for (const Answer &a : c.answers)
            f.op.answers.push_back(a);
        const BackupFields fields{QStringLiteral("10.11.104.1"), c.type};
        EXPECT_EQ(c.restore ? restoreFromTftp(f.context, fields) : backupToTftp(f.context, fields),
                  c.script != nullptr);
        if (c.question) {
            ASSERT_EQ(f.op.boxes.size(), 1);
            EXPECT_EQ(f.op.boxes[0].kind, Box::OkCancel);
            EXPECT_EQ(f.op.boxes[0].text, QString::fromUtf8(c.question));
            EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Question);
            EXPECT_EQ(f.op.boxes[0].title, QStringLiteral("信息："));
        } else {
            EXPECT_TRUE(f.op.boxes.isEmpty());
        }
        EXPECT_EQ(f.writes(), c.script ? QStringList{QString::fromUtf8(c.script)} : QStringList());
        EXPECT_EQ(f.logText(),
                  c.log ? QStringLiteral("09:00:00") + QString::fromUtf8(c.log) + QStringLiteral("\r\n")
                        : QString());
    }
}

TEST(BackupOperations, AddressIsNeededAndAddsNoLines) {
    for (const bool restore : {false, true}) {
        PageFlow empty;
        const BackupFields none{QString(), 0};
        EXPECT_FALSE(restore ? restoreFromTftp(empty.context, none) : backupToTftp(empty.context, none));
        ASSERT_EQ(empty.op.boxes.size(), 1);
        EXPECT_EQ(empty.op.boxes[0].kind, Box::Notice);
        EXPECT_EQ(empty.op.boxes[0].text, QStringLiteral("请填写一个与OLT在同网段内可以匿名读写的FTP地址！"));
        EXPECT_EQ(empty.op.boxes[0].icon, BoxIcon::None);
        EXPECT_TRUE(empty.sink.writes.isEmpty());

        PageFlow pasted;
        const BackupFields twoLines{QStringLiteral("10.11.104.1\r\nreboot system"), 0};
        EXPECT_FALSE(restore ? restoreFromTftp(pasted.context, twoLines)
                             : backupToTftp(pasted.context, twoLines));
        ASSERT_EQ(pasted.op.boxes.size(), 1) << "refused before the question";
        EXPECT_TRUE(pasted.lastBox().contains(QStringLiteral("TFTP地址")));
        EXPECT_TRUE(pasted.sink.writes.isEmpty());
        EXPECT_EQ(pasted.logText(), QString());
    }
}

TEST(BackupOperations, ActivateAndLostWrites) {
    PageFlow f;
    EXPECT_TRUE(activateConfiguration(f.context));
    EXPECT_EQ(f.writes(), QStringList{"active  configuration  system\r\ny\r\n"});
    EXPECT_TRUE(f.op.boxes.isEmpty());

    // Not connected: told once; the backup is not logged as a success.
    PageFlow lost;
    lost.sink.connected = false;
    EXPECT_FALSE(backupToTftp(lost.context, {}));
    EXPECT_FALSE(activateConfiguration(lost.context));
    lost.op.answer(true);
    EXPECT_FALSE(restoreFromTftp(lost.context, {}));
    ASSERT_EQ(lost.op.boxes.size(), 4);
    EXPECT_EQ(lost.op.boxes[0].text, NotConnectedNotice);
    EXPECT_EQ(lost.op.boxes[1].text, NotConnectedNotice);
    EXPECT_EQ(lost.op.boxes[3].text, NotConnectedNotice);
    EXPECT_EQ(lost.logText(), QString());
}
