// What the commands and the control channel do to the model, and the scenarios.
#include "SimDriver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

QJsonObject dumpedOnt(Device &d, const QString &key) {
    for (const QJsonValue &v : dump(d)["onts"].toArray())
        if (v["sn"].toString() == key || v["mac"].toString() == key) return v.toObject();
    return {};
}

TEST(SimEffects, OntAddRegistersTheWaitingOntOnTheFirstFreeId) {
    Cli cli;
    cli.login();
    // The console's registration script, as one write.
    cli.send("interface gpon 0/1\r\nont add 1 sn-auth 4857544311E70E9A omci ont-lineprofile-id 1 "
             "ont-srvprofile-id 1 "
             "desc \"2024-05-20_\"\r\n\r\nquit\r\n");
    const QJsonObject o = dumpedOnt(cli.device, "4857544311E70E9A");
    EXPECT_EQ(o["port"].toString(), "0/1/1");
    EXPECT_EQ(o["id"].toInt(), 0);
    EXPECT_EQ(o["desc"].toString(), "2024-05-20_");
    EXPECT_EQ(o["runState"].toString(), "online") << "it was plugged in, so it comes up";
    EXPECT_EQ(cli.device.autofindOn(PortRef{0, 1, 1}).size(), 0u);
    EXPECT_EQ(cli.session->prompt(), "MA5680T(config)#");

    // An ONT that is not plugged in anywhere registers too, and stays offline.
    cli.send(
        "interface gpon 0/1\r\nont add 0 sn-auth HWTC-0000ABCD omci ont-lineprofile-id 1 ont-srvprofile-id 1"
        "\r\n\r\nquit\r\n");
    const QJsonObject absent = dumpedOnt(cli.device, "485754430000ABCD");
    EXPECT_EQ(absent["id"].toInt(), 3) << "ids 0 to 2 are taken on 0/1/0";
    EXPECT_EQ(absent["runState"].toString(), "offline");
}

TEST(SimEffects, OntAddRefusals) {
    struct Case {
        const char *interface;
        const char *command;
        const char *phrase;
    };
    const Case cases[] = {
        {"interface gpon 0/1",
         "ont add 3 sn-auth 485754430A1B2C3D omci ont-lineprofile-id 1 ont-srvprofile-id 1",
         "序列码已经存在"},
        {"interface epon 0/3",
         "ont add 1 mac-auth 00e0-fc11-2233 oam ont-lineprofile-id 2 ont-srvprofile-id 2", "MAC地址已存在"},
        {"interface gpon 0/1",
         "ont add 0 1 sn-auth 48575443000000A1 omci ont-lineprofile-id 1 ont-srvprofile-id 1",
         "ONT ID已经存在"},
        {"interface gpon 0/1",
         "ont add 0 sn-auth 48575443000000A1 omci ont-lineprofile-id 9 ont-srvprofile-id 1",
         "线路模板不存在"},
        {"interface gpon 0/1",
         "ont add 0 mac-auth 00E0-FC11-2299 omci ont-lineprofile-id 1 ont-srvprofile-id 1", "参数错误"},
        {"interface gpon 0/1", "ont add 0 sn-auth 123 omci ont-lineprofile-id 1 ont-srvprofile-id 1",
         "参数错误"},
        {"interface gpon 0/1",
         "ont add 9 sn-auth 48575443000000A1 omci ont-lineprofile-id 1 ont-srvprofile-id 1", "参数错误"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        Cli cli;
        cli.login();
        cli.run(c.interface);
        const size_t before = cli.device.onts.size();
        EXPECT_TRUE(cli.reply(c.command).contains(QString::fromUtf8(c.phrase)));
        EXPECT_EQ(cli.device.onts.size(), before);
    }
}

TEST(SimEffects, DeleteNeedsTheServicePortsAndMulticastUserGoneFirst) {
    Cli cli;
    cli.login();
    // Deleting the selected ONT: the ONT has service ports, so the delete is refused ...
    cli.run("interface gpon 0/1");
    EXPECT_TRUE(cli.reply("ont delete 0 0").contains(QString::fromUtf8("存在业务虚端口")));
    cli.run("quit");
    // ... the IPTV one carries a multicast user, which must go first ...
    cli.send("undo service-port port 0/1/0 ont 0 gemport 2\r\n\r\ny\r\n\r\n");
    EXPECT_NE(cli.device.servicePort(11), nullptr);
    cli.send("btv\r\nigmp user delete service-port 11\r\ny\r\nquit\r\n");
    EXPECT_TRUE(cli.device.multicastUsers.empty());
    // ... then the console's delete script goes through.
    cli.send("undo service-port port 0/1/0 ont 0 gemport 1\r\n\r\ny\r\n\r\nundo service-port port 0/1/0 ont "
             "0 gemport 2"
             "\r\n\r\ny\r\n\r\ninterface gpon 0/1\r\nont delete 0 0\r\nquit\r\n");
    EXPECT_EQ(cli.device.ont({0, 1, 0}, 0), nullptr);
    EXPECT_EQ(cli.device.servicePort(10), nullptr);
    EXPECT_EQ(cli.session->prompt(), "MA5680T(config)#");
    // Still on the fibre, it reports itself again on its port.
    const auto found = cli.device.autofindOn(PortRef{0, 1, 0});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->sn, "485754430A1B2C3D");
}

