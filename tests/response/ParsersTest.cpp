#include "common/Gbk.h"
#include "response/DiscoveryParser.h"
#include "response/OntRowParser.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
QByteArray gbk(const char *utf8) {
    return toGbk(QString::fromUtf8(utf8));
}
} // namespace

TEST(OntListParser, StopsAtNulAndClosesUpTheHeadOnly) {
    const QByteArray out = gbk("  0/ 1/0      3  ABC  激活  在线\r\n") + QByteArray("\0", 1) +
                           gbk("  0/ 1/1      4  DEF  激活  在线\r\n");
    const auto rows = parseOntList(out);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], (QStringList{"0/1/0", "3", "ABC", QStringLiteral("激活"), QStringLiteral("在线")}));
    // A full-width blank in the head is a blank too.
    const auto wide = parseOntList(gbk("0/\u30001/0  9 X 激活"));
    ASSERT_EQ(wide.size(), 1);
    EXPECT_EQ(wide[0][0], QStringLiteral("0/1/0"));
}

// A row is the words of its line after the head is closed up, each decoded as it stands, whatever
// bytes the line holds.
TEST(OntListParser, RowsAreTheWordsOfTheirLines) {
    const struct {
        const char *name;
        QByteArray line;
        QStringList cells;
    } cases[] = {
        {"a copy of the head further on is closed up too, its blanks with it",
         gbk("  0/ 1/0    3  SN  激活  在线  x  0/ 1/0"),
         {"0/1/0", "3", "SN", "激活", "在线", "x0/1/0"}},
        {"a head without blanks is left as it is",
         gbk("0/11/100 3 SN 激活 0/11/100"),
         {"0/11/100", "3", "SN", "激活", "0/11/100"}},
        {"a head of blanks only", gbk("        激活 a"), {"激活", "a"}},
        {"words beyond the columns are dropped",
         gbk("  0/ 1/0 0 SN 激活 在线 正常 匹配 否 extra"),
         {"0/1/0", "0", "SN", "激活", "在线", "正常", "匹配", "否"}},
        {"a lone CR stays in its word", gbk("  0/ 1/0 1 A\r 激活"), {"0/1/0", "1", "A\r", "激活"}},
        {"a lead byte without its trail byte",
         "  0/ 1/0 2 SN\xB0 " + gbk("激活"),
         {"0/1/0", "2", "SN\uFFFD", "激活"}},
        {"a full-width blank inside a word",
         gbk("  0/ 1/0 3 a\u3000b 激活"),
         {"0/1/0", "3", "a\u3000b", "激活"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto rows = parseOntList(c.line);
        ASSERT_EQ(rows.size(), 1);
        EXPECT_EQ(rows[0], c.cells);
        EXPECT_EQ(rows[0], ontRowCells(c.line, 8)) << "as the words decoded one by one";
    }
}

// Rows are found wherever their lines start and end, whether or not a line end closes the text.
TEST(OntListParser, EveryMarkedLineIsARow) {
    const QByteArray out =
        gbk("display ont info 0 all\r\n  0/ 1/0 0 A 激活\r\n-----\r\n\r\n  0/ 1/1 1 B 激活 激活\r\n"
            "  F/S/P ONT-ID 描述\r\n  0/ 1/1 2 C 去激活");
    const auto rows = parseOntList(out);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].value(2), QStringLiteral("A"));
    EXPECT_EQ(rows[1], (QStringList{"0/1/1", "1", "B", "激活", "激活"})) << "two markers, one row";
    EXPECT_EQ(rows[2], (QStringList{"0/1/1", "2", "C", "去激活"}));
    EXPECT_EQ(parseOntVersionList(gbk("x\r\n  0/ 2/0 5 ZTEG\r\nno\r\n0/")).size(), 2);
}

TEST(DiscoveryParser, FirstKeyByKind) {
    const QString gponThenEpon =
        QStringLiteral("   序列号 : 1\r\n   ONT SN : 4857544300000001 (HWTC-00000001)\r\n"
                       "---\r\n   序列号 : 1\r\n   ONT MAC : 00E0-FC00-0001\r\n");
    EXPECT_EQ(parseDiscovery(gponThenEpon, true).firstKey, QStringLiteral("4857544300000001"));
    EXPECT_EQ(parseDiscovery(gponThenEpon, false).firstKey, QStringLiteral("00E0-FC00-0001"));
    const QString eponOnly = QStringLiteral("   序列号 : 1\r\n   ONT MAC : 00E0-FC00-0001\r\n");
    EXPECT_EQ(parseDiscovery(eponOnly, true).firstKey, QString()) << "no SN: the boxes are emptied";
    EXPECT_EQ(parseDiscovery(NoDiscoveredOnt, true).rows.size(), 0);
}

TEST(DiscoveryParser, CleanKey) {
    EXPECT_EQ(cleanOntKey(QStringLiteral(" : 4857 5443(HWTC)(x) ")), QStringLiteral("48575443(HWTC)"));
    EXPECT_EQ(cleanOntKey(QStringLiteral("\u3000ABC\u3000")), QStringLiteral("ABC"));
    EXPECT_EQ(cleanOntKey(QString()), QString());
}
