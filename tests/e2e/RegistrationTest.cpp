// The unattended loop against the simulator: ticks are run directly, as "测试后台注册" does.

#include "ConsoleHarness.h"
#include "widgets/GridPanelWidget.h"

#include "ont/OntPage.h"
#include "provision/BatchRegistrationWidget.h"
#include "provision/ManualRegistration.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>
#include <map>

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

TEST(AutoRegistrationE2E, PluggedOntsEndRegisteredOnOneTickWithTheirServicePorts) {
    ConsoleHarness h(
        demoDevice(),
        QStringLiteral("自动注册=真\n自动建流=真\n[基本]\n业务外层=200\n业务内层=41\n"
                       "GPON业务流=service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 1 "
                       "multi-service user-vlan 业务内层 tag-transform translate\n"
                       "EPON业务流=service-port vlan 业务外层 epon 0/槽号/端口号 ont 编号 "
                       "multi-service user-vlan 业务内层 tag-transform translate\n"));
    ASSERT_TRUE(h.startAndLogIn());
    // Only the five plugged here wait in autofind.
    for (const QString &key : keysOf(h.sim.dump()["autofind"].toArray()))
        ASSERT_EQ(h.sim.command(QStringLiteral("unplug ") + key), "ok");
    const QStringList plugs = {
        QStringLiteral("0/1/6 sn 48575443B0000001"), QStringLiteral("0/2/1 sn 48575443B0000002"),
        QStringLiteral("0/3/2 mac 00E0-FEB0-0003"), QStringLiteral("0/1/6 sn 48575443B0000004"),
        QStringLiteral("0/3/0 mac 00E0-FEB0-0005")};
    for (const QString &p : plugs)
        ASSERT_EQ(h.sim.command(QStringLiteral("plug ") + p), "ok");
    auto registeredOf = [&](const QJsonObject &dump) {
        QList<QJsonObject> found;
        for (const QJsonValue &v : dump["onts"].toArray())
            for (const QString &p : plugs)
                if (p.endsWith(QLatin1Char(' ') + v["sn"].toString() + v["mac"].toString()))
                    found << v.toObject();
        return found;
    };

    // One tick registers every waiting ONT, one after the other, each with its flows.
    h.window->session.autoRegisterTick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return registeredOf(h.sim.dump()).size() == plugs.size(); }, WaitMs));
    ASSERT_TRUE(h.settle());
    QTest::qWait(300);
    ASSERT_TRUE(h.settle());
    const QJsonObject after = h.sim.dump();
    EXPECT_TRUE(after["autofind"].toArray().isEmpty());
    const QList<QJsonObject> registered = registeredOf(after);
    ASSERT_EQ(registered.size(), plugs.size());
    for (const QJsonObject &ont : registered) {
        int flows = 0;
        for (const QJsonValue &sp : after["servicePorts"].toArray())
            if (sp["port"] == ont["port"] && sp["ont"] == ont["id"]) {
                ++flows;
                EXPECT_EQ(sp["vlan"].toInt(), 200);
                EXPECT_EQ(sp["userVlan"].toString(), QStringLiteral("41"));
                EXPECT_EQ(sp["type"].toString(), ont["pon"].toString());
                EXPECT_EQ(sp["gemport"].toInt(-1), ont["pon"] == QStringLiteral("gpon") ? 1 : -1);
            }
        EXPECT_EQ(flows, 1) << QJsonDocument(ont).toJson().toStdString();
    }
}

namespace {

// The service ports of `port` in the dump, as "ont:index".
QStringList servicePortsOn(const QJsonObject &dump, const QString &port) {
    QStringList out;
    for (const QJsonValue &sp : dump["servicePorts"].toArray())
        if (sp["port"].toString() == port)
            out << QStringLiteral("%1:%2").arg(sp["ont"].toInt(-1)).arg(sp["index"].toInt());
    return out;
}

// The ONTs of `port` in the dump, as "ont <id>".
QStringList ontsOn(const QJsonObject &dump, const QString &port) {
    QStringList out;
    for (const QJsonValue &o : dump["onts"].toArray())
        if (o["port"].toString() == port) out << QStringLiteral("ont %1").arg(o["id"].toInt());
    return out;
}

} // namespace

