// Active alarms and the fan tray: "display alarm active", "alarm active clear" and the commands of
// the EMU interface mode ("interface emu 0").
#include "Commands.h"

namespace tw::sim {

// display alarm active all [detail]
void alarmDisplay(Call &c) {
    if (!c.need(1, 2)) return;
    if (!c.is(0, "all")) return c.paramError(0);
    if (c.argc() == 2 && !c.is(1, "detail")) return c.paramError(1);
    if (c.dev().alarms.empty()) return c.fail(Failure::NoAlarm);
    c.print(renderAlarms(c.dev(), c.lang(), c.argc() == 2));
}

// alarm active clear all: the console asks before it sends this, the device asks nothing.
void alarmClear(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "all")) return c.paramError(0);
    if (clearAlarms(c.dev()) == 0) c.fail(Failure::NoAlarm);
}

namespace {

// A display that may end with its last keyword ("info", "mode", "parameter"); nothing else.
bool displayTail(Call &c, const char *keyword) {
    if (!c.need(0, 1)) return false;
    if (c.argc() == 1 && !c.is(0, keyword)) {
        c.paramError(0);
        return false;
    }
    return true;
}

void environment(Call &c) {
    if (displayTail(c, "info")) c.print(renderFanEnvironment(c.dev().fans, c.lang()));
}

void fanAlarms(Call &c) {
    if (c.need(0, 0)) c.print(renderFanAlarms(c.dev().fans, c.lang()));
}

void speedMode(Call &c) {
    if (displayTail(c, "mode")) c.print(renderFanSpeed(c.dev().fans, c.lang()));
}

void systemParameters(Call &c) {
    if (displayTail(c, "parameter")) c.print(renderFanParameters(c.dev().fans, c.lang()));
}

} // namespace

const CommandTable &emuInterfaceCommands() {
    static const CommandTable table = {
        {{"fan", "speed", "mode"},
         [](Call &c) {
             if (!c.need(2, 2)) return;
             if (!c.is(0, "auto")) return c.paramError(0);
             if (!c.is(1, "emu") && !c.is(1, "mainboard")) return c.paramError(1);
             c.dev().fans.speedMode = "auto " + c.arg(1).toLower();
         }},
        {{"fan", "speed", "adjust"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             auto level = c.number(0, 0, 5);
             if (!level) return c.paramError(0);
             c.dev().fans.speedLevel = *level;
         }},
        {{"fan", "alarmset"},
         [](Call &c) {
             if (!c.need(2, 2)) return;
             auto &alarms = c.dev().fans.alarms;
             if (!alarms.count(c.arg(0).toLower())) return c.paramError(0);
             if (!c.is(1, "permit") && !c.is(1, "forbid")) return c.paramError(1);
             alarms[c.arg(0).toLower()] = c.is(1, "permit");
         }},
        {{"reset"},
         [](Call &c) {
             if (!c.need(0, 0)) return;
             afterConfirm(c, text::ConfirmEmuReset, [](Call &c) { c.say(text::EmuReset); });
         }},
        {{"display", "fan", "environment"}, environment},
        {{"display", "fan", "alarm"}, fanAlarms},
        {{"display", "fan", "speed"}, speedMode},
        {{"display", "fan", "system"}, systemParameters},
        {{"display", "version"},
         [](Call &c) {
             if (c.need(0, 0)) c.print(renderEmuVersion(c.lang()));
         }},
    };
    return table;
}

} // namespace tw::sim
