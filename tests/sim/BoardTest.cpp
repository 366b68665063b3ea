// The console's board scripts: what they do to the boards, their ONTs and ports, and the chassis view.
#include "SimDriver.h"

#include <QJsonArray>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

// The small device with its standby control board ready and a new board waiting in slot 7.
Device chassis() {
    Device d = smallDevice();
    d.boards[10].state = BoardState::StandbyNormal;
    d.boards[7] = Board{7, "H806GPBD", BoardKind::Gpon, BoardState::AutoFind, 8, {}};
    return d;
}

QString boardState(Device &d, int slot) {
    for (const QJsonValue &v : dump(d)["boards"].toArray())
        if (v["slot"].toInt() == slot) return v["state"].toString();
    return {};
}

QJsonObject ontAt(Device &d, const QString &port, int id) {
    for (const QJsonValue &v : dump(d)["onts"].toArray())
        if (v["port"].toString() == port && v["id"].toInt() == id) return v.toObject();
    return {};
}

TEST(SimBoards, ScriptsChangeTheBoardTheyName) {
    struct Case {
        QByteArray script;
        int slot;
        const char *state; // in the dump afterwards; empty: the slot is empty
        const char *says;  // a line of the reply, or nullptr
    };
    const Case cases[] = {
        {"board confirm 0/7\r\n", 7, "normal", nullptr},
        {"board confirm 0\r\n", 7, "normal", nullptr},
        {"board confirm 0/1\r\n", 1, "normal", "  Failure: The board is confirmed already"},
        {"board confirm 1\r\n", 7, "auto_find", "  Failure: The frame does not exist"},
        {"board power-off 0/1\r\ny\r\n", 1, "power_off", nullptr},
        {"board power-off 0/1\r\nn\r\n", 1, "normal", nullptr},
        {"board power-off 0/1\r\ny\r\nboard power-on 0/1\r\n", 1, "normal", nullptr},
        {"board power-on 0/7\r\n", 7, "auto_find", nullptr}, // powered already, still to be confirmed
        {"board power-off 0/9\r\ny\r\n", 9, "active_normal",
         "  Failure: The board does not support the operation"},
        {"board reset 0/5\r\ny\r\n", 5, "normal", nullptr},
        {"board power-off 0/1\r\ny\r\nboard reset 0/1\r\ny\r\n", 1, "power_off",
         "  Failure: The board is powered off"},
        {"board delete 0/7\r\ny\r\n", 7, "", nullptr},
        {"board delete 0/5\r\ny\r\n", 5, "", nullptr},
        {"board delete 0/1\r\ny\r\n", 1, "normal", "  Failure: The board has service configuration"}, // ONTs
        {"board delete 0/19\r\ny\r\n", 19, "normal",
         "  Failure: The board has service configuration"}, // VLANs
        {"board delete 0/10\r\ny\r\n", 10, "", nullptr},    // the standby control board
        {"board delete 0/9\r\ny\r\n", 9, "active_normal",
         "  Failure: The board does not support the operation"},
        {"board delete 0/8\r\ny\r\n", 8, "", "  Failure: The board does not exist"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script.constData());
        Cli cli(chassis());
        cli.login(false);
        const QString out = cli.send(c.script);
        EXPECT_EQ(boardState(cli.device, c.slot), c.state);
        if (c.says) {
            EXPECT_TRUE(out.contains(QString(c.says) + "\r\n")) << out.toStdString();
        }
        EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
    }
}

TEST(SimBoards, OntsAndAutofindFollowTheirBoard) {
    Cli cli(chassis());
    cli.login(false);
    cli.send("board power-off 0/1\r\ny\r\n");
    EXPECT_EQ(ontAt(cli.device, "0/1/0", 0)["runState"].toString(), "offline");
    EXPECT_EQ(ontAt(cli.device, "0/3/0", 0)["runState"].toString(), "online") << "other boards carry on";
    EXPECT_TRUE(cli.reply("display ont info 0 1 0 all")
                    .contains("  0/ 1/0    0  485754430A1B2C3D  active      offline"));
    EXPECT_FALSE(cli.reply("display ont autofind all").contains(": 0/1/1"))
        << "a board without power finds nothing";

    cli.send("board power-on 0/1\r\n");
    EXPECT_EQ(ontAt(cli.device, "0/1/0", 0)["runState"].toString(), "online");
    EXPECT_TRUE(cli.reply("display ont autofind all").contains(": 0/1/1"));

    Cli reset(chassis());
    reset.login(false);
    reset.send("board reset 0/3\r\ny\r\n");
    EXPECT_EQ(ontAt(reset.device, "0/3/0", 0)["runState"].toString(), "online") << "back with its board";
    EXPECT_EQ(reset.device.ont({0, 3, 0}, 0)->lastDown, reset.device.now) << "it dropped meanwhile";
}

