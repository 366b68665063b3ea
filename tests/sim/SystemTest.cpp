// The console's system scripts: restarts, the saved configuration, the system name, saving, the
// idle time-out, autosave and the global switches, as the model, the replies and the prompt show them.
#include "SimDriver.h"

#include <QJsonArray>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

Device withStandby() {
    Device d = smallDevice();
    d.boards[10].state = BoardState::StandbyNormal;
    return d;
}

QString boardState(Device &d, int slot) {
    for (const QJsonValue &v : dump(d)["boards"].toArray())
        if (v["slot"].toInt() == slot) return v["state"].toString();
    return {};
}

TEST(SimSystem, RestartsEndTheSessionAfterTheirNotice) {
    struct Case {
        QByteArray script;
        const char *english; // the last line the session prints
        const char *chinese;
        const char *active; // slot 9's state afterwards
    };
    const Case cases[] = {
        {"reboot system\r\ny\r\n", "  System is rebooting, please wait...", "  系统正在复位，请稍候...",
         "active_normal"},
        {"system switch-over\r\ny\r\n", "  The control boards are switching over, please log on again later",
         "  正在进行主备倒换，请稍后重新登录", "standby_normal"},
        {"erase flash data active\r\ny\r\n",
         "  The database of the main board is erased, the system is rebooting, please wait...",
         "  主板数据库已擦除，系统正在复位，请稍候...", "active_normal"},
        {"board reset 0/9\r\ny\r\n", "(y/n)[n]:y", "(y/n)[n]:y", "standby_normal"}, // the standby takes over
    };
    for (bool chinese : {false, true})
        for (const Case &c : cases) {
            SCOPED_TRACE(c.script.constData());
            Cli cli(withStandby());
            cli.login(chinese);
            const QString out = cli.send(c.script);
            EXPECT_TRUE(out.endsWith(QString::fromUtf8(chinese ? c.chinese : c.english) + "\r\n"))
                << out.toStdString();
            EXPECT_TRUE(out.contains("(y/n)[n]:y\r\n"));
            EXPECT_TRUE(cli.session->closing());
            EXPECT_TRUE(cli.session->restarting());
            EXPECT_EQ(boardState(cli.device, 9), c.active);
            EXPECT_TRUE(cli.send("display board 0\r\n").isEmpty()) << "nothing is read after the close";
        }
}

TEST(SimSystem, RestartsThatDoNotHappen) {
    const std::pair<QByteArray, const char *> cases[] = {
        {"reboot system\r\nn\r\n", nullptr},
        {"erase flash data active\r\n\r\n", nullptr},
        {"system switch-over\r\ny\r\n", "  Failure: The standby control board is not normal"},
        {"erase flash data\r\n", "  % Incomplete command, the error locates at '^'"},
        {"reboot system now\r\n", "  % Unknown command, the error locates at '^'"},
    };
    for (const auto &[script, says] : cases) {
        SCOPED_TRACE(script.constData());
        Cli cli; // its standby control board has failed
        cli.login(false);
        const QString out = cli.send(script);
        if (says) {
            EXPECT_TRUE(out.contains(QString(says) + "\r\n")) << out.toStdString();
        }
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
        EXPECT_FALSE(cli.session->closing());
        EXPECT_EQ(cli.device.onts.size(), 4u);
    }
}

TEST(SimSystem, RebootComesBackWithWhatWasSaved) {
    Cli cli;
    cli.login(false);
    cli.send("sysname SAVED\r\n\r\nsave\r\n\r\n");
    cli.send("sysname LOST\r\n\r\nsecurity anti-dos enable\r\n");
    cli.send("interface gpon 0/1\r\nont add 1 sn-auth 4857544311E70E9A omci ont-lineprofile-id 1 "
             "ont-srvprofile-id 1\r\n\r\nquit\r\n");
    ASSERT_NE(cli.device.ont({0, 1, 1}, 0), nullptr);
    Faults f;
    ASSERT_EQ(runControlCommand(cli.device, f, "unplug 00E0-FC11-2233"), "ok");
    cli.send("reboot system\r\ny\r\n");

    const QJsonObject after = dump(cli.device);
    EXPECT_EQ(after["sysname"].toString(), "SAVED");
    EXPECT_FALSE(after["switches"]["security anti-dos"].toBool());
    EXPECT_EQ(cli.device.ont({0, 1, 1}, 0), nullptr) << "the registration was never saved";
    const auto waiting = cli.device.autofindOn(PortRef{0, 1, 1});
    ASSERT_EQ(waiting.size(), 1u) << "its device reports itself again";
    EXPECT_EQ(waiting[0]->sn, "4857544311E70E9A");
    EXPECT_TRUE(cli.device.ont({0, 1, 0}, 0)->online());
    EXPECT_FALSE(cli.device.ont({0, 3, 0}, 0)->online()) << "what is off the fibre stays off";

    Session next(cli.device, cli.faults);
    next.start();
    next.receive("root\r\nadmin\r\nenable\r\nconfig\r\n");
    EXPECT_EQ(next.prompt(), "SAVED(config)#");
}

