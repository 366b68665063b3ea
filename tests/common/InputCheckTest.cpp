#include "common/InputCheck.h"
#include "common/Gbk.h"
#include "TestDoubles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tw;

TEST(InputCheck, TypedValuesThatWouldAddCliLinesAreRefused) {
    const struct {
        const char16_t *value;
        bool accepted;
        const char16_t *quoted; // as a one-word value; nullptr when refused
    } cases[] = {
        {u"", true, u"\"\""},
        {u"zhou 100-1", true, u"\"zhou 100-1\""},
        {u"机房\u3000一", true, u"\"机房\u3000一\""},
        {u"a\nb", false, nullptr},
        {u"a\r\nquit", false, nullptr},
        {u"tab\there", false, nullptr},
        {u"soh\x01x", false, nullptr},
        {u"esc\x1b[1D", false, nullptr},
        {u"del\x7f", false, nullptr},
        {u"c1\u0085", false, nullptr},
        {u"sep\u2028", false, nullptr},
        {u"say \"hi\"", true, nullptr},
    };
    for (const auto &c : cases) {
        const QString value = QString::fromUtf16(c.value);
        SCOPED_TRACE(value.toStdString());
        test::ScriptedOperator op;
        EXPECT_EQ(acceptTyped(op, value, QStringLiteral("ONT备注")), c.accepted);
        EXPECT_EQ(op.boxes.size(), c.accepted ? 0 : 1);
        if (!c.accepted) {
            EXPECT_TRUE(op.boxes[0].text.contains(QStringLiteral("“ONT备注”")));
        }

        test::ScriptedOperator quoting;
        const std::optional<QString> word = quotedWord(quoting, value, QStringLiteral("ONT备注"));
        EXPECT_EQ(word.has_value(), c.quoted != nullptr);
        if (word) {
            EXPECT_EQ(*word, QString::fromUtf16(c.quoted));
        }
        EXPECT_EQ(quoting.boxes.size(), word ? 0 : 1);
    }
    test::ScriptedOperator op;
    EXPECT_FALSE(acceptTyped(op, QStringLiteral("a") + QChar(0) + QStringLiteral("b"), QStringLiteral("x")));
}

TEST(InputCheck, AFailedSendTellsTheOperatorOnce) {
    test::ScriptedOperator op;
    test::RecordingSink sink;
    EXPECT_TRUE(sendOrTell(sink, op, QStringLiteral("display board 0\r\n")));
    EXPECT_TRUE(op.boxes.isEmpty());
    sink.connected = false;
    EXPECT_FALSE(sendOrTell(sink, op, QStringLiteral("display board 0\r\n")));
    ASSERT_EQ(op.boxes.size(), 1);
    EXPECT_EQ(op.boxes[0].text, NotConnectedNotice);
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(sink.writes.size(), 1);
}

namespace {

struct KindCase {
    FieldKind kind;
    std::vector<const char16_t *> good, bad;
};

void expectKind(const KindCase &c) {
    for (const char16_t *v : c.good) {
        const QString value = QString::fromUtf16(v);
        EXPECT_EQ(fieldProblem(value, QStringLiteral("字段"), c.kind), QString()) << value.toStdString();
    }
    for (const char16_t *v : c.bad) {
        const QString value = QString::fromUtf16(v);
        test::ScriptedOperator op;
        EXPECT_FALSE(acceptField(op, value, QStringLiteral("字段"), c.kind)) << value.toStdString();
        ASSERT_EQ(op.boxes.size(), 1) << value.toStdString();
        EXPECT_TRUE(op.boxes[0].text.startsWith(QStringLiteral("“字段”"))) << "the notice names the field";
        EXPECT_TRUE(op.boxes[0].text.contains(QStringLiteral("命令没有发送")));
    }
}

} // namespace

// Numbers as the CLI takes them: digits only, inside the command's range, edges included.
TEST(InputCheck, NumbersHoldTheCliRanges) {
    const KindCase cases[] = {
        {FieldKind::Vlan, {u"1", u"100", u"4094"}, {u"", u"0", u"4095", u"abc", u"1 2", u"-1", u"+5", u"1.5", u"１０"}},
        {FieldKind::Frame, {u"0", u"7"}, {u"8", u"", u"0 "}},
        {FieldKind::Slot, {u"0", u"22"}, {u"23", u"1/2"}},
        {FieldKind::Port, {u"0", u"15"}, {u"16", u"x"}},
        {FieldKind::OntId, {u"0", u"127"}, {u"128", u"", u"5\u30006"}},
        {FieldKind::ProfileId, {u"0", u"8192"}, {u"8193", u"1 2", u""}},
        {FieldKind::DbaProfileId, {u"1", u"512"}, {u"0", u"513"}},
        {FieldKind::ServicePort, {u"0", u"65535"}, {u"65536", u"111 112", u"99999999999999999999"}},
        {FieldKind::GemPort, {u"0", u"1023"}, {u"1024"}},
        {FieldKind::Number, {u"0", u"999999999"}, {u"", u"1000000000", u"1e3"}},
        {FieldKind::IdleMinutes, {u"0", u"35791"}, {u"35792", u"10 0"}},
        {FieldKind::SaveInterval, {u"10", u"10080"}, {u"9", u"10081"}},
    };
    for (const KindCase &c : cases) {
        SCOPED_TRACE(int(c.kind));
        expectKind(c);
    }
}