// The auto-find script of the board page: 16 port lines whatever the board has, an empty line, quit.
QByteArray autoFindScript(const QByteArray &interface) {
    QByteArray script = interface + "\r\n";
    for (int n = 0; n <= 15; ++n)
        script += "port " + QByteArray::number(n) + " ont-auto-find enable\r\n";
    return script + "\r\nquit\r\n";
}

TEST(SimBoards, AutoFindScriptSwitchesOnThePortsTheBoardHas) {
    struct Case {
        QByteArray before; // brings the board's ports to auto-find off
        QByteArray interface;
        const char *block; // of the saved configuration
        int ports;
        const char *found; // a device on its fibre that shows in autofind afterwards, or nullptr
    };
    const Case cases[] = {
        {"board confirm 0/7\r\n", "interface gpon 0/7", "  <gpon-0/7>", 8, nullptr},
        {"interface epon 0/3\r\nport 1 ont-auto-find disable\r\nquit\r\n", "interface epon 0/3",
         "  <epon-0/3>", 4, "00E0-FCAA-BBCC"},
    };
    for (bool chinese : {false, true})
        for (const Case &c : cases) {
            SCOPED_TRACE(c.interface.constData());
            Cli cli(chassis());
            cli.login(chinese);
            cli.send(c.before);
            if (c.found) {
                EXPECT_FALSE(cli.reply("display ont autofind all").contains(c.found))
                    << "switched off, it forgets";
            }
            const QString out = cli.send(autoFindScript(c.interface));
            const QString paramError = chinese ? QString::fromUtf8("% 参数错误") : "% Parameter error";
            EXPECT_EQ(out.count(paramError), 16 - c.ports) << out.toStdString();
            EXPECT_EQ(cli.session->prompt(), "MA5680T(config)#");

            const QString config = cli.reply("display current-configuration");
            const QString block =
                config.mid(config.indexOf(c.block)).section("\r\n  <", 0, 0).section("#", 0, 0);
            for (int n = 0; n < 16; ++n)
                EXPECT_EQ(block.contains(QStringLiteral(" port %1 ont-auto-find enable\r\n").arg(n)),
                          n < c.ports)
                    << n << block.toStdString();
            if (c.found) {
                EXPECT_TRUE(cli.reply("display ont autofind all").contains(c.found));
            }
        }
}

// Rows as the captures lay them out: status from column 21, Online/Offline from column 58.
TEST(SimBoards, ChassisViewShowsEveryState) {
    struct Case {
        bool chinese;
        QStringList rows;
    };
    const Case cases[] = {
        {false,
         {"  1       H806GPBD   Normal", "  3       H803EPBD   Power_off                            Offline",
          "  5       H806GPBD   Failed", "  7       H806GPBD   Auto_find",
          "  9       H801SCUN   Standby_normal", "  10      H801SCUN   Active_normal"}},
        {true,
         {QString::fromUtf8("  1       H806GPBD   正常"),
          QString::fromUtf8("  3       H803EPBD   下电                                 离线"),
          QString::fromUtf8("  5       H806GPBD   故障"), QString::fromUtf8("  7       H806GPBD   自动发现"),
          QString::fromUtf8("  9       H801SCUN   备用正常"),
          QString::fromUtf8("  10      H801SCUN   主用正常")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chinese ? "Chinese" : "English");
        Device d = chassis();
        d.boards[3].state = BoardState::PowerOff;
        std::swap(d.boards[9].state, d.boards[10].state);
        Cli cli(std::move(d));
        cli.login(c.chinese);
        QStringList rows;
        for (QString line : cli.reply("display board 0").split("\r\n")) {
            while (line.endsWith(' '))
                line.chop(1);
            if (line.contains(" H")) rows << line;
        }
        rows.removeAll(QStringLiteral("  19      H801GICF   Normal"));
        rows.removeAll(QString::fromUtf8("  19      H801GICF   正常"));
        EXPECT_EQ(rows, c.rows);
    }
}

} // namespace
