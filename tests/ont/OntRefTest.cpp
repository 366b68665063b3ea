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
