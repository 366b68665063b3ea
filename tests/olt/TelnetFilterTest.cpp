#include "olt/TelnetFilter.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}
constexpr int IAC = 0xFF, DONT = 0xFE, DO = 0xFD, WONT = 0xFC, WILL = 0xFB, SB = 0xFA, SE = 0xF0;
constexpr int ECHO = 1, SGA = 3, TTYPE = 24, NAWS = 31;
} // namespace

TEST(TelnetFilter, RefusesEveryOfferAndRequestAndStripsCommands) {
    TelnetFilter filter;
    const auto r = filter.feed(bytes({IAC, WILL, ECHO, IAC, DO, TTYPE, 'a', IAC, WONT, SGA, IAC, DONT, NAWS,
                                      'b', IAC, 0xF1 /* NOP */, 'c'}));
    EXPECT_EQ(r.data, QByteArray("abc"));
    // WONT and DONT are acknowledgements; answering them would start a loop.
    EXPECT_EQ(r.reply, bytes({IAC, DONT, ECHO, IAC, WONT, TTYPE}));
}

TEST(TelnetFilter, EscapedIacIsOneDataByte) {
    TelnetFilter filter;
    EXPECT_EQ(filter.feed(bytes({'x', IAC, IAC, 'y'})).data, bytes({'x', 0xFF, 'y'}));
    // Split between the two bytes of the escape.
    EXPECT_EQ(filter.feed(bytes({'x', IAC})).data, QByteArray("x"));
    EXPECT_EQ(filter.feed(bytes({IAC, 'y'})).data, bytes({0xFF, 'y'}));
}

TEST(TelnetFilter, CommandsSplitAcrossReadsKeepState) {
    TelnetFilter filter;
    auto a = filter.feed(bytes({'l', 'o', IAC}));
    auto b = filter.feed(bytes({WILL}));
    auto c = filter.feed(bytes({ECHO, 'g'}));
    EXPECT_EQ(a.data + b.data + c.data, QByteArray("log"));
    EXPECT_EQ(a.reply + b.reply + c.reply, bytes({IAC, DONT, ECHO}));

    // A subnegotiation (with an escaped IAC inside) split across reads is dropped whole.
    a = filter.feed(bytes({'1', IAC, SB, TTYPE, 1, IAC}));
    b = filter.feed(bytes({IAC, 'v', 't', IAC}));
    c = filter.feed(bytes({SE, '2'}));
    EXPECT_EQ(a.data + b.data + c.data, QByteArray("12"));
    EXPECT_TRUE((a.reply + b.reply + c.reply).isEmpty());
}

TEST(TelnetFilter, CarriageReturnNulIsABareCarriageReturn) {
    TelnetFilter filter;
    EXPECT_EQ(filter.feed(QByteArray("a\r\0b\r\n", 6)).data, QByteArray("a\rb\r\n"));
    EXPECT_EQ(filter.feed(QByteArray("c\r")).data, QByteArray("c\r"));
    EXPECT_EQ(filter.feed(QByteArray("\0d", 2)).data, QByteArray("d"));
    // A NUL anywhere else is data.
    EXPECT_EQ(filter.feed(QByteArray("e\0f", 3)).data, QByteArray("e\0f", 3));
}

TEST(TelnetFilter, ResetStartsANewStream) {
    TelnetFilter filter;
    filter.feed(bytes({IAC}));
    filter.reset();
    EXPECT_EQ(filter.feed(bytes({WILL, 'x'})).data, bytes({WILL, 'x'}));
}
