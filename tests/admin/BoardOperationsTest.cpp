#include "admin/BoardOperations.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(BoardOperations, EachGroupAsksSendsAndLogs) {
    QString autoFind = QStringLiteral("interface epon 0/2\r\n");
    for (int n = 0; n < 16; ++n)
        autoFind += QStringLiteral("port %1 ont-auto-find enable\r\n").arg(n);
    autoFind += QStringLiteral("\r\nquit\r\n");
    const struct {
        BoardAction action;
        const char *board;
        std::vector<Answer> answers;
        const char *question;
        QStringList writes;
        const char *log; // nullptr: nothing logged
    } cases[] = {
        {BoardAction::Confirm,
         "0/2",
         {Y},
         "确实要确认该单板？",
         {"board confirm 0/2\r\n"},
         "   业务板确认0/2"},
        {BoardAction::PowerOff,
         "0/2",
         {Y},
         "该单板有业务正在运行, 关断电源会导致单板业务中断,确定要关断单板吗？",
         {"board power-off 0/2\r\ny\r\n"},
         "   业务板断电0/2"},
        {BoardAction::Delete,
         "0/2",
         {Y},
         "确实要删除该单板？",
         {"board delete 0/2\r\ny\r\n"},
         "   业务板删除0/2"},
        {BoardAction::PowerOn,
         "0/2",
         {Y},
         "确实要将该单板上电？",
         {"board power-on 0/2\r\n"},
         "   业务板上电0/2"},
        {BoardAction::Reset,
         "0/2",
         {Y},
         "确实要复位单板？",
         {"board reset 0/2\r\ny\r\n"},
         "   业务板复位0/2"},
        {BoardAction::AutoFind,
         "0/2",
         {Y, N},
         "确实要开启业务板所有端口发现吗？",
         {autoFind},
         "   开启0/2业务板所有端口发现！"},
        // No at the question, a pasted line break, and a board the interface line cannot take.
        {BoardAction::Delete, "0/2", {N}, "确实要删除该单板？", {}, nullptr},
        {BoardAction::AutoFind, "0/2", {N}, "确实要开启业务板所有端口发现吗？", {}, nullptr},
        {BoardAction::Reset, "0/2\r\nreboot system", {}, nullptr, {}, nullptr},
        {BoardAction::AutoFind, "0/", {}, nullptr, {}, nullptr},
        {BoardAction::AutoFind, "", {}, nullptr, {}, nullptr},
        // Every board command takes a frame/slot in the CLI's ranges.
        {BoardAction::Confirm, "", {}, nullptr, {}, nullptr},
        {BoardAction::PowerOff, "0/23", {}, nullptr, {}, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.action) << " board " << c.board << " answers " << c.answers.size());
        PageFlow f;
        f.op.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(runBoardAction(f.context, c.action, QString::fromUtf8(c.board)), !c.writes.isEmpty());
        EXPECT_TRUE(f.op.answers.empty());
        EXPECT_EQ(f.writes(), c.writes);
        if (c.question) {
            EXPECT_EQ(f.op.boxes.value(0).text, QString::fromUtf8(c.question));
            EXPECT_EQ(f.op.boxes.value(0).icon, BoxIcon::Question);
        } else {
            ASSERT_EQ(f.op.boxes.size(), 1) << "refused with a notice, before any question";
            EXPECT_EQ(f.op.boxes[0].kind, Box::Notice);
        }
        EXPECT_EQ(f.logText(),
                  c.log ? QStringLiteral("09:00:00") + QString::fromUtf8(c.log) + QStringLiteral("\r\n")
                        : QString());
    }
}

TEST(BoardOperations, ConfirmAllAndLostWrites) {
    PageFlow f;
    EXPECT_TRUE(confirmAllBoards(f.context));
    EXPECT_EQ(f.writes(), QStringList{"board confirm 0\r\n"});
    EXPECT_TRUE(f.op.boxes.isEmpty());
    EXPECT_EQ(f.logText(), QString());

    for (const BoardGroup &g : BoardGroups) {
        PageFlow lost;
        lost.sink.connected = false;
        lost.op.agreeWith = QString();
        EXPECT_FALSE(runBoardAction(lost.context, g.action, QStringLiteral("0/2")));
        EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
        EXPECT_EQ(lost.logText(), QString()) << "nothing logged as done";
    }
    PageFlow lost;
    lost.sink.connected = false;
    EXPECT_FALSE(confirmAllBoards(lost.context));
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
}
