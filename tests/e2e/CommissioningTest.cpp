// Commissioning and the VLAN/IP rows against the simulator: what each button leaves in the device,
// and that the command line is back in configuration mode after every one of them.

#include "ConsoleHarness.h"

#include "../sim/SetupCases.h"

#include "common/Settings.h"
#include "ont/OntPage.h"
#include "wizards/BasicConfigTab.h"
#include "wizards/CommissioningPage.h"
#include "wizards/SettingsPage.h"
#include "wizards/UplinkTab.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::e2e;
using sim::testing::at;

// Failures show JSON as JSON.
inline void PrintTo(const QJsonValue &v, std::ostream *os) {
    *os << QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
}
inline void PrintTo(const QJsonArray &v, std::ostream *os) {
    *os << QJsonDocument(v).toJson(QJsonDocument::Compact).toStdString();
}

namespace {

// An OLT as it comes out of "erase": boards waiting for confirmation, factory profiles, no VLANs,
// and every ONT on the fibre waiting to be found.
sim::Device erasedDevice() {
    sim::Device d = demoDevice();
    sim::eraseDevice(d);
    return d;
}

struct SetupHarness : ConsoleHarness {
    using ConsoleHarness::ConsoleHarness;

    // After a button: the output stands still at the configuration prompt, and a query typed next
    // completes there too.
    void expectConfigurationMode() {
        ASSERT_TRUE(settle()) << consoleText().right(800).toStdString();
        typeCommand(QStringLiteral("display board 0"));
        ASSERT_TRUE(waitForConsole(QStringLiteral("display board 0")));
        ASSERT_TRUE(settle()) << consoleText().right(800).toStdString();
        EXPECT_FALSE(consoleText().right(2000).contains(QStringLiteral("未知命令")))
            << consoleText().right(2000).toStdString();
    }

    void commission() {
        CommissioningPage &p = *window->commissioningPage;
        p.gponLineProfile->setText(QStringLiteral("10"));
        p.gponServiceProfile->setText(QStringLiteral("10"));
        p.eponLineProfile->setText(QStringLiteral("10"));
        p.eponServiceProfile->setText(QStringLiteral("10"));
        p.gponDba->setText(QStringLiteral("20"));
        p.eponDba->setText(QStringLiteral("20"));
        p.dbaProfile->setText(QStringLiteral("20"));
        op.answer(true);
        click(p.commissionButton);
    }
};

} // namespace

TEST(CommissioningE2E, OneKeyOnAnErasedOltThenAnOntRegistersOnItsProfiles) {
    SetupHarness h(erasedDevice());
    ASSERT_TRUE(h.startAndLogIn());
    h.commission();
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("vlan desc 100 description PPPOE")));
    h.expectConfigurationMode();
    EXPECT_TRUE(h.op.answers.empty());

    const QJsonObject d = h.sim.dump();
    EXPECT_EQ(at(d, "dbaProfiles|20|max"), 102400);
    EXPECT_EQ(at(d, "lineProfiles|gpon:10|tconts"), QJsonArray({QJsonObject{{"id", 1}, {"dbaProfile", 20}}}));
    EXPECT_EQ(at(d, "lineProfiles|gpon:10|mappings"),
              QJsonArray({QJsonObject{{"gem", 1}, {"index", 1}, {"vlan", 41}}}));
    EXPECT_EQ(at(d, "lineProfiles|epon:10|llidDbaProfile"), 20);
    EXPECT_EQ(at(d, "srvProfiles|gpon:10|portVlans").toArray().size(), 2); // ETH 1 and 2
    EXPECT_EQ(at(d, "srvProfiles|epon:10|multicastTagstrip|1"), "untag");
    EXPECT_EQ(at(d, "vlans|100|ports"), QJsonArray({"0/19/0"}));
    EXPECT_EQ(at(d, "vlans|100|desc"), "PPPOE");
    EXPECT_EQ(h.settings->read(settings::ServiceOuterVlan), QStringLiteral("100"));

    // An ONT waiting on the fibre registers from the tab on the profiles just made.
    QString key;
    QString port;
    QJsonArray waiting = d["autofind"].toArray();
    for (const QJsonValue &v : d["unreported"].toArray())
        waiting.append(v);
    for (const QJsonValue &v : waiting)
        if (v["port"].toString().startsWith(QStringLiteral("0/1/")) && v.toObject().contains("sn")) {
            key = v["sn"].toString();
            port = v["port"].toString().section('/', 2);
            break;
        }
    ASSERT_FALSE(key.isEmpty()) << QJsonDocument(waiting).toJson().toStdString();

    OntPage &page = *h.window->ontPage;
    page.registration.frame->setText(QStringLiteral("0"));
    page.registration.slot->setCurrentText(QStringLiteral("1"));
    page.registration.port->setCurrentText(port);
    page.serviceVlan->setText(QStringLiteral("100"));
    page.lineProfile->setText(QStringLiteral("10"));
    page.serviceProfile->setText(QStringLiteral("10"));
    page.manualSerial->setText(key);
    page.manualDescription->setText(QStringLiteral("after-commissioning"));
    h.op.answer(true); // GPON
    h.op.answer(true); // run the script
    page.registerButton->click();
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("sn-auth ") + key));
    h.expectConfigurationMode();

    bool found = false;
    for (const QJsonValue &o : h.sim.dump()["onts"].toArray())
        if (o["sn"].toString() == key) {
            found = true;
            EXPECT_EQ(o["lineProfile"].toInt(), 10);
            EXPECT_EQ(o["srvProfile"].toInt(), 10);
            EXPECT_EQ(o["runState"].toString(), QStringLiteral("online"));
        }
    EXPECT_TRUE(found);
}