// The automatic registration on 0/1/7 and a LOID batch on 0/2/3 at once, in either order: each new
// ONT gets exactly its one service port on its own port, and the ONTs registered before on either
// port keep theirs and gain none. The ids overlap (the batch's 10 and 11 exist on 0/1/7, the tick's
// 12 and 13 are the batch's last and a free one on 0/2/3), so flows given by the wrong reply, port
// or id land on an ONT that has its own.
TEST(AutoRegistrationE2E, RunsBesideABatchOnAnotherPortAndEachOntGetsItsOwnServicePort) {
    const QString autoPort = QStringLiteral("0/1/7"), batchPort = QStringLiteral("0/2/3");
    const QStringList plugged = {QStringLiteral("48575443C0000001"), QStringLiteral("48575443C0000002")};
    for (const bool tickFirst : {true, false}) {
        SCOPED_TRACE(tickFirst ? "tick first" : "batch first");
        ConsoleHarness h(
            demoDevice(),
            QStringLiteral("自动注册=真\n自动建流=真\n[基本]\n业务外层=200\n业务内层=41\n"
                           "GPON业务流=service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 "
                           "gemport 1 multi-service user-vlan 业务内层 tag-transform translate\n"));
        ASSERT_TRUE(h.startAndLogIn());
        for (const QString &key : keysOf(h.sim.dump()["autofind"].toArray()))
            ASSERT_EQ(h.sim.command(QStringLiteral("unplug ") + key), "ok");
        for (const QString &key : plugged)
            ASSERT_EQ(h.sim.command(QStringLiteral("plug %1 sn %2").arg(autoPort, key)), "ok");
        const QJsonObject before = h.sim.dump();

        OntPage *page = h.window->ontPage;
        ASSERT_TRUE(page->autoRegisterBox->isChecked());
        page->registration.frame->setText(QStringLiteral("0"));
        page->registration.slot->setCurrentText(QStringLiteral("2"));
        page->registration.port->setCurrentText(QStringLiteral("3"));
        page->registrationMode->setCurrentText(QStringLiteral("LOID"));
        page->batch->start->setText(QStringLiteral("1"));
        page->batch->count->setText(QStringLiteral("3"));
        page->batch->rule->setText(QStringLiteral("L-(B)-(P)-(O)"));
        page->batch->padding->setChecked(false);
        auto batch = [&] {
            h.op.answers = {true, true}; // GPON, register
            h.click(page->batch->registerButton);
        };
        if (tickFirst) {
            h.window->session.autoRegisterTick();
            batch();
        } else {
            batch();
            h.window->session.autoRegisterTick();
        }

        // The new ONTs: the plugged ones on 0/1/7, the batch's on 0/2/3.
        QList<std::pair<QString, QString>> fresh; // key, port
        for (const QString &key : plugged)
            fresh << std::pair{key, autoPort};
        for (int n = 1; n <= 3; ++n)
            fresh << std::pair{QStringLiteral("L-2-3-%1").arg(n), batchPort};
        auto newOnts = [&](const QJsonObject &dump) {
            QList<QJsonObject> found;
            for (const QJsonValue &v : dump["onts"].toArray())
                for (const auto &[key, port] : fresh)
                    if (v["sn"].toString() == key || v["loid"].toString() == key) found << v.toObject();
            return found;
        };
        auto servicePortsOf = [](const QJsonObject &dump, const QJsonObject &ont) {
            QList<QJsonObject> found;
            for (const QJsonValue &sp : dump["servicePorts"].toArray())
                if (sp["port"] == ont["port"] && sp["ont"] == ont["id"]) found << sp.toObject();
            return found;
        };
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const QJsonObject d = h.sim.dump();
                const QList<QJsonObject> onts = newOnts(d);
                return onts.size() == fresh.size() &&
                       std::all_of(onts.begin(), onts.end(),
                                   [&](const QJsonObject &o) { return !servicePortsOf(d, o).isEmpty(); });
            },
            WaitMs))
            << h.consoleText().right(3000).toStdString();
        ASSERT_TRUE(h.settle());
        QTest::qWait(500); // anything still to come from a reply read twice
        ASSERT_TRUE(h.settle());

        // Each new ONT on its port with one service port; each port holds what it held before and
        // the new ONTs with their service ports, nothing else.
        const QJsonObject after = h.sim.dump();
        EXPECT_TRUE(after["autofind"].toArray().isEmpty());
        std::map<QString, QStringList> expected; // port -> "ont:index" of its service ports, and its ONTs
        for (const QString &port : {autoPort, batchPort})
            expected[port] = servicePortsOn(before, port) + ontsOn(before, port);
        for (const QJsonObject &ont : newOnts(after)) {
            const QString key = ont["sn"].toString() + ont["loid"].toString();
            const auto wanted = std::find_if(fresh.begin(), fresh.end(), [&](auto &f) { return f.first == key; });
            EXPECT_EQ(ont["port"].toString(), wanted->second) << key.toStdString();
            const QList<QJsonObject> flows = servicePortsOf(after, ont);
            ASSERT_EQ(flows.size(), 1) << key.toStdString();
            EXPECT_EQ(flows[0]["vlan"].toInt(), 200);
            EXPECT_EQ(flows[0]["gemport"].toInt(-1), 1);
            expected[wanted->second] << QStringLiteral("%1:%2").arg(ont["id"].toInt()).arg(flows[0]["index"].toInt())
                                     << QStringLiteral("ont %1").arg(ont["id"].toInt());
        }
        for (auto &[port, held] : expected) {
            QStringList now = servicePortsOn(after, port) + ontsOn(after, port);
            held.sort();
            now.sort();
            EXPECT_EQ(now, held) << port.toStdString();
        }
        EXPECT_TRUE(h.op.answers.empty());
    }
}

