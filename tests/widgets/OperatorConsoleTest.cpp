#include "widgets/OperatorConsole.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace tw;

// A read far bigger than the pane keeps goes in over several event-loop turns and leaves the
// newest lines, in order, with nothing lost between the turns; what text() gives is always the
// pane with what is still to come.
TEST(OperatorConsole, KeepsTheNewestLinesOfAHugeRead) {
    OperatorConsole console;
    const int lines = OperatorConsole::MaxLines + OperatorConsole::TrimLines + 20000;
    QString read;
    for (int i = 0; i < lines; ++i)
        read += QStringLiteral("line %1\r\n").arg(i);
    console.append(read);
    ASSERT_GT(read.size(), OperatorConsole::FlushChars * 2);

    const QString last = QStringLiteral("line %1\n").arg(lines - 1);
    int turnsThatAdded = 0;
    for (int turn = 0; turn < 40; ++turn) {
        EXPECT_TRUE(console.text().endsWith(last)) << "turn " << turn;
        const int before = console.pane->blockCount();
        QApplication::processEvents();
        turnsThatAdded += console.pane->blockCount() != before;
    }
    EXPECT_GT(turnsThatAdded, 2) << "one turn took all of it";

    const QStringList shown = console.text().split(u'\n', Qt::SkipEmptyParts);
    EXPECT_GE(shown.size(), OperatorConsole::MaxLines - 1)
        << "the last line is the empty one after the last line end";
    EXPECT_LE(shown.size(), OperatorConsole::MaxLines + OperatorConsole::TrimLines);
    const int first = shown.first().sliced(5).toInt();
    for (int k = 0; k < shown.size(); ++k)
        ASSERT_EQ(shown[k], QStringLiteral("line %1").arg(first + k)) << "line " << k;
    EXPECT_EQ(shown.last(), QStringLiteral("line %1").arg(lines - 1));

    console.clear();
    EXPECT_TRUE(console.text().isEmpty());
}

// Reads that come one after another, as the pages of a listing do, go into the pane in a few
// batches and in order; the first read after a quiet spell shows on the next turn.
TEST(OperatorConsole, BatchesReadsThatFollowEachOther) {
    OperatorConsole console;
    console.append(QStringLiteral("first\r\n"));
    QApplication::processEvents();
    EXPECT_EQ(console.pane->toPlainText(), QStringLiteral("first\n"));
    EXPECT_FALSE(console.hasPendingText());

    int inserts = 0;
    QObject::connect(console.pane->document(), &QTextDocument::contentsChange,
                     [&](int, int, int added) { inserts += added > 0; });
    QString expected = QStringLiteral("first\n");
    for (int page = 0; page < 200; ++page) {
        const QString line = QStringLiteral("page %1\r\n").arg(page);
        console.append(line);
        expected += QStringLiteral("page %1\n").arg(page);
        QApplication::processEvents();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !console.hasPendingText(); }, 2000));
    EXPECT_EQ(console.pane->toPlainText(), expected);
    EXPECT_LT(inserts, 50) << "a read per insert";
}