TEST(CommissioningE2E, IptvTemplateAfterCommissioning) {
    SetupHarness h(erasedDevice());
    ASSERT_TRUE(h.startAndLogIn());
    h.commission();
    h.expectConfigurationMode();

    CommissioningPage &p = *h.window->commissioningPage;
    p.iptvEthPorts->setText(QStringLiteral("1，2")); // a full-width comma as operators type it
    h.click(p.iptvButton);
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("igmp uplink-port 0/19/0")));
    h.expectConfigurationMode();

    const QJsonObject d = h.sim.dump();
    EXPECT_EQ(at(d, "vlans|3444|desc"), "IPTV_DIANBO");
    EXPECT_EQ(at(d, "vlans|3501|desc"), "IPTV_ZUBO");
    EXPECT_EQ(at(d, "vlans|3444|ports"), QJsonArray({"0/19/0"}));
    EXPECT_EQ(at(d, "multicastVlans|3501|igmpMode"), "proxy");
    EXPECT_EQ(at(d, "multicastVlans|3501|igmpVersion"), "v2");
    EXPECT_EQ(at(d, "multicastVlans|3501|matchMode"), false);
    EXPECT_EQ(at(d, "multicastVlans|3501|uplinkPorts"), QJsonArray({"0/19/0"}));
    EXPECT_EQ(at(d, "lineProfiles|gpon:10|mappings").toArray().size(), 2); // service and VoD
    EXPECT_EQ(at(d, "srvProfiles|gpon:10|multicastForward"), "untag");
    EXPECT_EQ(at(d, "srvProfiles|gpon:10|portVlans").toArray().size(), 4);
}

