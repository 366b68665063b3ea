// Scenario files and database backups hold the whole device: what is saved loads back to a device
// that saves the same again, whatever collections it holds.
#include "SimDriver.h"

#include <QJsonArray>

#include <algorithm>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

// The demo device with every collection the model has filled, each away from its defaults, so a
// field the loader drops shows as a difference.
Device everyCollection() {
    Device d = demoScenario(2);
    d.sysname = "OLT-ALL";
    d.screenLength = 25;
    d.idleSeconds = 600;
    d.now = "2024-06-01 12:30:00+08:00";

    Ont &o = d.onts.front();
    o.loid = "LOID-1";
    o.password = "pw1";
    o.ip = "192.168.5.9";
    o.desc = "two words";
    o.active = false;
    o.plugged = false;
    o.rxPower = -27.25;
    o.biasCurrent = 31;

    AutofindEntry waiting = d.autofind.empty() ? AutofindEntry{} : d.autofind.front();
    waiting.at = {0, 1, 7};
    waiting.sn = "48575443AABBCCDD";
    waiting.loid = "LOID-9";
    waiting.password = "pw9";
    d.unreported.push_back(waiting);
    d.autofindDisabled["0/1/7"] = true;

    ServicePort counted = d.servicePorts.front();
    counted.index = d.nextServicePortIndex();
    counted.vlan = 300;
    counted.rxCttr = 6;
    counted.txCttr = 7;
    counted.up = false;
    d.servicePorts.push_back(counted);
    d.multicastUsers.push_back({counted.index, false, 3});

    d.dbaProfiles.push_back({30, "dba-30", 3, 0, 20480, 40960});
    Profile &line = d.lineProfiles.front();
    line.content.tconts = {{4, 30}};
    line.content.gems = {{1, "eth", 4}};
    line.content.mappings = {{1, 0, 100}};
    line.committed = false;
    line.lines = {"fec-upstream enable"};
    Profile epon = line;
    epon.pon = PonKind::Epon;
    epon.id = 40;
    epon.name = "epon-40";
    epon.content = {};
    epon.content.llidDbaProfile = 30;
    d.lineProfiles.push_back(epon);
    Profile &srv = d.srvProfiles.front();
    srv.content.potsPorts = "adaptive";
    srv.content.ethPorts = "4";
    srv.content.portVlans = {{1, 100, 10}};
    srv.content.multicastTagstrip = {{1, "untag"}};
    srv.content.multicastForward = "tag translation 3444";

    d.vlans.push_back({300, "standard", "stacking", "two words", {"0/19/1"}, 5});
    d.vlanServiceProfiles.push_back({5, true, false, {"forwarding vlan-mac"}});
    d.nativeVlans["0/19/1"] = 300;
    d.multicastVlans.push_back({300, "v2", "proxy", false, {"0/19/0", "0/19/1"}, {"igmp program add batch"}});
    d.ipInterfaces.push_back({"vlanif300", "10.20.0.1", "255.255.255.0", "mgmt", true});
    d.routes.push_back({"0.0.0.0", "0.0.0.0", "10.20.0.254", "DefaultRoute"});
    d.routes.push_back({"172.16.0.0", "255.240.0.0", "10.20.0.253", {}});
    // Kept in order of their ids, as the device keeps them.
    auto byId = [](const auto &x, const auto &y) { return x.id < y.id; };
    std::sort(d.vlans.begin(), d.vlans.end(), byId);
    std::sort(d.multicastVlans.begin(), d.multicastVlans.end(), byId);
    std::sort(d.vlanServiceProfiles.begin(), d.vlanServiceProfiles.end(), byId);

    d.accounts.push_back({"guest", "guest123"});
    d.alarms.push_back({"2024-06-01 11:00:00+08:00", "MAJOR", "The ONT is offline (LOS)", "0/1/0 0", 8});
    d.alarms.push_back({"2024-06-01 11:05:00+08:00", "WARNING", "Unknown fault", {}, 9});
    d.alarmSerial = 9;
    d.switches["arp proxy"] = true;
    d.extraConfig << "ntp-service unicast-server 10.0.0.1";
    d.fans.speedMode = "auto mainboard";
    d.fans.speedLevel = 5;
    d.fans.alarms["tem-high"] = false;
    d.autosave = {"all", true, 60, true, "03:30:00", 45};
    return d;
}

// The top-level parts of a dump that hold a list or a map, and are empty.
std::string emptyCollections(const QJsonObject &j) {
    QStringList out;
    for (auto it = j.begin(); it != j.end(); ++it)
        if ((it->isArray() && it->toArray().isEmpty()) || (it->isObject() && it->toObject().isEmpty()))
            out << it.key();
    return out.join(' ').toStdString();
}

// The top-level parts in which two dumps differ, with the second's value, so a failure names them.
std::string differences(const QJsonObject &a, const QJsonObject &b) {
    QStringList out;
    QStringList keys = a.keys() + b.keys();
    keys.removeDuplicates();
    for (const QString &key : keys)
        if (a[key] != b[key])
            out << key + ": " +
                       QString::fromUtf8(QJsonDocument(QJsonArray{b[key]}).toJson(QJsonDocument::Compact));
    return out.join('\n').toStdString();
}

TEST(SimScenario, SaveLoadSaveGivesTheSameDevice) {
    struct Case {
        const char *name;
        std::function<Device()> make;
        bool everything; // the fixture must fill every collection to show a dropped one
    };
    const Case cases[] = {
        {"demo", [] { return demoScenario(1); }, false},
        {"full", [] { return fullScenario(1); }, false},
        {"every collection", everyCollection, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Device device = c.make();
        const QJsonObject saved = dumpDevice(device);
        if (c.everything) {
            EXPECT_EQ(emptyCollections(saved), "");
        }

        const ScenarioResult loaded = scenarioFromJson(QJsonDocument(saved).toJson());
        ASSERT_TRUE(loaded.device) << loaded.error.toStdString();
        EXPECT_EQ(differences(saved, dumpDevice(*loaded.device)), "");

        // A database backup is the same dump behind its header line.
        const ScenarioResult restored = deviceFromDatabase(databaseFile(device));
        ASSERT_TRUE(restored.device) << restored.error.toStdString();
        EXPECT_EQ(differences(saved, dumpDevice(*restored.device)), "");
    }
}

} // namespace
