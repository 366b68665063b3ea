// The console's ONT menu scripts as it sends them: what they do to the model and what they answer.
#include "SimDriver.h"

#include <QJsonArray>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

const QString kUnknown = QStringLiteral("% Unknown command");

QJsonObject ontAt(Device &d, const QString &port, int id) {
    for (const QJsonValue &v : dump(d)["onts"].toArray())
        if (v["port"].toString() == port && v["id"].toInt() == id) return v.toObject();
    return {};
}

// The board forms: the same line for ports 0 to 15, whatever the board has.
QByteArray boardScript(const QByteArray &interface, const QByteArray &verb, const QByteArray &answers) {
    QByteArray script = interface + "\r\n";
    for (int q = 0; q <= 15; ++q)
        script += verb + ' ' + QByteArray::number(q) + " all\r\n" + answers;
    return script + "quit\r\n";
}

TEST(SimOntMenu, LifecycleScriptsChangeTheOntsTheyName) {
    struct Case {
        QByteArray lines; // inside "interface gpon 0/1"
        int id;           // the ONT on 0/1/0 looked at afterwards
        const char *field;
        const char *value; // nullptr: the ONT is gone
    };
    const Case cases[] = {
        {"ont deactivate 0 0\r\n", 0, "controlFlag", "deactivated"},
        {"ont deactivate 0 0\r\n", 0, "runState", "offline"},
        {"ont deactivate 0 all\r\n", 0, "runState", "offline"},
        {"ont activate 0 2\r\n", 2, "runState", "online"},
        {"ont activate 0 all\r\n", 2, "controlFlag", "active"},
        {"ont activate 0 1\r\n", 1, "runState", "offline"}, // not on the fibre
        {"ont reset 0 0\r\ny\r\n", 0, "runState", "online"},
        {"ont factory-setting-restore 0 all\r\ny\r\n", 0, "runState", "online"},
        {"ont delete 0 1\r\n", 1, "port", nullptr},
        {"ont delete 0 all\r\ny\r\n", 2, "port", nullptr},
        {"ont delete 0 all\r\ny\r\n", 0, "port", "0/1/0"}, // its service ports hold it
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines.constData());
        Cli cli;
        cli.login(false);
        const QString out = cli.send("interface gpon 0/1\r\n" + c.lines + "quit\r\n");
        EXPECT_FALSE(out.contains(kUnknown)) << out.toStdString();
        EXPECT_EQ(cli.session->prompt(), "MA5680T(config)#");
        EXPECT_EQ(ontAt(cli.device, "0/1/0", c.id)[c.field].toString(), c.value ? c.value : "");
    }

    Cli shown;
    shown.login(false);
    shown.send("interface gpon 0/1\r\nont deactivate 0 0\r\nquit\r\n");
    EXPECT_TRUE(shown.reply("display ont info 0 1 0 all")
                    .contains("  0/ 1/0    0  485754430A1B2C3D  deactivated offline "));
}

TEST(SimOntMenu, LifecycleReplies) {
    const std::pair<QByteArray, const char *> cases[] = {
        {"ont reset 0 1\r\ny\r\n", "  Failure: The ONT is not online"},
        {"ont factory-setting-restore 0 2\r\ny\r\n", "  Failure: The ONT is not online"}, // deactivated
        {"ont reset 0 9\r\n", "  Failure: The ONT does not exist"},
        {"ont delete 0 0\r\n", "  Failure: This configured object has some service virtual ports"},
        {"ont delete 0 all\r\ny\r\n", "  Number of ONTs that can be deleted: 3, success: 2"},
        {"ont deactivate 0 all\r\n", "  Number of ONTs that can be operated: 3, success: 3"},
    };
    for (const auto &[lines, says] : cases) {
        SCOPED_TRACE(lines.constData());
        Cli cli;
        cli.login(false);
        const QString out = cli.send("interface gpon 0/1\r\n" + lines + "quit\r\n");
        EXPECT_TRUE(out.contains(QString(says) + "\r\n")) << out.toStdString();
        EXPECT_FALSE(out.contains(kUnknown));
    }
}

