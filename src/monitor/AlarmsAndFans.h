#pragma once
// The alarm page's "查询" and "清除", and the fan tray controls of "风扇配置" (through the EMU).

#include "common/PageContext.h"

#include <QString>
#include <QStringList>

namespace tw {

bool viewAlarms(PageContext &c);
// Every active alarm goes: asks first.
bool clearAlarms(PageContext &c);

inline const QString ClearAlarmsQuestion = QStringLiteral("将清除OLT上所有的活动告警，确实要清除吗？");

// The captions of the fan tab, in order.
inline const QStringList FanSpeedModes = {QStringLiteral("板内自动温控"), QStringLiteral("主控指定调速")};
inline const QStringList FanLevels = {QStringLiteral("0级"), QStringLiteral("1级"), QStringLiteral("2级"),
                                      QStringLiteral("3级"), QStringLiteral("4级"), QStringLiteral("5级")};

struct FanAlarm {
    const char16_t *caption;
    const char16_t *keyword; // "fan alarmset <keyword> permit|forbid"; none for a mask the CLI lacks
};
inline constexpr FanAlarm FanAlarms[] = {{u"读温度传感器失败", u"read-tem-fault"},
                                         {u"温度过高", u"tem-high"},
                                         {u"风扇堵转", u"block"},
                                         {u"电源故障", nullptr}};

struct FanDisplay {
    const char16_t *caption;
    const char16_t *lines; // between "interface emu 0" and "quit"
};
inline constexpr FanDisplay FanButtons[] = {
    {u"复位风扇", u"reset\r\ny\r\n"},
    {u"查询风扇状态", u"display fan environment info\r\n"},
    {u"显示风扇版本号", u"display version\r\n"},
    {u"查询风扇告警信息", u"display fan alarm\r\n"},
    {u"设定风扇调速方式", u"display  fan  speed mode\r\n"},
    {u"查询风扇配置参数", u"display fan system parameter\r\n"},
};

// Speed mode by its index (0 auto by the EMU, 1 by the main board; -1 sends nothing).
bool setFanSpeedMode(PageContext &c, int index);
// Speed level by its index 0 to 5.
bool setFanSpeedLevel(PageContext &c, int index);
// An alarm mask switched on (permit) or off (forbid). False when not sent: the box goes back.
bool setFanAlarm(PageContext &c, const FanAlarm &alarm, bool permit);
bool runFanButton(PageContext &c, const FanDisplay &button);

} // namespace tw
