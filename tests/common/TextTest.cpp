#include "common/Text.h"
#include "common/ByteFinder.h"
#include "common/Gbk.h"
#include "common/HeldLine.h"

#include "GuardedBytes.h"

#include <QRandomGenerator>
#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace tw;

TEST(Gbk, RoundTripsChineseAndStopsAtNul) {
    const QString text = QStringLiteral("ONT编号 框/槽/端口\u3000end");
    const QByteArray bytes = toGbk(text);
    EXPECT_EQ(bytes.size(), 3 + 4 + 1 + 10 + 2 + 3); // CJK and U+3000 are two bytes each
    EXPECT_TRUE(bytes.contains("\xA1\xA1"));
    EXPECT_EQ(fromGbk(bytes), text);
    EXPECT_EQ(fromGbk(QByteArray("ab\0cd", 5)), QStringLiteral("ab"));
    EXPECT_EQ(fromGbk("ab\xB0"), QStringLiteral("ab\uFFFD")) << "a lead byte at the end is not dropped";
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

// Text is decoded from a table of what the decoder gives for each pair: it must give exactly what
// the decoder gives, for every pair and for any mix with ASCII, lone lead bytes, invalid trail
// bytes and the single bytes 0x80 and 0xFF (which the table leaves to the decoder).
TEST(Gbk, TableDecodesAsTheDecoderDoes) {
    // The decoder keeps back a lead byte that ends the text; fromGbk shows it as U+FFFD.
    const auto decoder = [](QByteArrayView bytes) {
        QStringDecoder dec("GBK");
        QString text = dec.decode(bytes);
        if (completeGbkPrefix(bytes) < bytes.size()) text += QChar::ReplacementCharacter;
        return text;
    };
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const char pair[] = {char(lead), char(trail)};
            ASSERT_EQ(fromGbk(QByteArrayView(pair, 2)), decoder(QByteArrayView(pair, 2)))
                << lead << " " << trail;
        }
    }
    const QByteArray pieces[] = {
        "a",    " ",    "\r\n",  toGbk(u"激活"), toGbk(u"\u3000"), "\x81",
        "\x80", "\xFF", "\xB0U", "\xA1\x7F",     "\xFE\xFE",       "\x81\x30\x81\x30"};
    QRandomGenerator random(7);
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes;
        for (int n = random.bounded(1, 10); n > 0; --n)
            bytes += pieces[random.bounded(int(std::size(pieces)))];
        SCOPED_TRACE(bytes.toHex(' ').toStdString());
        const QString want = decoder(bytes);
        EXPECT_EQ(fromGbk(bytes), want);
    }
}

// Whichever byte of the pattern the search anchors on, it finds what a plain search finds, and
// never reads before the bytes it is given.
TEST(ByteFinder, FindsEveryOccurrenceAPlainSearchFinds) {
    const char alphabet[] = {' ', '-', 'a', '\x1b', '\xbc', '\r'};
    QRandomGenerator random(11);
    const auto draw = [&](int size) {
        QByteArray bytes;
        for (int k = 0; k < size; ++k)
            bytes += alphabet[random.bounded(int(std::size(alphabet)))];
        return bytes;
    };
    for (int i = 0; i < 5000; ++i) {
        const QByteArray haystack = draw(random.bounded(0, 40));
        const QByteArray needle = draw(random.bounded(1, 6));
        const qsizetype from = random.bounded(0, int(haystack.size()) + 2);
        const test::GuardedBytes guarded(haystack);
        EXPECT_EQ(ByteFinder(needle).indexIn(guarded.view(), from), haystack.indexOf(needle, from))
            << "'" << haystack.toStdString() << "' '" << needle.toStdString() << "' from " << from;
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
