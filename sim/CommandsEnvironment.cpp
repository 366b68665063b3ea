// Active alarms and the fan tray: "display alarm active", "alarm active clear" and the commands of
// the EMU interface mode ("interface emu 0").
#include "Commands.h"

namespace tw::sim {

// display alarm active all [detail]
void alarmDisplay(Call &c) {
    if (!c.need(1, 2)) return;
    if (!c.is(0, "all")) return c.paramError(0);
    if (c.argc() == 2 && !c.is(1, "detail")) return c.paramError(1);
    const Device &d = c.dev();
    if (d.alarms.empty()) return c.fail(Failure::NoAlarm);
    const Lang l = c.lang();
    QString out = rule(76);
    if (c.argc() == 2) {
        for (const Alarm &a : d.alarms) {
            appendField(out, tr(l, "Alarm serial number", "告警流水号"), QString::number(a.serial), 20);
            appendField(out, tr(l, "Alarm name", "告警名称"), alarmNameText(a.name, l), 20);
            appendField(out, tr(l, "Alarm level", "告警级别"), alarmLevelText(a.level, l), 20);
            appendField(out, tr(l, "Alarm occurred time", "告警产生时间"), a.time, 20);
            appendField(out, tr(l, "Alarm parameters", "告警参数"), a.parameters, 20);
            out += rule(76);
        }
    } else {
        out += tr(l, "  AlarmSN  Level     Date&Time                  Alarm name\r\n",
                  "  流水号   级别      日期时间                   告警名称\r\n");
        out += rule(76);
        for (const Alarm &a : d.alarms) {
            out += "  ";
            appendPadded(out, QString::number(a.serial), 9);
            appendPadded(out, alarmLevelText(a.level, l), 10);
            appendPadded(out, a.time, 27);
            out += alarmNameText(a.name, l) + "\r\n";
        }
        out += rule(76);
    }
    out += tr(l, "  Total: ", "  总数: ") + QString::number(d.alarms.size()) + "\r\n";
    c.print(out);
}

// alarm active clear all: the console asks before it sends this, the device asks nothing.
void alarmClear(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "all")) return c.paramError(0);
    if (clearAlarms(c.dev()) == 0) c.fail(Failure::NoAlarm);
}

namespace {

// The alarm masks in the order the EMU lists them.
const char *const kFanAlarms[][3] = {
    {"read-tem-fault", "Temperature sensor read failure", "读温度传感器失败"},
    {"tem-high", "Temperature too high", "温度过高"},
    {"block", "Fan blocked", "风扇堵转"}};

QString permitText(bool permit, Lang l) {
    return permit ? tr(l, "permit", "允许") : tr(l, "forbid", "禁止");
}

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
    if (!displayTail(c, "info")) return;
    const Fans &f = c.dev().fans;
    const Lang l = c.lang();
    QString out = tr(l, "  EMU ID: 0\r\n", "  EMU编号: 0\r\n") + rule(50);
    out += tr(l, "  FanID  Status    Speed(rpm)\r\n", "  风扇号 状态      转速(rpm)\r\n") + rule(50);
    for (int fan = 0; fan < 4; ++fan) {
        out += "  ";
        appendPadded(out, QString::number(fan), 7);
        appendPadded(out, tr(l, "Normal", "正常"), 10);
        out += QString::number(1200 + 600 * f.speedLevel + 20 * fan) + "\r\n";
    }
    out += rule(50);
    appendField(out, tr(l, "Speed mode", "调速方式"), f.speedMode, 16);
    appendField(out, tr(l, "Speed level", "转速级别"), QString::number(f.speedLevel), 16);
    appendField(out, tr(l, "Temperature(C)", "温度(C)"), QString::number(34 - f.speedLevel), 16);
    c.print(out);
}

void fanAlarms(Call &c) {
    if (!c.need(0, 0)) return;
    const Lang l = c.lang();
    QString out = rule(56) + "  ";
    appendPadded(out, tr(l, "Alarm", "告警"), 16);
    appendPadded(out, tr(l, "Description", "描述"), 34);
    out += tr(l, "Report", "上报") + "\r\n" + rule(56);
    for (const auto &alarm : kFanAlarms) {
        out += "  ";
        appendPadded(out, alarm[0], 16);
        appendPadded(out, tr(l, alarm[1], alarm[2]), 34);
        out += permitText(c.dev().fans.alarms.at(alarm[0]), l) + "\r\n";
    }
    c.print(out + rule(56));
}

void speedMode(Call &c) {
    if (!displayTail(c, "mode")) return;
    const Fans &f = c.dev().fans;
    QString out;
    appendField(out, tr(c.lang(), "Fan speed mode", "风扇调速方式"), f.speedMode, 16);
    appendField(out, tr(c.lang(), "Fan speed level", "风扇转速级别"), QString::number(f.speedLevel), 16);
    c.print(out);
}

void systemParameters(Call &c) {
    if (!displayTail(c, "parameter")) return;
    const Fans &f = c.dev().fans;
    const Lang l = c.lang();
    QString out = rule(50);
    auto field = [&](const QString &label, const QString &value) { appendField(out, label, value, 28); };
    field(tr(l, "Speed mode", "调速方式"), f.speedMode);
    field(tr(l, "Speed level", "转速级别"), QString::number(f.speedLevel));
    field(tr(l, "Speed level range", "转速级别范围"), "0-5");
    field(tr(l, "Low temperature threshold(C)", "低温门限(C)"), "0");
    field(tr(l, "High temperature threshold(C)", "高温门限(C)"), "65");
    for (const auto &alarm : kFanAlarms)
        field(QString::fromLatin1(alarm[0]) + tr(l, " alarm", " 告警"), permitText(f.alarms.at(alarm[0]), l));
    c.print(out + rule(50));
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
             afterConfirm(c, "  Are you sure to reset the EMU? ", "  确定要复位EMU吗？", [](Call &c) {
                 c.say("  The EMU is reset, its settings are kept", "  EMU复位成功，配置保持不变");
             });
         }},
        {{"display", "fan", "environment"}, environment},
        {{"display", "fan", "alarm"}, fanAlarms},
        {{"display", "fan", "speed"}, speedMode},
        {{"display", "fan", "system"}, systemParameters},
        {{"display", "version"},
         [](Call &c) {
             if (!c.need(0, 0)) return;
             QString out = rule(50);
             appendField(out, tr(c.lang(), "EMU ID", "EMU编号"), "0", 18);
             appendField(out, tr(c.lang(), "EMU type", "EMU类型"), "FAN", 18);
             appendField(out, tr(c.lang(), "Board name", "单板名称"), "H801FCBI", 18);
             appendField(out, tr(c.lang(), "Software version", "软件版本"), "V200R001C00", 18);
             appendField(out, tr(c.lang(), "Hardware version", "硬件版本"), "H801FCBI VER.B", 18);
             c.print(out + rule(50));
         }},
    };
    return table;
}

} // namespace tw::sim