TEST(SimSystem, EraseLeavesTheFactoryStateThatCommissioningBuildsOn) {
    Cli cli;
    cli.login();
    cli.send("erase flash data active\r\ny\r\n");
    const QJsonObject erased = dump(cli.device);
    EXPECT_EQ(erased["sysname"].toString(), "MA5680T");
    for (const char *key : {"onts", "servicePorts", "multicastUsers", "vlans", "multicastVlans", "routes"})
        EXPECT_TRUE(erased[key].toArray().isEmpty()) << key;
    for (const char *key : {"lineProfiles", "srvProfiles"}) { // only the defaults, id 0 of each kind
        const QJsonArray profiles = erased[key].toArray();
        ASSERT_EQ(profiles.size(), 2) << key;
        EXPECT_EQ(profiles[0]["id"].toInt() + profiles[1]["id"].toInt(), 0) << key;
    }
    EXPECT_EQ(erased["dbaProfiles"].toArray().size(), 9);
    EXPECT_EQ(boardState(cli.device, 1), "auto_find");
    EXPECT_EQ(boardState(cli.device, 5), "failed");
    EXPECT_EQ(boardState(cli.device, 9), "active_normal");
    EXPECT_TRUE(cli.device.autofind.empty()) << "unconfirmed boards find nothing";

    // The commissioning scripts: confirm the boards, switch auto-find on.
    Session next(cli.device, cli.faults);
    next.start();
    next.receive(
        "root\r\nadmin\r\nenable\r\nconfig\r\nscroll 0\r\nboard confirm 0\r\ninterface gpon 0/1\r\n");
    for (int n = 0; n <= 15; ++n)
        next.receive("port " + QByteArray::number(n) + " ont-auto-find enable\r\n");
    next.receive("\r\nquit\r\n");
    EXPECT_EQ(boardState(cli.device, 1), "normal");
    QStringList found;
    for (const AutofindEntry &e : cli.device.autofind)
        found << e.at.text() + " " + e.key();
    EXPECT_EQ(found,
              QStringList({"0/1/0 485754430A1B2C3D", "0/1/0 5A54454700C0FFEE", "0/1/1 4857544311E70E9A"}))
        << "what is on the fibre of 0/1 shows up; 0/3 still has auto-find off";
    const QString config = decode(next.receive("display current-configuration\r\n\r\n"));
    EXPECT_TRUE(config.contains("  <gpon-0/1>\r\n interface gpon 0/1\r\n port 0 ont-auto-find enable\r\n"));
    EXPECT_FALSE(config.contains("<epon-0/3>")) << "nothing configured there yet";
}

TEST(SimSystem, SysnameChangesThePromptAtOnce) {
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        Cli cli;
        cli.login(chinese);
        EXPECT_EQ(cli.send("sysname OLT-7\r\n\r\n"), "sysname OLT-7\r\n\r\nOLT-7(config)#\r\nOLT-7(config)#");
        EXPECT_EQ(dump(cli.device)["sysname"].toString(), "OLT-7");
        EXPECT_TRUE(cli.reply("display current-configuration").contains("\r\n sysname OLT-7\r\n"));
        EXPECT_TRUE(cli.run("sysname " + QString(65, 'x')).contains("^\r\n"));
        EXPECT_TRUE(cli.run("sysname").contains("^\r\n"));
        EXPECT_EQ(cli.session->prompt(), "OLT-7(config)#");
    }
}

TEST(SimSystem, SaveAnswersWithProgressAndCompletion) {
    const std::pair<bool, const char *> cases[] = {
        {false, "  It will take several minutes to save configuration file, please wait...\r\n"
                "  The data of 9 slot's control board is saved completely\r\n"},
        {true, "  保存配置文件需要几分钟时间，请稍候...\r\n"
               "  9槽位主控板的数据保存完毕\r\n"},
    };
    for (const auto &[chinese, says] : cases) {
        Cli cli;
        cli.login(chinese);
        EXPECT_TRUE(cli.run("save").endsWith("\r\n{ <cr>|configuration<K>|data<K> }:"));
        EXPECT_EQ(cli.run(""), "\r\n\r\n  Command:\r\n          save\r\n" + QString::fromUtf8(says) +
                                   "\r\nMA5680T(config)#");
    }
}