TEST(SimEffects, PortWideDeleteActivateAndDeactivate) {
    Cli cli;
    cli.login();
    cli.send("interface gpon 0/1\r\nont deactivate 0 all\r\nquit\r\n");
    for (const Ont *o : cli.device.ontsOn({0, 1, 0}))
        EXPECT_FALSE(o->active);
    EXPECT_EQ(dumpedOnt(cli.device, "485754430A1B2C3D")["controlFlag"].toString(), "deactivated");
    cli.send("interface gpon 0/1\r\nont activate 0 0\r\nquit\r\n");
    EXPECT_EQ(dumpedOnt(cli.device, "485754430A1B2C3D")["runState"].toString(), "online");
    EXPECT_FALSE(cli.device.ont({0, 1, 0}, 2)->active);

    cli.send(
        "undo service-port port 0/1/0\r\n\r\ny\r\ninterface gpon 0/1\r\nont delete 0 all\r\ny\r\nquit\r\n");
    EXPECT_EQ(cli.device.ontsOn({0, 1, 0}).size(), 1u)
        << "ONT 0 keeps its IPTV flow, held by its multicast user";
}

TEST(SimEffects, MovedOntShowsInTheNewPortsAutofindUntilTheConsoleMovesIt) {
    Cli cli;
    cli.login();
    Faults f;
    ASSERT_EQ(runControlCommand(cli.device, f, "move 485754430A1B2C3D 0/1/4"), "ok");
    EXPECT_EQ(dumpedOnt(cli.device, "485754430A1B2C3D")["runState"].toString(), "offline");
    EXPECT_TRUE(
        cli.reply("display ont autofind all").contains(QString::fromUtf8("框/槽/端口          : 0/1/4")));

    // The registration there fails; the console asks where it is and deletes it there ...
    cli.send("interface gpon 0/1\r\nont add 4 sn-auth 485754430A1B2C3D omci ont-lineprofile-id 1 "
             "ont-srvprofile-id 1\r\n\r\nquit\r\n");
    EXPECT_EQ(cli.device.ontsOn({0, 1, 4}).size(), 0u);
    cli.send("btv\r\nigmp user delete service-port 11\r\ny\r\nquit\r\n");
    cli.send(
        "undo service-port port 0/1/0 ont 0 gemport 1\r\n\r\ny\r\n\r\nundo service-port port 0/1/0 ont 0 "
        "gemport 2\r\n\r\ny\r\n\r\ninterface gpon 0/1\r\nont delete 0 0\r\nquit\r\n");
    EXPECT_TRUE(cli.device.autofindOn(PortRef{0, 1, 0}).empty()) << "it left that port";
    // ... and the next registration puts it on its new port, online.
    cli.send("interface gpon 0/1\r\nont add 4 sn-auth 485754430A1B2C3D omci ont-lineprofile-id 1 "
             "ont-srvprofile-id 1\r\n\r\nquit\r\n");
    const QJsonObject o = dumpedOnt(cli.device, "485754430A1B2C3D");
    EXPECT_EQ(o["port"].toString(), "0/1/4");
    EXPECT_EQ(o["runState"].toString(), "online");
}