TEST(SimOntMenu, BoardFormsFailOnlyOnThePortsTheBoardLacks) {
    struct Case {
        QByteArray interface;
        int ports;
        QByteArray verb;
    };
    const Case cases[] = {
        {"interface gpon 0/1", 8, "ont reset"},
        {"interface gpon 0/1", 8, "ont factory-setting-restore"},
        {"interface epon 0/3", 4, "ont reset"},
        {"interface epon 0/3", 4, "ont delete"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.interface + " " + c.verb).constData());
        Cli cli;
        cli.login();
        const QString out = cli.send(boardScript(c.interface, c.verb, "y\r\n"));
        EXPECT_EQ(out.count(QString::fromUtf8("% 参数错误")), 16 - c.ports) << out.toStdString();
        EXPECT_EQ(cli.session->prompt(), "MA5680T(config)#");
    }

    // The whole board as the console deletes it: multicast users, service ports, then the ONTs.
    Cli cli;
    cli.login();
    cli.send("btv\r\nigmp user delete slot 0/1\r\ny\r\n\r\nquit\r\n");
    cli.send("undo service-port board 0/1\r\n\r\ny\r\n" +
             boardScript("interface gpon 0/1", "ont delete", "y\r\n"));
    ASSERT_EQ(cli.device.onts.size(), 1u);
    EXPECT_EQ(cli.device.onts[0].at, (PortRef{0, 3, 0})) << "the other board keeps its ONT";
    EXPECT_NE(cli.device.servicePort(12), nullptr);
}

TEST(SimOntMenu, AttributeChangesAsTheConsoleSendsThem) {
    struct Case {
        const char *interface;
        const char *change;  // after "ont modify <port> <id> "
        const char *closing; // the console's lines after the change
        const char *field;
        QJsonValue value; // the field afterwards
        const char *says; // a line of the reply, or nullptr
        bool refused;     // at once, so the console's "1" runs as a command
    };
    const Case cases[] = {
        {"gpon 0/1", "ont-lineprofile-id 7", "\r\n", "lineProfile", 7, nullptr, false},
        {"gpon 0/1", "ont-srvprofile-id 7", "\r\n", "srvProfile", 7, nullptr, false},
        {"gpon 0/1", "ont-lineprofile-id 9", "\r\n", "lineProfile", 1,
         "  Failure: The line profile does not exist", false},
        {"gpon 0/1", "sn HWTC-0000ABCD", "\r\n1\r\n", "sn", "485754430000ABCD", "  1. Continue", false},
        {"gpon 0/1", "sn 485754430000ABCD", "\r\n2\r\n", "sn", "48575443DEADBEEF", nullptr, false},
        {"gpon 0/1", "sn 485754430A1B2C3D", "\r\n1\r\n", "sn", "48575443DEADBEEF",
         "  Failure: SN already exists", false},
        {"gpon 0/1", "loid L-77", "\r\n1\r\n", "loid", "L-77", nullptr, false},
        {"gpon 0/1", "password pw123", "\r\n1\r\n", "auth", "password", nullptr, false},
        {"gpon 0/1", "password pw12345678901", "\r\n1\r\n", "auth", "sn", nullptr, true},
        {"gpon 0/1", "desc \"text with  blanks\"", "\r\n", "desc", "text with  blanks", nullptr, false},
        {"epon 0/3", "sn 48575443AAAABBBB", "\r\n1\r\n", "mac", "00E0-FC11-2233",
         "  % Parameter error, the error locates at '^'", true},
        {"epon 0/3", "mac 00e0-fc11-9999", "\r\n1\r\n", "mac", "00E0-FC11-9999", nullptr, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.change);
        Device d = smallDevice();
        d.lineProfiles.push_back({PonKind::Gpon, 7, "L7", {}});
        d.srvProfiles.push_back({PonKind::Gpon, 7, "S7", {}});
        Cli cli(std::move(d));
        cli.login(false);
        const bool gpon = QByteArray(c.interface).startsWith("gpon");
        const QString out = cli.send(QByteArray("interface ") + c.interface + "\r\nont modify 0 " +
                                     (gpon ? "1 " : "0 ") + c.change + "\r\n" + c.closing + "quit\r\n");
        EXPECT_EQ(ontAt(cli.device, gpon ? "0/1/0" : "0/3/0", gpon ? 1 : 0)[c.field], c.value);
        if (c.says) {
            EXPECT_TRUE(out.contains(QString(c.says) + "\r\n")) << out.toStdString();
        }
        EXPECT_EQ(out.contains(kUnknown), c.refused) << out.toStdString();
        EXPECT_EQ(cli.session->prompt(), "MA5680T(config)#");
    }

    Cli chinese;
    chinese.login();
    chinese.send("interface gpon 0/1\r\nont modify 0 1 desc \"text with  blanks\"\r\n\r\nquit\r\n");
    EXPECT_TRUE(chinese.reply("display ont info 0 1 0 1")
                    .contains(QString::fromUtf8("  描述                    : text with  blanks\r\n")));
}