// One CLI word each: no blank (half- or full-width), no quote, within the length the OLT takes.
TEST(InputCheck, TokensAreOneWordOfTheirShape) {
    const KindCase cases[] = {
        {FieldKind::Serial,
         {u"4857544300000001", u"485754430a1b2c3d", u"HWTC-0000ABCD"},
         {u"", u"HWTC 1234", u"485754430000001", u"48575443000000012", u"4857544300000G01", u"HWTC-0000ABC"}},
        {FieldKind::Mac, {u"00E0-FC00-0001", u"00e0-fc00-000a"}, {u"00E0FC000001", u"00E0-FC00-00 1", u"00E0-FC00-000G"}},
        {FieldKind::Loid, {u"a", u"loid-0001", u"123456789012345678901234"}, {u"", u"a b", u"1234567890123456789012345", u"a\"b"}},
        {FieldKind::OntPassword, {u"1", u"1234567890"}, {u"", u"12345678901", u"pa ss"}},
        {FieldKind::Word, {u"OLT-东区", u"x"}, {u"", u"OLT 1", u"OLT\u30001", u"\"q\""}},
        {FieldKind::Board, {u"0/1", u"7/22"}, {u"0/23", u"0 1", u"0/1/0", u"/1", u"0/"}},
        {FieldKind::PortRef, {u"0/19/0", u"0/1/15"}, {u"0/19", u"0/1/16"}},
        {FieldKind::Ipv4, {u"192.168.1.1", u"0.0.0.0", u"255.255.255.0"}, {u"256.1.1.1", u"1.2.3", u"1.2.3.4 ", u"a.b.c.d"}},
        {FieldKind::VlanSpan, {u"200", u"200-202", u"5-5"}, {u"202-200", u"200-", u"0-3", u"200 202"}},
        {FieldKind::ClockTime, {u"00:00:00", u"23:59:59"}, {u"24:00:00", u"3:00:00", u"03:00", u"03:60:00"}},
        {FieldKind::Period, {u"1", u"1.5", u"60"}, {u"", u"0", u"0.5", u"abc", u"1 ", u"-2"}},
    };
    for (const KindCase &c : cases) {
        SCOPED_TRACE(int(c.kind));
        expectKind(c);
    }
}

// Text the encoder cannot map would go out as "?", which the CLI reads as its help key: every kind
// refuses it, and names the character.
TEST(InputCheck, TextGbkCannotEncodeIsRefused) {
    EXPECT_EQ(firstNonGbk(QStringLiteral("机房 A-1\u3000·")), -1);
    EXPECT_EQ(firstNonGbk(QStringLiteral("OLT😀")), 3);
    EXPECT_EQ(firstNonGbk(QStringLiteral("a\u0628")), 1) << "Arabic has no GBK code";
    EXPECT_EQ(firstNonGbk(QStringLiteral("?")), -1) << "a question mark typed as such is itself";
    for (const FieldKind kind : {FieldKind::Text, FieldKind::Word}) {
        test::ScriptedOperator op;
        EXPECT_FALSE(acceptField(op, QStringLiteral("OLT😀"), QStringLiteral("系统更名"), kind));
        ASSERT_EQ(op.boxes.size(), 1);
        EXPECT_EQ(op.boxes[0].text,
                  QStringLiteral("“系统更名”中含有OLT不能接收的字符“😀”，命令没有发送！请删除后重试。"));
    }
    test::ScriptedOperator op;
    EXPECT_FALSE(quotedWord(op, QStringLiteral("\u0628\u0627\u0628"), QStringLiteral("备注")).has_value());
    EXPECT_TRUE(acceptField(op, QStringLiteral("机房一"), QStringLiteral("备注"), FieldKind::Text));
}

TEST(InputCheck, ListsCheckEveryPiece) {
    test::ScriptedOperator op;
    EXPECT_EQ(acceptList(op, QStringLiteral("100，101, 102"), QStringLiteral("索引ID"), FieldKind::ServicePort),
              (QStringList{"100", "101", " 102"}))
        << "pieces stay as typed; blanks beside a comma are allowed";
    EXPECT_TRUE(op.boxes.isEmpty());
    EXPECT_EQ(acceptList(op, QStringLiteral(" , "), QStringLiteral("GemPort"), FieldKind::GemPort), QStringList())
        << "no piece: the caller decides whether that is fine";
    for (const char *bad : {"111 112", "100,abc", "100,70000", "1,\n2"}) {
        test::ScriptedOperator refused;
        EXPECT_FALSE(acceptList(refused, QString::fromUtf8(bad), QStringLiteral("索引ID"), FieldKind::ServicePort))
            << bad;
        EXPECT_EQ(refused.boxes.size(), 1) << bad;
    }
}