// A connection dropped anywhere in one registration's exchange (the autofind query, "ont add", its
// answer, the flows) ends, after the reconnect, with the ONT registered once and its one service
// port: a registration cut off before its flows looks its ONT up and finishes them.
TEST(AutoRegistrationE2E, ADropAnywhereInOneRegistrationEndsWithTheOntAndItsServicePort) {
    const QString key = QStringLiteral("48575443B0000001");
    for (int dropAfter = 0; dropAfter <= 1600; dropAfter += 200) {
        SCOPED_TRACE(dropAfter);
        ConsoleHarness h(
            demoDevice(),
            QStringLiteral("自动注册=真\n自动建流=真\n自动重连=真\n[基本]\n业务外层=200\n业务内层=41\n"
                           "GPON业务流=service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 "
                           "gemport 1 multi-service user-vlan 业务内层 tag-transform translate\n"));
        ASSERT_TRUE(h.startAndLogIn());
        for (const QString &waiting : keysOf(h.sim.dump()["autofind"].toArray()))
            ASSERT_EQ(h.sim.command(QStringLiteral("unplug ") + waiting), "ok");
        ASSERT_EQ(h.sim.command(QStringLiteral("plug 0/1/6 sn ") + key), "ok");
        ASSERT_EQ(h.sim.command(QStringLiteral("fault drop-after %1").arg(dropAfter)), "ok");

        const sim::Device &dev = h.sim.device;
        auto registrations = [&] {
            return std::count_if(dev.onts.begin(), dev.onts.end(),
                                 [&](const sim::Ont &o) { return o.sn == key; });
        };
        auto servicePorts = [&] {
            const auto ont = std::find_if(dev.onts.begin(), dev.onts.end(),
                                          [&](const sim::Ont &o) { return o.sn == key; });
            if (ont == dev.onts.end()) return qsizetype(0);
            return qsizetype(std::count_if(
                dev.servicePorts.begin(), dev.servicePorts.end(),
                [&](const sim::ServicePort &sp) { return sp.at == ont->at && sp.ont == ont->id; }));
        };
        // The drop strikes during the first tick; a later one finds the ONT still waiting when the
        // drop came before its "ont add" went out.
        for (int tick = 0; tick < 4 && (registrations() != 1 || servicePorts() != 1); ++tick) {
            h.window->session.autoRegisterTick();
            (void)QTest::qWaitFor([&] { return registrations() == 1 && servicePorts() == 1; }, 8000);
        }
        ASSERT_TRUE(h.settle());
        QTest::qWait(300);
        EXPECT_EQ(registrations(), 1);
        EXPECT_EQ(servicePorts(), 1) << h.consoleText().right(2000).toStdString();
        EXPECT_TRUE(h.op.boxes.isEmpty()) << h.op.boxes.value(0).text.toStdString();
    }
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
        h.window->session.autoRegisterTick();
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

using AutoRegistrationReconnectE2E = OverEachLink;
INSTANTIATE_TEST_SUITE_P(, AutoRegistrationReconnectE2E, ::testing::Values(Link::Telnet, Link::Ssh),
                         linkName);

TEST_P(AutoRegistrationReconnectE2E, TickOnADroppedConnectionLogsInBeforeItsQuery) {
    ConsoleHarness h(demoDevice(), {}, GetParam());
    ASSERT_TRUE(h.startAndLogIn());
    ASSERT_EQ(h.sim.command(QStringLiteral("fault drop-after 10")), "ok");
    h.typeCommand(QStringLiteral("display board 0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.window->session.connection.isConnected(); }, WaitMs));

    h.window->session.autoRegisterTick();
    // The query must follow the new login; sent before it, the OLT takes it for the user name.
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("语言模式已切换为中文")));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("display ont autofind all")));
    ASSERT_TRUE(h.settle());
    EXPECT_TRUE(h.op.boxes.isEmpty()) << h.op.boxes.value(0).text.toStdString();
    EXPECT_GT(h.window->session.ontDiscoveryGrid.count(), 0);
}