TEST(SimOntMenu, NewSnBringsTheReplacementDeviceUp) {
    Cli cli;
    cli.login();
    Faults f;
    ASSERT_EQ(runControlCommand(cli.device, f, "plug 0/1/0 sn 48575443AAAA0001"), "ok");
    cli.send("interface gpon 0/1\r\nont modify 0 0 sn 48575443AAAA0001\r\n\r\n1\r\nquit\r\n");
    const QJsonObject o = ontAt(cli.device, "0/1/0", 0);
    EXPECT_EQ(o["sn"].toString(), "48575443AAAA0001");
    EXPECT_EQ(o["runState"].toString(), "online");
    const auto waiting = cli.device.autofindOn(PortRef{0, 1, 0});
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_EQ(waiting[0]->sn, "485754430A1B2C3D") << "the replaced device is still on the fibre";

    // The device is taken to carry a new LOID itself: the ONT stays up.
    cli.send("interface gpon 0/1\r\nont modify 0 0 loid L-1\r\n\r\n1\r\nquit\r\n");
    EXPECT_EQ(ontAt(cli.device, "0/1/0", 0)["runState"].toString(), "online");
}

TEST(SimOntMenu, TrailingAnswersOfTheConsoleGetThePromptBack) {
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        Cli cli;
        cli.login(chinese);
        cli.run("interface gpon 0/1");
        cli.run("ont modify 0 1 password pw123");
        EXPECT_TRUE(cli.run("").endsWith(chinese ? QString::fromUtf8("  请选择 (1-2)[2]:")
                                                 : "  Please select (1-2)[2]:"));
        EXPECT_EQ(cli.run("1"), "1\r\n\r\nMA5680T(config-if-gpon-0/1)#");
        cli.run("quit");
        cli.run("display service-port port 0/1/0 ont 0 sort-by port");
        EXPECT_EQ(cli.run("y"), "y\r\nMA5680T(config)#");
        EXPECT_TRUE(cli.run("y").contains("^\r\n")) << "only the line right after a sorted listing passes";
    }
}