TEST(SimEffects, ServicePortsVlansAndMulticastUsers) {
    Cli cli;
    cli.login();
    cli.send(
        "vlan 41 smart\r\ny\r\n\r\nvlan attrib 41 q-in-q\r\ny\r\n\r\nvlan desc 41 description \"HSI\"\r\n"
        "port vlan 41 0/19 0-1\r\ny\r\n\r\n");
    const Vlan *v = cli.device.vlan(41);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->attrib, "q-in-q");
    EXPECT_EQ(v->desc, "HSI");
    EXPECT_EQ(v->ports, QStringList({"0/19/0", "0/19/1"}));

    cli.send("service-port vlan 41 gpon  0/1/0 ont 1 gemport 1 multi-service user-vlan 41 tag-transform "
             "translate\r\n\r\n");
    cli.send("service-port vlan 100 epon  0/3/0 ont 0 multi-service user-vlan untagged\r\n\r\n");
    cli.send("btv\r\nigmp user add service-port 0 no-auth max-program 8\r\nquit\r\n");
    ASSERT_NE(cli.device.servicePort(0), nullptr) << "the first free index is taken";
    EXPECT_EQ(cli.device.servicePort(0)->vlan, 41);
    EXPECT_TRUE(cli.device.hasMulticastUser(0));
    EXPECT_NE(cli.device.servicePort(1), nullptr);
    EXPECT_TRUE(cli.reply("service-port vlan 999 gpon 0/1/0 ont 1 gemport 1 multi-service user-vlan 41")
                    .contains(QString::fromUtf8("VLAN不存在")));
    EXPECT_TRUE(cli.run("undo vlan 41").endsWith("(y/n)[n]:"));
    cli.run("y");
    EXPECT_NE(cli.device.vlan(41), nullptr) << "a VLAN in use by service ports stays";

    cli.send(
        "btv\r\nigmp user delete smart-vlan 41\r\ny\r\n\r\nquit\r\nundo service-port vlan 41\r\n\r\n\r\n");
    EXPECT_EQ(cli.device.servicePort(0), nullptr);
    EXPECT_TRUE(cli.send("undo vlan 41\r\ny\r\n\r\n").contains(QString::fromUtf8("VLAN中存在标准端口")))
        << "its uplink ports go first";
    cli.send("undo port vlan 41 0/19 0-1\r\ny\r\n\r\nundo vlan 41\r\ny\r\n\r\n");
    EXPECT_EQ(cli.device.vlan(41), nullptr);
}

TEST(SimEffects, OntChangesTransfersTimeOutAndAutoFind) {
    Cli cli;
    cli.login();
    cli.send("interface gpon 0/1\r\nont modify 0 1 desc \"new_desc\"\r\n\r\nquit\r\n");
    EXPECT_EQ(cli.device.ont({0, 1, 0}, 1)->desc, "new_desc");
    cli.send("interface gpon 0/1\r\nont modify 0 1 ont-lineprofile-id 5\r\n\r\nquit\r\n");
    EXPECT_EQ(cli.device.ont({0, 1, 0}, 1)->lineProfile, 1) << "an unknown profile is refused";
    const QString tftp = cli.send("backup configuration tftp 10.11.104.1 MA5680T.cfg\r\ny\r\n");
    EXPECT_TRUE(tftp.contains(QString::fromUtf8("TFTP服务器无响应")));
    cli.send("idle-timeout 5\r\n");
    EXPECT_EQ(cli.session->idleSeconds(), 300);
    cli.send("interface gpon 0/1\r\nport 3 ont-auto-find disable\r\nquit\r\n");
    EXPECT_FALSE(dump(cli.device)["ports"].toArray()[3].toObject()["autofind"].toBool());
}

TEST(SimEffects, BoardDeletedUnderAnotherSessionsInterfaceMode) {
    for (const char *line :
         {"display ont info 0 all", "display ont autofind 0", "display port state all",
          "ont add 0 sn-auth 48575443000000A1 omci ont-lineprofile-id 1 ont-srvprofile-id 1"}) {
        SCOPED_TRACE(line);
        Cli first;
        first.login();
        first.run("interface gpon 0/5");
        // A second session deletes the board meanwhile.
        Session second(first.device, first.faults);
        second.start();
        second.receive("root\r\nadmin\r\nenable\r\nconfig\r\nboard delete 0/5\r\ny\r\n");
        ASSERT_EQ(first.device.board(0, 5), nullptr);
        EXPECT_TRUE(first.run(line).contains(QString::fromUtf8("该板不存在")));
        EXPECT_EQ(first.session->prompt(), "MA5680T(config)#");
    }
}