TEST(AutoMoveE2E, WithIptvTheMulticastUserGoesFirstThenServicePortsThenTheOnt) {
    ConsoleHarness h(demoDevice(),
                     QStringLiteral("自动注册=真\n自动移机=真\n开启IPTV=真\n[基本]\n点播外层=3444\n"
                                    "gemport=1，2\n"));
    ASSERT_TRUE(h.startAndLogIn());
    for (const QString &key : keysOf(h.sim.dump()["autofind"].toArray()))
        ASSERT_EQ(h.sim.command(QStringLiteral("unplug ") + key), "ok");
    // The demo gives every fourth GPON ONT an IPTV service port (gemport 2) with a multicast user.
    QString key;
    for (const QJsonValue &v : h.sim.dump()["onts"].toArray())
        if (v["port"].toString() == QStringLiteral("0/1/0") && v["id"].toInt() == 1) key = v["sn"].toString();
    ASSERT_FALSE(key.isEmpty());
    auto servicePortsOfTheOldOnt = [&] {
        QList<int> indexes;
        for (const QJsonValue &v : h.sim.dump()["servicePorts"].toArray())
            if (v["port"].toString() == QStringLiteral("0/1/0") && v["ont"].toInt(-1) == 1)
                indexes << v["index"].toInt();
        return indexes;
    };
    const QList<int> before = servicePortsOfTheOldOnt();
    ASSERT_EQ(before.size(), 2);
    auto multicastUsersOn = [&](const QList<int> &indexes) {
        int n = 0;
        for (const QJsonValue &v : h.sim.dump()["multicastUsers"].toArray())
            n += indexes.contains(v["servicePort"].toInt()) ? 1 : 0;
        return n;
    };
    ASSERT_EQ(multicastUsersOn(before), 1);

    ASSERT_EQ(h.sim.command(QStringLiteral("move ") + key + QStringLiteral(" 0/1/5")), "ok");
    for (int tick = 0; tick < 4 && portsOf(h.sim.dump(), key) != QStringList{QStringLiteral("0/1/5")};
         ++tick) {
        h.window->session.autoRegisterTick();
        ASSERT_TRUE(h.settle());
        QTest::qWait(500); // add reply, location query, service-port query, clean-up and deletion
        ASSERT_TRUE(h.settle());
    }
    EXPECT_EQ(portsOf(h.sim.dump(), key), QStringList{QStringLiteral("0/1/5")})
        << h.consoleText().right(4000).toStdString();
    EXPECT_TRUE(servicePortsOfTheOldOnt().isEmpty());
    EXPECT_EQ(multicastUsersOn(before), 0);
    // The device refuses to remove a service port that still carries a multicast user, and an ONT
    // that still has service ports: the order on the wire is what made the deletion go through.
    const QString text = h.consoleText();
    const qsizetype igmp = text.indexOf(QStringLiteral("igmp user delete service-port"));
    const qsizetype undo = text.indexOf(QStringLiteral("undo service-port port 0/1/0 ont 1 gemport 2"));
    const qsizetype remove = text.indexOf(QStringLiteral("ont delete 0 1"));
    EXPECT_TRUE(igmp >= 0 && igmp < undo && undo < remove) << igmp << " " << undo << " " << remove;
}

namespace {

// The demo device with a second pair of GPON profiles, so that the chosen ones show.
sim::Device deviceWithMoreProfiles() {
    sim::Device d = demoDevice();
    d.lineProfiles.push_back({sim::PonKind::Gpon, 5, "LINE_5", {"tcont 1 dba-profile-id 10"}});
    d.srvProfiles.push_back({sim::PonKind::Gpon, 6, "SRV_6", {"ont-port eth adaptive"}});
    return d;
}

// The ONT with this SN is registered on `port` with line profile 5, service profile 6 and `desc`.
void expectRegisteredWithProfiles(ConsoleHarness &h, const QString &key, const QString &port,
                                  const QString &desc) {
    QJsonObject ont;
    for (const QJsonValue &v : h.sim.dump()["onts"].toArray())
        if (v["sn"].toString() == key) ont = v.toObject();
    ASSERT_FALSE(ont.isEmpty()) << h.consoleText().right(2000).toStdString();
    EXPECT_EQ(ont["port"].toString(), port);
    EXPECT_EQ(ont["lineProfile"].toInt(), 5);
    EXPECT_EQ(ont["srvProfile"].toInt(), 6);
    EXPECT_EQ(ont["desc"].toString(), desc);
}

} // namespace

