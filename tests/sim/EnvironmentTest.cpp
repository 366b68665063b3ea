// Active alarms and the fan tray: what the control channel raises, what the console's alarm page and
// fan controls send, and what the model, the dump and the displays show afterwards.
#include "SimDriver.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace tw::sim;
using namespace tw::sim::testing;

namespace {

QString raise(Cli &cli) {
    return runControlCommand(cli.device, cli.faults, "fault alarm");
}

TEST(SimAlarms, FaultAlarmRaisesActiveAlarmsUntilClearAll) {
    struct Case {
        bool chinese;
        const char *notice;  // in the output after the second alarm
        QStringList listing; // lines of "display alarm active all detail"
        const char *none;    // the listing once cleared
    };
    const Case cases[] = {
        {false,
         "  ! ALARM MINOR 2024-05-20 10:00:00+08:00\r\n"
         "  ALARM NAME :The board temperature exceeds the alarm threshold\r\n"
         "  PARAMETERS :FrameID: 0, SlotID: 3\r\n",
         {"  Alarm serial number : 1",
          "  Alarm name          : The received optical power of the ONT is abnormal",
          "  Alarm level         : Major", "  Alarm occurred time : 2024-05-20 10:00:00+08:00",
          "  Alarm parameters    : FrameID: 0, SlotID: 1, PortID: 0, ONT ID: 0", "  Alarm serial number : 2",
          "  Alarm level         : Minor", "  Total: 2"},
         "  Failure: There is no alarm in the system"},
        {true,
         "  ! 告警 次要 2024-05-20 10:00:00+08:00\r\n  告警名称 :单板温度超过告警门限\r\n"
         "  告警参数 :FrameID: 0, SlotID: 3\r\n",
         {"  告警流水号          : 1", "  告警名称            : ONT接收光功率异常",
          "  告警级别            : 重要", "  告警产生时间        : 2024-05-20 10:00:00+08:00",
          "  告警流水号          : 2", "  总数: 2"},
         "  失败：系统中没有告警"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chinese ? "Chinese" : "English");
        Cli cli;
        cli.login(c.chinese);
        EXPECT_EQ(cli.reply("display alarm active all detail"), QString::fromUtf8(c.none) + "\r\n");
        ASSERT_EQ(raise(cli), "ok");
        ASSERT_EQ(raise(cli), "ok");
        EXPECT_TRUE(cli.reply("display board 0").contains(QString::fromUtf8(c.notice)));

        const QJsonArray alarms = dump(cli.device)["alarms"].toArray();
        ASSERT_EQ(alarms.size(), 2);
        EXPECT_EQ(alarms[0]["serial"].toInt(), 1);
        EXPECT_EQ(alarms[1]["serial"].toInt(), 2);
        EXPECT_EQ(alarms[1]["level"].toString(), "MINOR");
        const QStringList listing = cli.reply("display alarm active all detail").split("\r\n");
        for (const QString &line : c.listing)
            EXPECT_TRUE(listing.contains(line)) << line.toStdString();

        EXPECT_EQ(cli.send("alarm active clear all\r\n"), "alarm active clear all\r\n\r\nMA5680T(config)#")
            << "no question: the console asked before it sent the line";
        EXPECT_TRUE(dump(cli.device)["alarms"].toArray().isEmpty());
        EXPECT_EQ(cli.reply("display alarm active all detail"), QString::fromUtf8(c.none) + "\r\n");
        EXPECT_EQ(cli.reply("alarm active clear all"), QString::fromUtf8(c.none) + "\r\n");

        ASSERT_EQ(raise(cli), "ok");
        EXPECT_EQ(dump(cli.device)["alarms"].toArray().first().toObject()["serial"].toInt(), 3)
            << "serial numbers go on";
    }
}

TEST(SimAlarms, ScenarioAlarmsListBriefAndSurviveTheDump) {
    Device d = demoScenario(1);
    Cli cli(std::move(d));
    cli.login(false);
    cli.run("scroll 0");
    const QStringList brief = cli.reply("display alarm active all").split("\r\n");
    EXPECT_TRUE(brief.contains("  1        Warning   2024-05-20 07:02:11+08:00  The board is not confirmed"));
    EXPECT_TRUE(brief.contains("  2        Major     2024-05-20 09:46:51+08:00  The ONT is offline (LOS)"));
    EXPECT_TRUE(brief.contains("  Total: 2"));
    for (const char *bad :
         {"display alarm active some", "display alarm active all brief", "alarm active clear 1"})
        EXPECT_TRUE(cli.run(bad).contains("^\r\n")) << bad;

    raise(cli);
    const QJsonObject before = dump(cli.device);
    const ScenarioResult again = scenarioFromJson(QJsonDocument(before).toJson());
    ASSERT_TRUE(again.device) << again.error.toStdString();
    Device copy = *again.device;
    EXPECT_EQ(dump(copy), before);
    EXPECT_EQ(before["alarmSerial"].toInt(), 3);
}

QJsonValue fanField(Device &d, const QString &path) {
    const QJsonObject fans = dump(d)["fans"].toObject();
    return path.contains('/') ? fans[path.section('/', 0, 0)][path.section('/', 1)] : fans[path];
}

// Each setting as the fan tab sends it, the model afterwards and a display that shows it.
TEST(SimFans, SettingsChangeTheModelAndTheDisplays) {
    struct Case {
        QByteArray lines; // inside "interface emu 0"
        const char *field;
        QJsonValue value;
        QByteArray display;
        const char *english;
        const char *chinese;
    };
    const Case cases[] = {
        {"fan speed mode auto mainboard\r\n", "speedMode", "auto mainboard", "display  fan  speed mode\r\n",
         "  Fan speed mode  : auto mainboard", "  风扇调速方式    : auto mainboard"},
        {"fan speed mode auto mainboard\r\nfan speed mode auto emu\r\n", "speedMode", "auto emu",
         "display fan system parameter\r\n", "  Speed mode                  : auto emu",
         "  调速方式                    : auto emu"},
        {"fan speed adjust 5\r\n", "speedLevel", 5, "display fan environment info\r\n",
         "  3      Normal    4260", "  3      正常      4260"},
        {"fan speed adjust 0\r\n", "speedLevel", 0, "display  fan  speed mode\r\n", "  Fan speed level : 0",
         "  风扇转速级别    : 0"},
        {"fan alarmset read-tem-fault forbid\r\n", "alarms/read-tem-fault", false, "display fan alarm\r\n",
         "  read-tem-fault  Temperature sensor read failure   forbid",
         "  read-tem-fault  读温度传感器失败                  禁止"},
        {"fan alarmset tem-high forbid\r\n", "alarms/tem-high", false, "display fan system parameter\r\n",
         "  tem-high alarm              : forbid", "  tem-high 告警               : 禁止"},
        {"fan alarmset block forbid\r\nfan alarmset block permit\r\n", "alarms/block", true,
         "display fan alarm\r\n", "  block           Fan blocked                       permit",
         "  block           风扇堵转                          允许"},
        {"fan speed adjust 4\r\nreset\r\ny\r\n", "speedLevel", 4, "display version\r\n",
         "  Board name        : H801FCBI", "  单板名称          : H801FCBI"},
    };
    for (bool chinese : {false, true})
        for (const Case &c : cases) {
            SCOPED_TRACE(c.lines.toStdString());
            Cli cli;
            cli.login(chinese);
            const QString out = cli.send("interface emu 0\r\n" + c.lines + c.display + "quit\r\n");
            EXPECT_FALSE(out.contains("^\r\n")) << out.toStdString();
            EXPECT_TRUE(out.endsWith("\r\nMA5680T(config)#")) << out.toStdString();
            EXPECT_EQ(fanField(cli.device, c.field), c.value);
            EXPECT_TRUE(out.contains(QString::fromUtf8(chinese ? c.chinese : c.english) + "\r\n"))
                << out.toStdString();
        }
}

TEST(SimFans, BadSettingsAreRefusedAndChangeNothing) {
    for (const char *line : {"fan speed adjust 6", "fan speed adjust -1", "fan speed mode manual",
                             "fan speed mode auto board", "fan alarmset power-fault permit",
                             "fan alarmset block maybe", "fan alarmset block", "display fan alarm now"}) {
        SCOPED_TRACE(line);
        Cli cli;
        cli.login(false);
        cli.run("interface emu 0");
        const QJsonObject before = dump(cli.device);
        EXPECT_TRUE(cli.run(line).contains("^\r\n"));
        EXPECT_EQ(dump(cli.device), before);
        EXPECT_EQ(cli.session->prompt(), "MA5680T(config-if-emu-0)#");
    }
}

} // namespace
