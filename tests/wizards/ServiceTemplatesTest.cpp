#include "wizards/ServiceTemplates.h"
#include "CommissioningFields.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(CommissioningScript, OneKeyScriptOfAFirstStart) {
    const QString expected = crLfLines({
        "",
        "board confirm 0",
        "",
        "idle-timeout 120",
        "",
        "",
        "",
        "dba-profile add profile-id 11 profile-name \"DBA_FTTH_4\" type4 max 102400",
        "",
        "ont-lineprofile gpon profile-id 10 profile-name \"GPON_Kelvara\"",
        "",
        "tcont 1 dba-profile-id 11",
        "",
        "gem add 1 eth tcont 1",
        "",
        "gem mapping 1 1 vlan 41",
        "",
        "",
        "",
        "commit",
        "",
        "quit",
        "",
        "ont-srvprofile gpon profile-id 20 profile-name \"GPON_Brindle\"",
        "",
        "ont-port pots adaptive eth adaptive",
        "",
        "port vlan eth 1 translation 41 user-vlan 41",
        "",
        "port vlan eth 2 translation 41 user-vlan 41",
        "",
        "",
        "",
        "",
        "",
        "commit",
        "",
        "quit",
        "",
        "",
        "ont-lineprofile epon profile-id 30 profile-name \"EPON_Kelvara\"",
        "",
        "llid dba-profile-id 11",
        "",
        "commit",
        "",
        "quit",
        "",
        "ont-srvprofile epon profile-id 40 profile-name \"EPON_Brindle\"",
        "",
        "ont-port pots adaptive eth adaptive",
        "",
        "port eth 1 multicast-tagstrip untag",
        "",
        "commit",
        "",
        "quit",
        "",
    });
    EXPECT_EQ(commissioningScript(firstStart()), expected + outerVlanTail());
}

TEST(CommissioningScript, IptvScriptOfAFirstStart) {
    const QString expected = crLfLines({
        "vlan 3444 smart",
        "y",
        "",
        "port vlan 3444 0/19 0",
        "y",
        "",
        "vlan 3501 smart",
        "y",
        "",
        "port vlan 3501 0/19 0",
        "y",
        "",
        "vlan desc 3444 description IPTV_DIANBO",
        "vlan desc 3501 description IPTV_ZUBO",
        "",
        "",
        "ont-lineprofile gpon profile-id 10 profile-name \"GPON_Kelvara\"",
        "",
        "gem mapping 1 2 vlan 45",
        "",
        "commit",
        "",
        "quit",
        "",
        "ont-srvprofile gpon profile-id 20 profile-name \"GPON_Brindle\"",
        "",
        "multicast-forward untag",
        "",
        // The translation lines are built before "*点播内层*" is filled, so they get it too.
        "port vlan eth 1 translation 45 user-vlan 45",
        "",
        "port vlan eth 3 translation 45 user-vlan 45",
        "",
        "",
        "",
        "commit",
        "",
        "quit",
        "",
        "",
        "",
        "",
        "multicast-vlan 3501",
        "",
        "igmp version v2",
        "y",
        "",
        "igmp mode off",
        "y",
        "",
        "igmp match mode disable",
        "",
        "igmp mode proxy",
        "y",
        "",
        "igmp uplink-port 0/19/0",
        "",
        "quit",
        "",
    });
    EXPECT_EQ(iptvScript(iptvFirstStart()), expected);
}

