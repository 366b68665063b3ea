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