TEST(SimControl, PlugUnplugMoveAndTheirErrors) {
    Device d = smallDevice();
    Faults f;
    EXPECT_EQ(runControlCommand(d, f, "plug 0/1/2 sn 48575443AA000001 loid L-1 vendor ALCL"), "ok");
    ASSERT_EQ(d.autofindOn(PortRef{0, 1, 2}).size(), 1u);
    EXPECT_EQ(d.autofindOn(PortRef{0, 1, 2})[0]->loid, "L-1");
    EXPECT_EQ(runControlCommand(d, f, "plug 0/3/2 mac 00e0-fc00-0001"), "ok");
    EXPECT_EQ(runControlCommand(d, f, "unplug 48575443AA000001"), "ok");
    EXPECT_EQ(d.autofindOn(PortRef{0, 1, 2}).size(), 0u);
    EXPECT_EQ(runControlCommand(d, f, "unplug 485754430A1B2C3D"), "ok");
    EXPECT_FALSE(d.ont({0, 1, 0}, 0)->online());
    EXPECT_EQ(runControlCommand(d, f, "plug 0/1/0 sn 485754430A1B2C3D"), "ok");
    EXPECT_TRUE(d.ont({0, 1, 0}, 0)->online()) << "back on its own port it simply comes up";

    const char *bad[] = {"",
                         "plug",
                         "plug 0/1/2 sn nothex",
                         "plug 0/1/2 mac 00E0-FC11-2233",
                         "plug 0/9/0 sn 48575443AA000002",
                         "plug 0/1/99 sn 48575443AA000002",
                         "plug 0/1/2 sn 48575443AA000002 colour red",
                         "plug 0/1/2 sn 4857544311E70E9A",
                         "unplug 48575443FFFFFFFF",
                         "move 48575443FFFFFFFF 0/1/1",
                         "move 485754430A1B2C3D 0/1/0",
                         "move 485754430A1B2C3D x",
                         "fault chunk 0",
                         "fault chunk 8 -1",
                         "fault drop-after many",
                         "fault",
                         "dump now",
                         "reboot"};
    for (const char *line : bad) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(runControlCommand(d, f, line).startsWith("error "))
            << runControlCommand(d, f, line).toStdString();
    }
}

TEST(SimControl, FaultCommandsSetAndClear) {
    Device d = smallDevice();
    Faults f;
    EXPECT_EQ(runControlCommand(d, f, "fault chunk 16 5"), "ok");
    EXPECT_EQ(runControlCommand(d, f, "fault split-paging"), "ok");
    EXPECT_EQ(runControlCommand(d, f, "fault drop-after 100"), "ok");
    EXPECT_EQ(runControlCommand(d, f, "fault alarm"), "ok");
    EXPECT_EQ(runControlCommand(d, f, "fault reject-logins"), "ok");
    EXPECT_EQ(f.chunkBytes, 16);
    EXPECT_EQ(f.chunkDelayMs, 5);
    EXPECT_TRUE(f.splitPaging && f.alarmPending && f.rejectLogins);
    EXPECT_EQ(f.dropAfter, 100);
    EXPECT_EQ(runControlCommand(d, f, "fault off"), "ok");
    EXPECT_EQ(f.chunkBytes, 0);
    EXPECT_FALSE(f.splitPaging || f.alarmPending || f.rejectLogins);
    EXPECT_EQ(f.dropAfter, -1);
}

TEST(SimControl, AlarmLandsInTheMiddleOfTheNextOutput) {
    Cli cli;
    cli.login();
    cli.faults.alarmPending = true;
    const QStringList lines = cli.reply("display board 0").split("\r\n");
    const qsizetype at = lines.indexOf(QRegularExpression(QString::fromUtf8(".*! 事件.*")));
    ASSERT_GT(at, 3);
    EXPECT_LT(at, lines.size() - 4);
    EXPECT_FALSE(cli.faults.alarmPending);
}