TEST(CommissioningScript, EachPlaceholderTakesItsField) {
    CommissioningInput in = firstStart();
    in.profiles = {"101", "102", "103", "104", "105", "106"};
    in.dbaProfile = "107";
    in.innerVlan = "108";
    in.ethPorts = "4";
    const QString script = commissioningScript(in);
    for (const char *line : {
             "dba-profile add profile-id 107 profile-name \"DBA_FTTH_4\" type4 max 102400\r\n",
             "ont-lineprofile gpon profile-id 101 profile-name \"GPON_Kelvara\"\r\n",
             "tcont 1 dba-profile-id 105\r\n",
             "gem mapping 1 1 vlan 108\r\n",
             "ont-srvprofile gpon profile-id 102 profile-name \"GPON_Brindle\"\r\n",
             "\r\nport vlan eth 4 translation 108 user-vlan 108\r\n\r\n\r\n",
             "ont-lineprofile epon profile-id 103 profile-name \"EPON_Kelvara\"\r\n",
             "llid dba-profile-id 106\r\n",
             "ont-srvprofile epon profile-id 104 profile-name \"EPON_Brindle\"\r\n",
         })
        EXPECT_TRUE(script.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(script.contains(u'*')) << "no placeholder left";

    const QString iptvText = iptvScript({"201", "202", "203", "0/20", "1", "205", "206", ""});
    for (const char *line : {
             "port vlan 203 0/20 1\r\n",
             "port vlan 206 0/20 1\r\n",
             "ont-lineprofile gpon profile-id 201 profile-name \"GPON_Kelvara\"\r\n",
             "gem mapping 1 2 vlan 205\r\n",
             "ont-srvprofile gpon profile-id 202 profile-name \"GPON_Brindle\"\r\n",
             "multicast-forward untag\r\n\r\n\r\n\r\ncommit\r\n", // no ETH port: the row stays empty
             "multicast-vlan 206\r\n",
             "igmp uplink-port 0/20/1\r\n",
         })
        EXPECT_TRUE(iptvText.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(iptvText.contains(u'*'));
}

TEST(CommissioningScript, ReplacementFillsEarlierInsertionsButNeverRescans) {
    EXPECT_EQ(fillPlaceholders(QStringLiteral("a *x* b *x*"), {{"*x*", "*x**y*"}, {"*y*", "1"}}),
              QStringLiteral("a *x*1 b *x*1"));
    EXPECT_EQ(fillPlaceholders(QStringLiteral("*GXL* *gxl*"), {{"*gxl*", "10"}}), QStringLiteral("*GXL* 10"));
}

TEST(CommissioningScript, EthPortListsAndBandwidth) {
    const struct {
        const char *typed;
        QStringList ports;
    } lists[] = {
        {"1，2", {"1", "2"}}, {"1,2,", {"1", "2"}}, {"1,,2", {"1", "2"}}, {"", {}}, {"3", {"3"}},
    };
    for (const auto &l : lists)
        EXPECT_EQ(ethPorts(QString::fromUtf8(l.typed)), l.ports) << l.typed;
    EXPECT_EQ(withHalfWidthCommas(QStringLiteral("1，2，3")), QStringLiteral("1,2,3"));
    EXPECT_EQ(ethTranslationLines({"1", "2"}, QStringLiteral("*v*")),
              QStringLiteral("port vlan eth 1 translation *v* user-vlan *v*\r\n\r\n"
                             "port vlan eth 2 translation *v* user-vlan *v*\r\n\r\n"));

    const struct {
        const char *megabits;
        int max;
    } bandwidths[] = {
        {"50", 51200},   {"48", 51200},   {"1000", 1024000},
        {"abc", 51200},  {"", 51200},     {"100", 102400},
        {"48.9", 50073}, {"-100", 51200}, {"99999999999", 2147483647},
    };
    for (const auto &b : bandwidths)
        EXPECT_EQ(dbaMaxBandwidth(QString::fromUtf8(b.megabits)), b.max) << b.megabits;
}

TEST(CommissioningScript, OuterVlanTail) {
    const struct {
        bool create, qinq;
        const char *outer;
        QString tail;
    } cases[] = {
        {true, false, "100", outerVlanTail()},
        {true, true, "100", outerVlanTail() + QStringLiteral("vlan attrib 100 q-in-q\r\ny\r\n\r\n")},
        {true, true, "1", {}},
        {false, false, "100", {}},
        {false, true, "100", {}},
    };
    const QString base = commissioningScript([] {
        CommissioningInput in = firstStart();
        in.createOuterVlan = false;
        return in;
    }());
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.create << c.qinq << c.outer);
        CommissioningInput in = firstStart();
        in.createOuterVlan = c.create;
        in.qinq = c.qinq;
        in.outerVlan = QString::fromUtf8(c.outer);
        EXPECT_EQ(commissioningScript(in), base + c.tail);
    }
}