TEST(UplinkE2E, VlanCreatedPassedThroughNativeThenTakenOutAndDeleted) {
    SetupHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    UplinkTab &u = *h.window->settingsPage->uplinkTab;

    u.createVlan->setText(QStringLiteral("2000"));
    u.description->setText(QStringLiteral("e2e"));
    u.vlanType->setCurrentText(QStringLiteral("smart"));
    h.op.answer(true);
    h.click(u.buttons[0]); // "创建"
    h.expectConfigurationMode();
    EXPECT_EQ(at(h.sim.dump(), "vlans|2000|desc"), "e2e");

    u.passThroughBoard->setText(QStringLiteral("0/19"));
    u.createPort->setCurrentText(QStringLiteral("0-1"));
    h.op.answer(true);
    h.click(u.buttons[1]); // "透传"
    h.expectConfigurationMode();
    EXPECT_EQ(at(h.sim.dump(), "vlans|2000|ports"), QJsonArray({"0/19/0", "0/19/1"}));

    u.uplinkBoard->setText(QStringLiteral("0/19"));
    u.uplinkPort->setCurrentText(QStringLiteral("1"));
    u.nativeVlan->setText(QStringLiteral("2000"));
    h.op.answer(true);
    h.click(u.buttons[2]); // "设置"
    h.expectConfigurationMode();
    EXPECT_EQ(at(h.sim.dump(), "nativeVlans|0/19/1"), 2000);

    // The native VLAN keeps 0/19/1 in; 0/19/0 comes out.
    u.deleteVlan->setText(QStringLiteral("2000"));
    u.deleteBoard->setText(QStringLiteral("0/19"));
    u.deletePort->setCurrentText(QStringLiteral("0"));
    h.click(u.buttons[4]); // "删除端口"
    h.expectConfigurationMode();
    EXPECT_EQ(at(h.sim.dump(), "vlans|2000|ports"), QJsonArray({"0/19/1"}));

    // A VLAN still in use is refused by the device; once free it goes. Both asked first.
    u.nativeVlan->setText(QStringLiteral("1"));
    h.op.answer(true);
    h.click(u.buttons[2]);
    h.expectConfigurationMode();
    u.deletePort->setCurrentText(QStringLiteral("1"));
    h.click(u.buttons[4]);
    h.expectConfigurationMode();
    h.op.answer(false);
    h.click(u.buttons[3]); // "删除VLAN", Cancel
    h.expectConfigurationMode();
    EXPECT_TRUE(at(h.sim.dump(), "vlans|2000").isObject());
    h.op.answer(true);
    h.click(u.buttons[3]);
    h.expectConfigurationMode();
    EXPECT_TRUE(at(h.sim.dump(), "vlans|2000").isUndefined());
    EXPECT_TRUE(h.op.answers.empty());
}

TEST(IpE2E, RowsShowInTheCurrentConfiguration) {
    SetupHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    BasicConfigTab &b = *h.window->settingsPage->basicTab;

    // The management VLAN interface needs its VLAN.
    UplinkTab &u = *h.window->settingsPage->uplinkTab;
    u.createVlan->setText(QStringLiteral("4000"));
    h.op.answer(true);
    h.click(u.buttons[0]);
    h.expectConfigurationMode();

    const struct {
        QLineEdit *first, *second, *third;
        const char *values[3];
        int button;
    } rows[] = {
        {b.methIndex, b.methIp, b.methMask, {"0", "10.11.104.9", "255.255.255.0"}, 0},
        {b.managementVlan, b.managementIp, b.managementMask, {"4000", "192.168.50.2", "255.255.255.0"}, 1},
        {b.routeIp, b.routeMask, b.routeGateway, {"0.0.0.0", "0.0.0.0", "10.11.104.1"}, 2},
    };
    for (const auto &r : rows) {
        r.first->setText(QString::fromUtf8(r.values[0]));
        r.second->setText(QString::fromUtf8(r.values[1]));
        r.third->setText(QString::fromUtf8(r.values[2]));
        h.op.answer(true);
        h.click(b.ipButtons[r.button]);
        h.expectConfigurationMode();
    }
    EXPECT_TRUE(h.op.answers.empty());

    h.typeCommand(QStringLiteral("display current-configuration\n")); // and the Enter its { <cr> } asks for
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("display current-configuration")));
    ASSERT_TRUE(h.settle()) << h.consoleText().right(1500).toStdString();
    const QString shown = h.consoleText().mid(h.consumed);
    EXPECT_TRUE(shown.contains(QStringLiteral("interface meth0")));
    EXPECT_TRUE(shown.contains(QStringLiteral("ip address 10.11.104.9 255.255.255.0")));
    EXPECT_TRUE(shown.contains(QStringLiteral("interface vlanif4000")));
    EXPECT_TRUE(shown.contains(QStringLiteral("ip address 192.168.50.2 255.255.255.0")));
    EXPECT_TRUE(shown.contains(QStringLiteral("ip route-static 0.0.0.0 0.0.0.0 10.11.104.1")));
}
