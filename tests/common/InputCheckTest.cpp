#include "common/InputCheck.h"
#include "TestDoubles.h"

#include <gtest/gtest.h>

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