TEST(SimScenario, DumpHasTheWholeModelAndLoadsBack) {
    Device d = smallDevice();
    const QJsonObject j = dump(d);
    for (const char *key :
         {"boards", "ports", "onts", "autofind", "servicePorts", "multicastUsers", "vlans", "dbaProfiles",
          "lineProfiles", "srvProfiles", "accounts", "sysname", "alarms", "alarmSerial", "fans"})
        EXPECT_TRUE(j.contains(key)) << key;
    for (const char *key : {"nativeVlans", "vlanServiceProfiles", "multicastVlans", "ipInterfaces", "routes"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["onts"].toArray().size(), 4);
    const QJsonObject first = j["onts"].toArray()[0].toObject();
    EXPECT_EQ(first["port"].toString(), "0/1/0");
    EXPECT_EQ(first["sn"].toString(), "485754430A1B2C3D");
    EXPECT_EQ(first["lineProfile"].toInt(), 1);
    EXPECT_EQ(first["runState"].toString(), "online");

    ScenarioResult again = scenarioFromJson(QJsonDocument(j).toJson());
    ASSERT_TRUE(again.device) << again.error.toStdString();
    EXPECT_EQ(dump(*again.device), j);
}

TEST(SimScenario, BadScenariosAreReportedNotCrashed) {
    const char *bad[] = {
        "",
        "[1,2]",
        "{\"boards\": [{\"slot\": 99, \"name\": \"H806GPBD\", \"kind\": \"gpon\"}]}",
        "{\"boards\": [{\"slot\": 1, \"name\": \"H806GPBD\", \"kind\": \"toaster\"}]}",
        "{\"onts\": [{\"port\": \"0/1/0\", \"id\": 0, \"sn\": \"485754430A1B2C3D\"}]}",
        "{\"boards\": [{\"slot\": 1, \"name\": \"X\", \"kind\": \"gpon\"}], \"onts\": [{\"port\": \"0/1/0\", "
        "\"id\": 0}]}",
        "{\"boards\": [{\"slot\": 1, \"name\": \"X\", \"kind\": \"gpon\"}], \"onts\": [{\"port\": \"zero\", "
        "\"id\": 0}]}",
        "{\"multicastUsers\": [{\"servicePort\": 3}]}",
        "{\"screenLength\": -1}",
        "{\"fans\": {\"speedLevel\": 9}}",
        "{\"fans\": {\"alarms\": {\"power\": false}}}",
        "{\"nativeVlans\": {\"0/19\": 100}}",
        "{\"multicastVlans\": [{\"id\": 3501, \"igmpMode\": \"loud\"}]}",
        "{\"ipInterfaces\": [{\"name\": \"meth0\", \"address\": \"10.0.0.300\", \"mask\": \"24\"}]}",
        "{\"ipInterfaces\": [{\"name\": \"eth7\"}]}",
        "{\"routes\": [{\"destination\": \"0.0.0.0\", \"mask\": \"0.0.0.0\"}]}",
    };
    for (const char *json : bad) {
        SCOPED_TRACE(json);
        const ScenarioResult r = scenarioFromJson(json);
        EXPECT_FALSE(r.device.has_value());
        EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_FALSE(loadScenario("/nonexistent/scenario.json", 1).device.has_value());
}

TEST(SimScenario, DemoHasWhatTheDemoShows) {
    const Device d = demoScenario(1);
    EXPECT_GE(d.onts.size(), 180u);
    EXPECT_LE(d.onts.size(), 220u);
    int offline = 0, deactivated = 0, epon = 0;
    for (const Ont &o : d.onts) {
        offline += !o.online();
        deactivated += !o.active;
        epon += o.pon == PonKind::Epon;
    }
    EXPECT_GT(offline, 5);
    EXPECT_GT(deactivated, 1);
    EXPECT_GT(epon, 10);
    ASSERT_EQ(d.autofind.size(), 5u);
    int registeredElsewhere = 0;
    for (const AutofindEntry &e : d.autofind)
        for (const Ont &o : d.onts)
            registeredElsewhere += !e.sn.isEmpty() && o.sn == e.sn && o.at != e.at;
    EXPECT_EQ(registeredElsewhere, 1);
    EXPECT_EQ(d.accounts[0].user, "root");
    EXPECT_EQ(d.accounts[0].password, "admin");
    for (const Ont &o : d.onts) // every ONT is found where it sits (the lookups need port order)
        ASSERT_EQ(d.ont(o.at, o.id), &o) << o.at.text().toStdString() << " " << o.id;

    Device again = demoScenario(1), other = demoScenario(2);
    Device copy = d;
    EXPECT_EQ(dump(copy), dump(again)) << "a seed fixes everything";
    EXPECT_NE(dump(copy), dump(other));
}

TEST(SimScenario, FullFillsEveryPortOfSixteenBoards) {
    const Device d = fullScenario(1);
    int ponBoards = 0;
    for (const Board &b : d.boards)
        if (b.present() && b.isPon()) {
            ++ponBoards;
            EXPECT_EQ(b.ports, 16);
        }
    EXPECT_EQ(ponBoards, 16);
    EXPECT_EQ(d.onts.size(), 16u * 16u * 128u);
}

} // namespace
