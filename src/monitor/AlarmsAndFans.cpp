#include "monitor/AlarmsAndFans.h"

#include "common/InputCheck.h"
#include "common/Operator.h"

namespace tw {

namespace {

bool inEmu(PageContext &c, const QString &lines) {
    return sendOrTell(c.sink, c.op,
                      QStringLiteral("interface emu 0\r\n") + lines + QStringLiteral("quit\r\n"));
}

} // namespace

bool viewAlarms(PageContext &c) {
    return sendOrTell(c.sink, c.op, QStringLiteral("display alarm active all detail\r\n"));
}

bool clearAlarms(PageContext &c) {
    if (!c.op.askDestructive(ClearAlarmsQuestion)) return false;
    return sendOrTell(c.sink, c.op, QStringLiteral("alarm active clear all\r\n"));
}

bool setFanSpeedMode(PageContext &c, int index) {
    if (index < 0 || index > 1) return false;
    return inEmu(c, index == 0 ? QStringLiteral("fan speed mode auto emu\r\n")
                               : QStringLiteral("fan speed mode auto mainboard\r\n"));
}

bool setFanSpeedLevel(PageContext &c, int index) {
    if (index < 0 || index > 5) return false;
    return inEmu(c, QStringLiteral("fan speed adjust %1\r\n").arg(index));
}

bool setFanAlarm(PageContext &c, const FanAlarm &alarm, bool permit) {
    if (!alarm.keyword) return false;
    return inEmu(c, QStringLiteral("fan alarmset ") + QString::fromUtf16(alarm.keyword) +
                        (permit ? QStringLiteral(" permit\r\n") : QStringLiteral(" forbid\r\n")));
}

bool runFanButton(PageContext &c, const FanDisplay &button) {
    return inEmu(c, QString::fromUtf16(button.lines));
}

} // namespace tw
