#include "wizards/SecurityToggles.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(SecurityToggles, EachBoxSendsItsLineAndStoresItsKeyOnlyWhenSent) {
    const struct {
        const char *caption, *key, *on, *off;
    } expected[] = {
        {"IP优化全局", "IP优化全局", "security anti-ipattack enable\r\n",
         "security anti-ipattack disable\r\n"},
        {"防御IP欺骗", "防御IP欺骗", "security anti-ipspoofing enable\r\n",
         "security anti-ipspoofing disable\r\n"},
        {"防御MAC漂移", "防御MAC漂移", "security anti-macduplicate enable\r\n",
         "security anti-macduplicate disable\r\n"},
        {"防御MAC欺骗", "防御MAC欺骗", "security anti-macspoofing enable\r\n",
         "security anti-macspoofing disable\r\n"},
        {"防御DOS攻击", "防御DOS攻击", "security anti-dos enable\r\n", "security anti-dos disable\r\ny\r\n"},
        {"防御ICMP攻击", "防御ICMP攻击", "security anti-icmpattack enable\r\n",
         "security anti-icmpattack disable\r\n"},
        {"防御环路功能", "防御环路", "ring check enable\r\n", "ring check disable\r\ny\r\n"},
        {"防御IPV6欺骗", "防御IPV6欺骗", "security anti-ipv6spoofing enable\r\n",
         "security anti-ipv6spoofing disable\r\ny\r\n"},
    };
    ASSERT_EQ(std::size(SecurityToggles), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const SecurityToggle &t = SecurityToggles[i];
        const auto &e = expected[i];
        SCOPED_TRACE(e.caption);
        EXPECT_EQ(QString::fromUtf16(t.caption), QString::fromUtf8(e.caption));
        const Setting key = settings::other(t.key);
        EXPECT_EQ(key.key, QString::fromUtf8(e.key));

        PageFlow f;
        EXPECT_TRUE(applySecurityToggle(f.context, t, true));
        EXPECT_EQ(f.settings.read(key), QStringLiteral("真"));
        EXPECT_TRUE(applySecurityToggle(f.context, t, false));
        EXPECT_EQ(f.settings.read(key), QStringLiteral("假"));
        EXPECT_EQ(f.writes(), (QStringList{QString::fromUtf8(e.on), QString::fromUtf8(e.off)}));
        EXPECT_TRUE(f.op.boxes.isEmpty()) << "no question, no notice";
        EXPECT_EQ(f.logText(), QString());

        PageFlow lost;
        lost.sink.connected = false;
        EXPECT_FALSE(applySecurityToggle(lost.context, t, true));
        EXPECT_EQ(lost.settings.read(key), QString()) << "nothing stored for a switch the OLT never got";
        EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
    }
}