using ManualRegistrationOverEachLinkE2E = OverEachLink;
INSTANTIATE_TEST_SUITE_P(, ManualRegistrationOverEachLinkE2E, ::testing::Values(Link::Telnet, Link::Ssh),
                         linkName);

TEST_P(ManualRegistrationOverEachLinkE2E, FromTheDiscoveryGridWithTheConfiguredProfiles) {
    ConsoleHarness h(deviceWithMoreProfiles(), QStringLiteral("[基本]\nG线路模板=5\nG业务模板=6\n"),
                     GetParam());
    ASSERT_TRUE(h.startAndLogIn());
    h.typeCommand(QStringLiteral("display ont autofind all"));
    ASSERT_TRUE(h.settle());
    int row = -1;
    for (int r = 0; r < h.window->session.ontDiscoveryGrid.count(); ++r)
        if (h.window->session.ontDiscoveryGrid.cell(r, 1) == QStringLiteral("0/1/2")) row = r;
    ASSERT_GE(row, 0);
    const QString key = serialFromCell(h.window->session.ontDiscoveryGrid.cell(row, 2));
    selectSourceRow(h.window->ontPage->ontDiscoveryGrid, row);

    h.op.answerText(QStringLiteral("grid-e2e")); // description
    h.op.answer(true);                           // GPON
    h.op.answer(true);                           // run the script
    h.window->ontPage->ontDiscoveryActions.value(QStringLiteral("ONT注册(OMCI)"))->trigger();
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("ont add 2 sn-auth ") + key));
    ASSERT_TRUE(h.settle());

    expectRegisteredWithProfiles(h, key, QStringLiteral("0/1/2"), QStringLiteral("grid-e2e"));
    EXPECT_EQ(h.window->ontPage->registration.port->currentText(), QStringLiteral("2"));

    // The row it was started from tells the outcome: the id the OLT gave it.
    int id = -1;
    for (const QJsonValue &v : h.sim.dump()["onts"].toArray())
        if (v["sn"].toString() == key) id = v["id"].toInt();
    const auto status = [&] { return h.window->session.ontDiscoveryGrid.cell(row, DiscoveryStatusColumn); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !status().startsWith(QStringLiteral("注册中")); }, WaitMs));
    EXPECT_EQ(status(), QStringLiteral("已注册，ONT编号：%1").arg(id));

    // Registered again, the OLT refuses it, and the row says so in the OLT's words.
    h.op.answerText(QStringLiteral("grid-e2e"));
    h.op.answer(true);
    h.op.answer(true);
    h.window->ontPage->ontDiscoveryActions.value(QStringLiteral("ONT注册(OMCI)"))->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return status().startsWith(QStringLiteral("注册失败：")); }, WaitMs))
        << status().toStdString();
    EXPECT_GT(status().size(), QStringLiteral("注册失败：").size());
    ASSERT_TRUE(h.settle());
}

TEST(ManualRegistrationE2E, FromTheRegistrationTabWithTheTypedProfiles) {
    ConsoleHarness h(deviceWithMoreProfiles());
    ASSERT_TRUE(h.startAndLogIn());
    QString key;
    for (const QJsonValue &v : h.sim.dump()["autofind"].toArray())
        if (v["port"].toString() == QStringLiteral("0/2/5")) key = v["sn"].toString();
    ASSERT_FALSE(key.isEmpty());

    OntPage &page = *h.window->ontPage;
    page.registration.frame->setText(QStringLiteral("0"));
    page.registration.slot->setCurrentText(QStringLiteral("2"));
    page.registration.port->setCurrentText(QStringLiteral("5"));
    page.serviceVlan->setText(QStringLiteral("41"));
    page.lineProfile->setText(QStringLiteral("5"));
    page.serviceProfile->setText(QStringLiteral("6"));
    page.manualSerial->setText(key);
    page.manualDescription->setText(QStringLiteral("tab-e2e"));
    h.op.answer(true); // GPON
    h.op.answer(true); // run the script
    page.registerButton->click();
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("ont add 5 sn-auth ") + key));
    ASSERT_TRUE(h.settle());

    expectRegisteredWithProfiles(h, key, QStringLiteral("0/2/5"), QStringLiteral("tab-e2e"));
    EXPECT_TRUE(h.op.answers.empty());
}
