// The unattended loop against the simulator: ticks are run directly, as "测试后台注册" does.

#include "ConsoleHarness.h"

#include <QJsonArray>

using namespace tw;
using namespace tw::e2e;

namespace {

QStringList keysOf(const QJsonArray &entries) {
    QStringList keys;
    for (const QJsonValue &v : entries)
        keys << (v.toObject().contains("sn") ? v["sn"].toString() : v["mac"].toString());
    return keys;
}

} // namespace

TEST(AutoRegistrationE2E, PluggedOntsEndRegisteredOnePerTickWithTheirServicePorts) {
    ConsoleHarness h(
        demoDevice(),
        QStringLiteral("自动注册=真\n自动建流=真\n[基本]\n业务外层=200\n业务内层=41\n"
                       "GPON业务流=service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 1 "
                       "multi-service user-vlan 业务内层 tag-transform translate\n"
                       "EPON业务流=service-port vlan 业务外层 epon 0/槽号/端口号 ont 编号 "
                       "multi-service user-vlan 业务内层 tag-transform translate\n"));
    ASSERT_TRUE(h.startAndLogIn());
    const QJsonObject before = h.sim.dump();
    const QStringList registeredBefore = keysOf(before["onts"].toArray());
    QStringList waiting;
    for (const QString &key : keysOf(before["autofind"].toArray())) {
        if (!registeredBefore.contains(key))
            waiting << key;
        else // re-plugged elsewhere: without automatic moves it would fail on every tick and block the rest
            ASSERT_EQ(h.sim.command(QStringLiteral("unplug ") + key), "ok");
    }
    ASSERT_GE(waiting.size(), 3);
    const int servicePortsBefore = before["servicePorts"].toArray().size();

    for (int tick = 0; tick < waiting.size() + 2; ++tick) {
        h.window->autoRegisterTick();
        ASSERT_TRUE(h.settle());
        QTest::qWait(300); // the add reply and the service-flow script that follows it
        ASSERT_TRUE(h.settle());
    }
    const QJsonObject after = h.sim.dump();
    const QStringList registered = keysOf(after["onts"].toArray());
    for (const QString &key : waiting) {
        EXPECT_EQ(registered.count(key), 1) << key.toStdString();
    }
    EXPECT_GE(after["servicePorts"].toArray().size(), servicePortsBefore + waiting.size())
        << "each registered ONT gets the service port its template creates";
}

namespace {
// The registered ONT with this key: its port, or empty when it is not registered.
QStringList portsOf(const QJsonObject &dump, const QString &key) {
    QStringList ports;
    for (const QJsonValue &v : dump["onts"].toArray())
        if (v["sn"].toString() == key || v["mac"].toString() == key) ports << v["port"].toString();
    return ports;
}
} // namespace

TEST(AutoMoveE2E, MovedOntIsRemovedFromItsOldPortAndRegisteredOnTheNew) {
    ConsoleHarness h(demoDevice(), QStringLiteral("自动注册=真\n自动移机=真\n"));
    ASSERT_TRUE(h.startAndLogIn());
    // Clear the autofind list so the moved ONT is the only one waiting.
    for (const QString &key : keysOf(h.sim.dump()["autofind"].toArray()))
        ASSERT_EQ(h.sim.command(QStringLiteral("unplug ") + key), "ok");
    const QJsonArray onts = h.sim.dump()["onts"].toArray();
    QString key, oldPort;
    for (const QJsonValue &v : onts) {
        if (v.toObject().contains("sn") && v["port"].toString() == QStringLiteral("0/1/0")) {
            key = v["sn"].toString();
            oldPort = v["port"].toString();
            break;
        }
    }
    ASSERT_FALSE(key.isEmpty());

    // An operator's own search for a registered SN deletes nothing.
    h.typeCommand(QStringLiteral("display ont info by-sn ") + key);
    ASSERT_TRUE(h.settle());
    QTest::qWait(300);
    EXPECT_EQ(portsOf(h.sim.dump(), key), QStringList{oldPort});

    ASSERT_EQ(h.sim.command(QStringLiteral("move ") + key + QStringLiteral(" 0/1/5")), "ok");
    for (int tick = 0; tick < 3 && portsOf(h.sim.dump(), key) != QStringList{QStringLiteral("0/1/5")};
         ++tick) {
        h.window->autoRegisterTick();
        ASSERT_TRUE(h.settle());
        QTest::qWait(500); // add reply, location query, deletion
        ASSERT_TRUE(h.settle());
    }
    EXPECT_EQ(portsOf(h.sim.dump(), key), QStringList{QStringLiteral("0/1/5")})
        << h.consoleText().right(3000).toStdString();
    for (const QJsonValue &v : h.sim.dump()["servicePorts"].toArray()) {
        if (v["port"].toString() == oldPort && v["ont"].toInt(-1) >= 0) {
            // no service port may be left for the ONT on the port it left
            bool ontStillThere = false;
            for (const QJsonValue &o : h.sim.dump()["onts"].toArray())
                ontStillThere |= o["port"].toString() == oldPort && o["id"].toInt() == v["ont"].toInt();
            EXPECT_TRUE(ontStillThere) << "service port " << v["index"].toInt() << " left behind";
        }
    }
}

TEST(AutoRegistrationE2E, TickOnADroppedConnectionLogsInBeforeItsQuery) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_EQ(h.sim.command(QStringLiteral("fault drop-after 10")), "ok");
    h.typeCommand(QStringLiteral("display board 0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.window->connection.isConnected(); }, WaitMs));

    h.window->autoRegisterTick();
    // The query must follow the new login; sent before it, the OLT takes it for the user name.
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("语言模式已切换为中文")));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("display ont autofind all")));
    ASSERT_TRUE(h.settle());
    EXPECT_TRUE(h.op.boxes.isEmpty()) << h.op.boxes.value(0).text.toStdString();
    EXPECT_GT(h.window->ontDiscoveryGrid.count(), 0);
}
