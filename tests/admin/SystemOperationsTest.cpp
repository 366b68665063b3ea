#include "admin/SystemOperations.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(SystemOperations, QuestionsScriptsLogsAndNotices) {
    const struct {
        SystemAction action;
        bool ok;
        const char *question;
        BoxIcon icon;
        const char *script;
        const char *log;
        const char *notice;
    } cases[] = {
        {SystemAction::EraseDatabase, true,
         "该命令将清除主板已经加载或保存的数据, 请注意备份系统配置数据\r\n确实要擦除主板数据库？",
         BoxIcon::Information, "erase flash data active\r\ny\r\n", "   手动复位OLT系统！",
         "复位成功，请等待重启OLT系统！"},
        {SystemAction::Reboot, true,
         "请检查数据是否完全保存, 复位系统可能导致未保存数据丢失, 确实要复位系统？", BoxIcon::Information,
         "reboot system\r\ny\r\n", "   手动重启OLT系统！", "重启成功，请等待系统启动！"},
        {SystemAction::SwitchOver, true, "确实要将主控倒换？", BoxIcon::Question,
         "system switch-over\r\ny\r\n", "   OLT主备倒换！", "命令已发送，主备倒换成功！"},
        {SystemAction::Save, true, "确实要将配置文件及数据库文件写入OLT？", BoxIcon::Question, "save\r\n\r\n",
         nullptr, nullptr},
        {SystemAction::Reboot, false,
         "请检查数据是否完全保存, 复位系统可能导致未保存数据丢失, 确实要复位系统？", BoxIcon::Information,
         nullptr, nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.question);
        PageFlow f;
        f.op.answer(c.ok);
        EXPECT_EQ(runSystemAction(f.context, c.action), c.script != nullptr);
        ASSERT_GE(f.op.boxes.size(), 1);
        EXPECT_EQ(f.op.boxes[0].kind, Box::OkCancel);
        EXPECT_EQ(f.op.boxes[0].text, QString::fromUtf8(c.question));
        EXPECT_EQ(f.op.boxes[0].icon, c.icon);
        EXPECT_EQ(f.op.boxes[0].title, QStringLiteral("信息："));
        EXPECT_EQ(f.writes(), c.script ? QStringList{QString::fromUtf8(c.script)} : QStringList());
        EXPECT_EQ(f.logText(),
                  c.log ? QStringLiteral("09:00:00") + QString::fromUtf8(c.log) + QStringLiteral("\r\n")
                        : QString());
        EXPECT_EQ(f.op.boxes.size(), c.notice ? 2 : 1);
        if (c.notice) {
            EXPECT_EQ(f.lastBox(), QString::fromUtf8(c.notice));
        }

        // Not connected: told once; "复位成功"/"重启成功"/"主备倒换成功" and the log never appear.
        PageFlow lost;
        lost.sink.connected = false;
        lost.op.answer(true);
        EXPECT_FALSE(runSystemAction(lost.context, c.action));
        EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
        EXPECT_EQ(lost.op.boxes.size(), 2);
        EXPECT_EQ(lost.logText(), QString());
    }
}

TEST(SystemOperations, RenameAndIdleTimeout) {
    PageFlow f;
    f.op.answer(true);
    EXPECT_TRUE(renameSystem(f.context, QStringLiteral("OLT-东区")));
    EXPECT_EQ(f.op.boxes[0].text, QStringLiteral("确实要将系统更名为：OLT-东区"));
    EXPECT_EQ(f.writes(), QStringList{"sysname OLT-东区\r\n\r\n"});
    EXPECT_EQ(f.logText(), QStringLiteral("09:00:00   系统更名为：OLT-东区\r\n"));

    // A name that is not one word, or holds a line break, never reaches the question.
    for (const char *bad : {"two words", "say\"x", "a\nb"}) {
        PageFlow g;
        EXPECT_FALSE(renameSystem(g.context, QString::fromUtf8(bad))) << bad;
        ASSERT_EQ(g.op.boxes.size(), 1) << bad;
        EXPECT_EQ(g.op.boxes[0].kind, Box::Notice);
        EXPECT_TRUE(g.sink.writes.isEmpty());
    }
    PageFlow cancelled;
    cancelled.op.answer(false);
    EXPECT_FALSE(renameSystem(cancelled.context, QStringLiteral("X")));
    EXPECT_TRUE(cancelled.sink.writes.isEmpty());

    PageFlow idle;
    EXPECT_TRUE(setIdleTimeout(idle.context, QStringLiteral("120")));
    EXPECT_EQ(idle.writes(), QStringList{"idle-timeout 120\r\n"});
    EXPECT_TRUE(idle.op.boxes.isEmpty());
    EXPECT_FALSE(setIdleTimeout(idle.context, QStringLiteral("12\r\n0")));
    EXPECT_EQ(idle.writes().size(), 1);
}

TEST(SystemOperations, AutosaveSwitchesAreStoredOnlyWhenSent) {
    const struct {
        bool timed, on;
        const char *script;
        const char *stored;
    } cases[] = {
        {true, true, "autosave type all\r\nautosave  time 03:00:00\r\nautosave time on\r\n\r\n", "真"},
        {true, false, "autosave time off\r\n\r\n", "假"},
        {false, true,
         "autosave type all\r\nautosave  interval 1440\r\nautosave  interval configuration 1440\r\nautosave "
         "interval "
         "on\r\n\r\n",
         "真"},
        {false, false, "autosave interval off\r\n\r\n", "假"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        const Setting &key = c.timed ? settings::TimedSave : settings::IntervalSave;
        const auto apply = [&](PageFlow &f) {
            return c.timed ? setTimedSave(f.context, c.on, QStringLiteral("03:00:00"))
                           : setIntervalSave(f.context, c.on, QStringLiteral("1440"));
        };
        PageFlow f;
        EXPECT_TRUE(apply(f));
        EXPECT_EQ(f.writes(), QStringList{QString::fromUtf8(c.script)});
        EXPECT_EQ(f.settings.read(key), QString::fromUtf8(c.stored));
        EXPECT_TRUE(f.op.boxes.isEmpty());

        PageFlow lost;
        lost.sink.connected = false;
        lost.settings.writeSwitch(key, !c.on);
        EXPECT_FALSE(apply(lost));
        EXPECT_EQ(lost.settings.read(key), c.on ? QStringLiteral("假") : QStringLiteral("真"))
            << "kept as it was";
        EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
    }
    PageFlow f;
    EXPECT_FALSE(setTimedSave(f.context, true, QStringLiteral("03:00\n:00")));
    EXPECT_TRUE(f.sink.writes.isEmpty());
    EXPECT_EQ(f.settings.read(settings::TimedSave), QString());
}
