#include "monitor/AlarmsAndFans.h"
#include "Flow.h"
#include "common/InputCheck.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(Alarms, ViewAtOnceClearOnlyAfterTheQuestion) {
    PageFlow f;
    EXPECT_TRUE(viewAlarms(f.context));
    f.op.answer(false);
    EXPECT_FALSE(clearAlarms(f.context));
    f.op.answer(true);
    EXPECT_TRUE(clearAlarms(f.context));
    EXPECT_EQ(f.writes(), (QStringList{"display alarm active all detail\r\n", "alarm active clear all\r\n"}));
    ASSERT_EQ(f.op.boxes.size(), 2);
    EXPECT_EQ(f.op.boxes[0].text, ClearAlarmsQuestion);
    EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Question);
}

TEST(Fans, EveryControlSendsItsEmuScript) {
    const QString emu = QStringLiteral("interface emu 0\r\n");
    const QString quit = QStringLiteral("quit\r\n");
    PageFlow f;
    EXPECT_TRUE(setFanSpeedMode(f.context, 0));
    EXPECT_TRUE(setFanSpeedMode(f.context, 1));
    EXPECT_FALSE(setFanSpeedMode(f.context, -1));
    EXPECT_TRUE(setFanSpeedLevel(f.context, 3));
    EXPECT_TRUE(setFanAlarm(f.context, FanAlarms[2], false));
    EXPECT_TRUE(setFanAlarm(f.context, FanAlarms[2], true));
    EXPECT_TRUE(setFanAlarm(f.context, FanAlarms[0], true));
    EXPECT_TRUE(setFanAlarm(f.context, FanAlarms[1], false));
    EXPECT_FALSE(setFanAlarm(f.context, FanAlarms[3], true)) << "no mask command for a power fault";
    for (const FanDisplay &d : FanButtons)
        EXPECT_TRUE(runFanButton(f.context, d));
    EXPECT_EQ(f.writes(), (QStringList{
                              emu + "fan speed mode auto emu\r\n" + quit,
                              emu + "fan speed mode auto mainboard\r\n" + quit,
                              emu + "fan speed adjust 3\r\n" + quit,
                              emu + "fan alarmset block forbid\r\n" + quit,
                              emu + "fan alarmset block permit\r\n" + quit,
                              emu + "fan alarmset read-tem-fault permit\r\n" + quit,
                              emu + "fan alarmset tem-high forbid\r\n" + quit,
                              emu + "reset\r\ny\r\n" + quit,
                              emu + "display fan environment info\r\n" + quit,
                              emu + "display version\r\n" + quit,
                              emu + "display fan alarm\r\n" + quit,
                              emu + "display  fan  speed mode\r\n" + quit,
                              emu + "display fan system parameter\r\n" + quit,
                          }));
    EXPECT_TRUE(f.op.boxes.isEmpty());

    PageFlow lost;
    lost.sink.connected = false;
    EXPECT_FALSE(setFanAlarm(lost.context, FanAlarms[0], true));
    EXPECT_EQ(lost.lastBox(), NotConnectedNotice);
}