TEST(SimSystem, SettingsShowInTheSavedConfigurationAndTheDump) {
    struct Case {
        QByteArray script;
        QStringList lines;  // of the configuration afterwards
        const char *absent; // a line that must not be there, or nullptr
        const char *field;  // "section/key" of the dump
        QJsonValue value;
    };
    const Case cases[] = {
        {"autosave type all\r\nautosave  time 03:00:00\r\nautosave time on\r\n\r\n",
         {" autosave type all", " autosave time on", " autosave time 03:00:00"},
         nullptr,
         "autosave/time",
         "03:00:00"},
        {"autosave  time 3:5:0\r\n\r\n", {" autosave time 03:05:00"}, nullptr, "autosave/time", "03:05:00"},
        {"autosave time off\r\n\r\n", {" autosave time off"}, nullptr, "autosave/timeOn", false},
        {"autosave type all\r\nautosave  interval 1440\r\nautosave  interval configuration 480\r\n"
         "autosave interval on\r\n\r\n",
         {" autosave interval on", " autosave interval 1440", " autosave interval configuration 480"},
         nullptr,
         "autosave/configurationInterval",
         480},
        {"autosave interval on\r\nautosave interval off\r\n\r\n",
         {" autosave interval off"},
         nullptr,
         "autosave/intervalOn",
         false},
        {"idle-timeout 120\r\n", {" idle-timeout 120"}, nullptr, "/idleSeconds", 7200},
        {"security anti-ipattack enable\r\n",
         {},
         " security anti-ipattack",
         "switches/security anti-ipattack",
         true},
        {"security anti-ipattack disable\r\n",
         {" security anti-ipattack disable"},
         nullptr,
         "switches/security anti-ipattack",
         false},
        {"security anti-ipspoofing enable\r\n",
         {" security anti-ipspoofing enable"},
         nullptr,
         "switches/security anti-ipspoofing",
         true},
        {"security anti-macduplicate enable\r\n",
         {" security anti-macduplicate enable"},
         nullptr,
         "switches/security anti-macduplicate",
         true},
        {"security anti-macspoofing enable\r\nsecurity anti-macspoofing disable\r\n",
         {},
         " security anti-macspoofing",
         "switches/security anti-macspoofing",
         false},
        {"security anti-dos enable\r\n",
         {" security anti-dos enable"},
         nullptr,
         "switches/security anti-dos",
         true},
        {"security anti-dos enable\r\nsecurity anti-dos disable\r\ny\r\n",
         {},
         " security anti-dos",
         "switches/security anti-dos",
         false},
        {"security anti-icmpattack enable\r\n",
         {" security anti-icmpattack enable"},
         nullptr,
         "switches/security anti-icmpattack",
         true},
        {"ring check enable\r\n", {" ring check enable"}, nullptr, "switches/ring check", true},
        {"ring check enable\r\nring check disable\r\ny\r\n", {}, " ring check", "switches/ring check", false},
        {"security anti-ipv6spoofing enable\r\nsecurity anti-ipv6spoofing disable\r\ny\r\n",
         {},
         " security anti-ipv6spoofing",
         "switches/security anti-ipv6spoofing",
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script.constData());
        Cli cli;
        cli.login();
        const QString out = cli.send(c.script);
        EXPECT_FALSE(out.contains("^\r\n")) << out.toStdString();
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
        const QString config = cli.reply("display current-configuration");
        for (const QString &line : c.lines)
            EXPECT_TRUE(config.contains("\r\n" + line + "\r\n")) << line.toStdString();
        if (c.absent) {
            EXPECT_FALSE(config.contains(c.absent)) << config.toStdString();
        }
        const QString section = QString(c.field).section('/', 0, 0), key = QString(c.field).section('/', 1);
        const QJsonObject d = dump(cli.device);
        EXPECT_EQ(section.isEmpty() ? d[key] : d[section][key], c.value);
    }
}

TEST(SimSystem, BadSettingsAreRefusedAndChangeNothing) {
    for (const char *line :
         {"autosave  time 25:00:00", "autosave  time noon", "autosave  interval 5",
          "autosave  interval configuration x", "autosave type some", "security anti-dos maybe",
          "security anti-everything enable", "ring check", "idle-timeout -1", "idle-timeout 5 60"}) {
        SCOPED_TRACE(line);
        Cli cli;
        cli.login(false);
        const QJsonObject before = dump(cli.device);
        EXPECT_TRUE(cli.run(line).contains("^\r\n"));
        EXPECT_EQ(dump(cli.device), before);
    }
}

TEST(SimSystem, DisablingAProtectionAsksFirst) {
    const char *cases[] = {"security anti-dos", "security anti-ipv6spoofing", "ring check"};
    for (bool chinese : {false, true})
        for (const char *name : cases) {
            SCOPED_TRACE(name);
            Cli cli;
            cli.login(chinese);
            cli.run(QString(name) + " enable");
            EXPECT_TRUE(cli.run(QString(name) + " disable").endsWith("(y/n)[n]:"));
            EXPECT_EQ(cli.run("n"), "n\r\n\r\nMA5680T(config)#");
            EXPECT_TRUE(dump(cli.device)["switches"][QString(name)].toBool()) << "n keeps it on";
            EXPECT_FALSE(cli.run(QString(name) + " enable").contains("(y/n)")) << "switching on asks nothing";
        }
}

} // namespace
