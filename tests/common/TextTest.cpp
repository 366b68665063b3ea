#include "common/Text.h"
#include "common/Gbk.h"
#include "common/HeldLine.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(Gbk, RoundTripsChineseAndStopsAtNul) {
    const QString text = QStringLiteral("ONT编号 框/槽/端口\u3000end");
    const QByteArray bytes = toGbk(text);
    EXPECT_EQ(bytes.size(), 3 + 4 + 1 + 10 + 2 + 3); // CJK and U+3000 are two bytes each
    EXPECT_TRUE(bytes.contains("\xA1\xA1"));
    EXPECT_EQ(fromGbk(bytes), text);
    EXPECT_EQ(fromGbk(QByteArray("ab\0cd", 5)), QStringLiteral("ab"));
    EXPECT_EQ(untilNul(QByteArray("ab\0cd", 5)), QByteArrayView("ab"));
}

TEST(Gbk, StreamDecoderCarriesSplitCharacter) {
    const QByteArray bytes = toGbk(QStringLiteral("激活abc正常"));
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        GbkStreamDecoder dec;
        QString joined = dec.decode(bytes.first(cut));
        joined += dec.decode(bytes.sliced(cut));
        EXPECT_EQ(joined, QStringLiteral("激活abc正常")) << "cut at " << cut;
    }
}

TEST(Text, Between) {
    struct Case {
        const char *text, *left, *right, *want;
    } cases[] = {
        {"a[x]b", "[", "]", "x"},
        {"a[x]b[y]", "[", "]", "x"},
        {"a[x", "[", "]", ""},
        {"ax]", "[", "]", ""},
        {"SN : 1234 (abc)", "SN : ", " (", "1234"},
        {"::a::", "::", "::", "a"},
        {"aXXb", "X", "X", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(
            textBetween(QString::fromUtf8(c.text), QString::fromUtf8(c.left), QString::fromUtf8(c.right)),
            QString::fromUtf8(c.want))
            << c.text;
}

TEST(Text, BlanksIncludeFullWidthSpace) {
    EXPECT_EQ(removeBlanks(QStringLiteral(" a\u3000b c ")), QStringLiteral("abc"));
    EXPECT_EQ(trimBlanks(QStringLiteral("\u3000 a b\u3000 ")), QStringLiteral("a b"));
    EXPECT_EQ(trimBlanks(QStringLiteral("\u3000 ")), QString());
}

TEST(Text, LeadingIntDropsFraction) {
    EXPECT_EQ(leadingInt(u"12.7"), 12);
    EXPECT_EQ(leadingInt(u"abc"), 0);
    EXPECT_EQ(leadingInt(u" 23"), 23);
    EXPECT_EQ(leadingInt(u""), 0);
    EXPECT_EQ(leadingInt(u"99999999999"), 2147483647);
    EXPECT_EQ(leadingInt64(u"99999999999x"), 99999999999LL);
    EXPECT_EQ(leadingInt64(u"-99999999999999999999999"), -9223372036854775807LL);
}

TEST(Text, LineBreaksBecomeCrLf) {
    EXPECT_EQ(withCrLf(u"a\nb\r\nc\rd\n"), QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    EXPECT_EQ(withCrLf(u""), QString());
}

TEST(Text, MinutesToMsKeepsTheFractionUntilAfterTheProduct) {
    const struct {
        const char16_t *text;
        int ms;
    } cases[] = {{u"1", 60000},
                 {u"1.5", 90000},
                 {u"0.5", 30000},
                 {u" 2分钟", 120000},
                 {u".25", 15000},
                 {u"0", 0},
                 {u"-3", 0},
                 {u"abc", 0},
                 {u"", 0},
                 {u"1.", 60000},
                 {u"40000", 2147483647},
                 {u"99999999999999999999", 2147483647}};
    for (const auto &c : cases)
        EXPECT_EQ(minutesToMs(c.text), c.ms) << QString::fromUtf16(c.text).toStdString();
}

TEST(Text, CommaListsTakeBothCommasAndDropEmptyPieces) {
    EXPECT_EQ(splitCommaList(u"1，2,3"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(splitCommaList(u" 1 ,，2, ,"), (QStringList{" 1 ", "2"})) << "pieces go out as typed";
    EXPECT_EQ(splitCommaList(u"0,,1,"), (QStringList{"0", "1"}));
    EXPECT_TRUE(splitCommaList(u"").isEmpty());
    EXPECT_TRUE(splitCommaList(u"，\u3000,").isEmpty());
}

TEST(HeldLine, WhatFollowsAHelpContinuesOrErasesTheHeldCommand) {
    HeldLine line;
    EXPECT_EQ(line.prepare(QStringLiteral("display board 0\r\n")), QStringLiteral("display board 0\r\n"));
    EXPECT_EQ(line.help(QStringLiteral("display ont")), QStringLiteral("display ont?"));
    EXPECT_EQ(line.held(), QStringLiteral("display ont"));
    // Asked again further on, only the new part goes; then the completed command.
    EXPECT_EQ(line.help(QStringLiteral("display ont info")), QStringLiteral(" info?"));
    EXPECT_EQ(line.prepare(QStringLiteral("display ont info 0 1 0 all\r\n")),
              QStringLiteral(" 0 1 0 all\r\n"));
    EXPECT_TRUE(line.held().isEmpty());
    // Something else is sent while a command is held: it is erased first.
    line.help(QStringLiteral("disp"));
    EXPECT_EQ(line.prepare(QStringLiteral("Q\r\n")), QStringLiteral("\b\b\b\bQ\r\n"));
    // A multi-line entry: the lines before the last run; the last one is held.
    EXPECT_EQ(line.help(QStringLiteral("config\r\ninterface")), QStringLiteral("config\r\ninterface?"));
    EXPECT_EQ(line.held(), QStringLiteral("interface"));
    EXPECT_EQ(line.prepare(QStringLiteral("config\r\ninterface gpon 0/1\r\n")),
              QStringLiteral(" gpon 0/1\r\n"))
        << "the lines that already ran are not run again";
    line.help(QStringLiteral("x"));
    line.clear();
    EXPECT_EQ(line.prepare(QStringLiteral("x\r\n")), QStringLiteral("x\r\n"));
}
