#include "ont/OntRef.h"
#include "TestDoubles.h"
#include "common/ActivityLog.h"
#include "common/Gbk.h"
#include "common/GridModel.h"
#include "common/SettingsStore.h"
#include "ont/OntOperation.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(OntRef, DerivedTexts) {
    struct Case {
        const char *port, *board, *number, *spaced, *spacedBoard;
    } cases[] = {{"0/1/0", "0/1", "0", "0 1 0", "0 1"},
                 {"0/11/10", "0/11", "10", "0 11 10", "0 11"},
                 {"", "", "", "", ""},
                 {"7", "", "7", "7", ""}};
    for (const Case &c : cases) {
        const OntRef ont{QString::fromUtf8(c.port), {}, {}};
        EXPECT_EQ(ont.board(), QString::fromUtf8(c.board)) << c.port;
        EXPECT_EQ(ont.portNumber(), QString::fromUtf8(c.number)) << c.port;
        EXPECT_EQ(ont.spacedPort(), QString::fromUtf8(c.spaced)) << c.port;
        EXPECT_EQ(ont.spacedBoard(), QString::fromUtf8(c.spacedBoard)) << c.port;
    }
}

TEST(OntRef, ScriptShapes) {
    const OntRef ont{QStringLiteral("0/11/10"), QStringLiteral("5"), QStringLiteral("SN")};
    EXPECT_EQ(selectedOntScript(PonKind::Gpon, ont, QStringLiteral("ont reset"), QStringLiteral("y\r\n")),
              QStringLiteral("interface gpon 0/11\r\nont reset 10 5\r\ny\r\nquit\r\n"));
    EXPECT_EQ(selectedPortScript(PonKind::Epon, ont, QStringLiteral("ont activate")),
              QStringLiteral("interface epon 0/11\r\nont activate 10 all\r\nquit\r\n"));
    const QString board =
        selectedBoardScript(PonKind::Gpon, ont, QStringLiteral("ont reset"), QStringLiteral("y\r\n"));
    QString expected = QStringLiteral("interface gpon 0/11\r\n");
    for (int q = 0; q < 16; ++q)
        expected += QStringLiteral("ont reset %1 all\r\ny\r\n").arg(q);
    EXPECT_EQ(board, expected + QStringLiteral("quit\r\n"));
}

TEST(OntOperation, AsksSendsLogsNotifiesInOrder) {
    test::TempRunDir run;
    SettingsStore settings(run.config());
    ActivityLog log(settings, run.path(), test::FixedClock{QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))});
    test::ScriptedOperator op;
    test::RecordingSink sink;
    sink.connected = false; // changes still log and notify when the write is lost
    OperationContext ctx{op, sink, log};
    const OntRef ont{QStringLiteral("0/1/0"), QStringLiteral("3"), QStringLiteral("SN1")};
    const OntOperation activate{
        QStringLiteral("确实要激活？"), nullptr,
        [&](PonKind k) { return selectedOntScript(k, ont, QStringLiteral("ont activate")); },
        QStringLiteral("   激活ONT命令已发送"), requeryNotice(QStringLiteral("激活命令已发送，"))};

    op.answer(false);
    EXPECT_FALSE(activate.run(ctx));
    EXPECT_EQ(op.boxes.size(), 1) << "a No ends it before the kind question";

    sink.connected = true;
    op.answer(true);
    op.answer(false); // EPON
    EXPECT_TRUE(activate.run(ctx));
    EXPECT_EQ(sink.writes, QList<QByteArray>{"interface epon 0/1\r\nont activate 0 3\r\nquit\r\n"});
    ASSERT_EQ(op.boxes.size(), 4);
    EXPECT_EQ(op.boxes[2].text, QStringLiteral("GPON选是，EPON选否"));
    EXPECT_EQ(op.boxes[2].title, QStringLiteral("信息："));
    EXPECT_EQ(op.boxes[3].kind, test::Box::Notice);
    EXPECT_EQ(op.boxes[3].text, QStringLiteral("激活命令已发送，请等待程序执行完毕后重新查询以更新列表！"));
    EXPECT_EQ(run.readFile(QStringLiteral("日志/2024-01-02.txt")),
              tw::toGbk(QStringLiteral("03:04:05   激活ONT命令已发送\r\n")));
}
