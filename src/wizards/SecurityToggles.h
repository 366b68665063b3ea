#pragma once
// The eight global protection switches of "基本配置": a click sends the switch's line and, once
// the OLT has it, stores the new state in config.ini (section 其他).

#include "common/PageContext.h"

#include <QString>

namespace tw {

struct SecurityToggle {
    const char16_t *caption;
    const char16_t *key;     // the config.ini key (其他)
    const char16_t *enable;  // the script when ticked
    const char16_t *disable; // the script when unticked
};

// In the group's order.
inline constexpr SecurityToggle SecurityToggles[] = {
    {u"IP优化全局", u"IP优化全局", u"security anti-ipattack enable\r\n",
     u"security anti-ipattack disable\r\n"},
    {u"防御IP欺骗", u"防御IP欺骗", u"security anti-ipspoofing enable\r\n",
     u"security anti-ipspoofing disable\r\n"},
    {u"防御MAC漂移", u"防御MAC漂移", u"security anti-macduplicate enable\r\n",
     u"security anti-macduplicate disable\r\n"},
    {u"防御MAC欺骗", u"防御MAC欺骗", u"security anti-macspoofing enable\r\n",
     u"security anti-macspoofing disable\r\n"},
    {u"防御DOS攻击", u"防御DOS攻击", u"security anti-dos enable\r\n", u"security anti-dos disable\r\ny\r\n"},
    {u"防御ICMP攻击", u"防御ICMP攻击", u"security anti-icmpattack enable\r\n",
     u"security anti-icmpattack disable\r\n"},
    {u"防御环路功能", u"防御环路", u"ring check enable\r\n", u"ring check disable\r\ny\r\n"},
    {u"防御IPV6欺骗", u"防御IPV6欺骗", u"security anti-ipv6spoofing enable\r\n",
     u"security anti-ipv6spoofing disable\r\ny\r\n"},
};

// Sends the toggle's script for the new state; stores the state only when it was sent. False
// (after telling the operator) when the OLT did not get it: the box goes back.
bool applySecurityToggle(PageContext &c, const SecurityToggle &toggle, bool on);

} // namespace tw