TEST(SimOntMenu, InspectionScriptsAnswerAndEndInConfigurationMode) {
    const std::pair<QByteArray, const char *> cases[] = {
        {"display ont info 0 1 0 0\r\n", "485754430A1B2C3D (HWTC-0A1B2C3D)"},
        {"display ont info 0 1 0 all\r\n", "li_100-1"},
        {"display ont info 0 1 all\r\n", "zhao_100-3"},
        {"display service-port port 0/1/0 ont 0 sort-by port\r\ny\r\n", "     11 3444 common"},
        {"display service-port port 0/1/0 sort-by port\r\n", "     11 3444 common"},
        {"display service-port board 0/1 sort-by port\r\n", "     10  100 common"},
        {"display service-port port 0/1/0 ont 0\r\n\r\n\r\n", "     11 3444 common"},
        {"interface gpon 0/1\r\ndisplay ont optical-info 0 0\r\n     \r\nquit\r\n", "-19.50"},
        {"interface gpon 0/1\r\ndisplay ont optical-info 0 all\r\ny\r\nquit\r\n", "    0  -19.50"},
        {"interface gpon 0/1\r\ndisplay ont traffic 0 0\r\n\r\n     \r\nquit\r\n", "20480"},
        {"interface gpon 0/1\r\ndisplay ont register-info 0 0\r\n     \r\nquit\r\n",
         "2024-05-20 08:00:00+08:00"},
        {"interface gpon 0/1\r\ndisplay port info 0\r\nquit\r\n", ": 0/1/0"},
    };
    for (bool chinese : {false, true})
        for (const auto &[script, shows] : cases) {
            SCOPED_TRACE(script.constData());
            Cli cli;
            cli.login(chinese);
            const QString out = cli.send(script);
            EXPECT_TRUE(out.contains(shows)) << out.toStdString();
            EXPECT_FALSE(out.contains("^\r\n")) << out.toStdString();
            EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
        }
}

TEST(SimOntMenu, DeletionsRemoveWhatTheyNameAndNothingElse) {
    struct Case {
        QByteArray script;
        QList<int> servicePorts; // indexes left
        QList<int> multicast;    // service ports with a multicast user left
    };
    const Case cases[] = {
        {"undo service-port 10\r\n\r\nundo service-port 12\r\n\r\n", {11, 13}, {11, 13}},
        {"undo service-port vlan 100\r\n\r\n\r\n", {11, 13}, {11, 13}},
        {"undo service-port port 0/1/0\r\n\r\ny\r\n", {11, 12, 13}, {11, 13}},
        {"undo service-port board 0/3\r\n\r\ny\r\n", {10, 11, 13}, {11, 13}},
        {"undo service-port port 0/1/0 ont 0 gemport 1\r\n\r\ny\r\n", {11, 12, 13}, {11, 13}},
        {"undo service-port port 0/3/0 ont 0\r\n\r\ny\r\n", {10, 11, 13}, {11, 13}},
        {"btv\r\nigmp user delete service-port 11\r\ny\r\n\r\nquit\r\n", {10, 11, 12, 13}, {13}},
        {"btv\r\nigmp user  delete  smart-vlan 3444\r\ny\r\n\r\nquit\r\n", {10, 11, 12, 13}, {}},
        {"btv\r\nigmp user  delete  smart-vlan 100\r\ny\r\n\r\nquit\r\n", {10, 11, 12, 13}, {11, 13}},
        {"btv\r\nigmp user delete  port 0/3/0\r\ny\r\n\r\nquit\r\n", {10, 11, 12, 13}, {11}},
        {"btv\r\nigmp user delete slot 0/1\r\ny\r\n\r\nquit\r\n", {10, 11, 12, 13}, {13}},
        {"btv\r\nigmp user delete  port 0/1/0\r\ny\r\n\r\nquit\r\nundo service-port port 0/1/0\r\n\r\ny\r\n",
         {12, 13},
         {13}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script.constData());
        Device d = smallDevice();
        ServicePort iptv;
        iptv.index = 13;
        iptv.vlan = 3444;
        iptv.at = {0, 3, 0};
        iptv.portType = "epon";
        d.servicePorts.push_back(iptv);
        d.multicastUsers.push_back({13});
        Cli cli(std::move(d));
        cli.login();
        const QString out = cli.send(c.script);
        EXPECT_FALSE(out.contains("^\r\n")) << out.toStdString();
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
        QList<int> left, users;
        for (const ServicePort &sp : cli.device.servicePorts)
            left << sp.index;
        for (const MulticastUser &u : cli.device.multicastUsers)
            users << u.servicePort;
        EXPECT_EQ(left, c.servicePorts);
        EXPECT_EQ(users, c.multicast);
    }
}

} // namespace
