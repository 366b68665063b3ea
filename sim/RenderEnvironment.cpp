// Active alarms and the fan tray (the EMU), as "display alarm active" and the EMU mode print them.
#include "Render.h"

namespace tw::sim {

namespace {

// The alarm masks in the order the EMU lists them.
const char *const kFanAlarms[][3] = {
    {"read-tem-fault", "Temperature sensor read failure", "读温度传感器失败"},
    {"tem-high", "Temperature too high", "温度过高"},
    {"block", "Fan blocked", "风扇堵转"}};

QString permitText(bool permit, Lang l) {
    return permit ? tr(l, "permit", "允许") : tr(l, "forbid", "禁止");
}

} // namespace

QString renderAlarms(const Device &d, Lang l, bool detail) {
    QString out = rule(76);
    if (detail) {
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
    return out;
}

QString renderFanEnvironment(const Fans &f, Lang l) {
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
    return out;
}

QString renderFanAlarms(const Fans &f, Lang l) {
    QString out = rule(56) + "  ";
    appendPadded(out, tr(l, "Alarm", "告警"), 16);
    appendPadded(out, tr(l, "Description", "描述"), 34);
    out += tr(l, "Report", "上报") + "\r\n" + rule(56);
    for (const auto &alarm : kFanAlarms) {
        out += "  ";
        appendPadded(out, alarm[0], 16);
        appendPadded(out, tr(l, alarm[1], alarm[2]), 34);
        out += permitText(f.alarms.at(alarm[0]), l) + "\r\n";
    }
    return out + rule(56);
}

QString renderFanSpeed(const Fans &f, Lang l) {
    QString out;
    appendField(out, tr(l, "Fan speed mode", "风扇调速方式"), f.speedMode, 16);
    appendField(out, tr(l, "Fan speed level", "风扇转速级别"), QString::number(f.speedLevel), 16);
    return out;
}

QString renderFanParameters(const Fans &f, Lang l) {
    QString out = rule(50);
    auto field = [&](const QString &label, const QString &value) { appendField(out, label, value, 28); };
    field(tr(l, "Speed mode", "调速方式"), f.speedMode);
    field(tr(l, "Speed level", "转速级别"), QString::number(f.speedLevel));
    field(tr(l, "Speed level range", "转速级别范围"), "0-5");
    field(tr(l, "Low temperature threshold(C)", "低温门限(C)"), "0");
    field(tr(l, "High temperature threshold(C)", "高温门限(C)"), "65");
    for (const auto &alarm : kFanAlarms)
        field(QString::fromLatin1(alarm[0]) + tr(l, " alarm", " 告警"), permitText(f.alarms.at(alarm[0]), l));
    return out + rule(50);
}

QString renderEmuVersion(Lang l) {
    QString out = rule(50);
    appendField(out, tr(l, "EMU ID", "EMU编号"), "0", 18);
    appendField(out, tr(l, "EMU type", "EMU类型"), "FAN", 18);
    appendField(out, tr(l, "Board name", "单板名称"), "H801FCBI", 18);
    appendField(out, tr(l, "Software version", "软件版本"), "V200R001C00", 18);
    appendField(out, tr(l, "Hardware version", "硬件版本"), "H801FCBI VER.B", 18);
    return out + rule(50);
}

} // namespace tw::sim
