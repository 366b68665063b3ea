// The displays of an uplink board's interface mode: optical modules, traffic and storm control.
#include "Render.h"

namespace tw::sim {

QString renderUplinkDdm(Lang l, int p) {
    struct Row {
        const char *en;
        const char *zh;
        QString value;
        const char *alarm;
        const char *warning;
    };
    const Row rows[] = {
        {"Tx optical power(dBm)", "发送光功率(dBm)", QString::number(-4.87 + p * 0.12, 'f', 2),
         "[-11.00,-2.00]", "[-10.00,-3.00]"},
        {"Rx optical power(dBm)", "接收光功率(dBm)", QString::number(-5.21 - p * 0.37, 'f', 2),
         "[-20.00,-1.00]", "[-18.00,-2.00]"},
        {"Bias current(mA)", "偏置电流(mA)", QString::number(17 + p), "[2,70]", "[4,65]"},
        {"Voltage(V)", "电压(V)", "3.28", "[2.97,3.63]", "[3.13,3.47]"},
        {"Temperature(C)", "温度(C)", QString::number(38 + p), "[-5,75]", "[0,70]"},
    };
    QString out =
        tr(l, "  Port ", "  端口 ") + QString::number(p) + tr(l, " DDM parameters:\r\n", " DDM参数:\r\n");
    out += rule(76);
    out += "  ";
    appendPadded(out, tr(l, "Parameter Type", "参数类型"), 26);
    appendPadded(out, tr(l, "Current Value", "当前值"), 15);
    appendPadded(out, tr(l, "Alarm Threshold", "告警门限"), 19);
    out += tr(l, "Warning Threshold", "预警门限") + "\r\n";
    out += QString(43, ' ') + "[min,max]          [min,max]\r\n";
    out += rule(76);
    for (const Row &r : rows) {
        out += "  ";
        appendPadded(out, tr(l, r.en, r.zh), 26);
        appendPadded(out, r.value, 15);
        appendPadded(out, r.alarm, 19);
        out += QString::fromLatin1(r.warning) + "\r\n";
    }
    return out + rule(76);
}

QString renderUplinkOptics(Lang l, const Board &b, const std::vector<int> &ports) {
    const bool tenGig = b.name.contains("X2");
    QString out = rule(74) + "  ";
    appendPadded(out, tr(l, "Port", "端口"), 6);
    appendPadded(out, tr(l, "Optic status", "光模块状态"), 14);
    appendPadded(out, tr(l, "Module type", "模块类型"), 14);
    appendPadded(out, tr(l, "Wavelength(nm)", "波长(nm)"), 16);
    out += tr(l, "Distance(m)", "传输距离(m)") + "\r\n" + rule(74);
    for (int p : ports) {
        out += "  ";
        appendRightAligned(out, QString::number(p), 4);
        out += "  ";
        appendPadded(out, b.working() ? tr(l, "normal", "正常") : tr(l, "absence", "不在位"), 14);
        appendPadded(out, b.working() ? (tenGig ? "10GBase-LR" : "1000Base-LX") : "-", 14);
        appendPadded(out, b.working() ? "1310" : "-", 16);
        out += (b.working() ? "10000" : "-") + QStringLiteral("\r\n");
    }
    return out + rule(74);
}

QString renderUplinkTraffic(Lang l, PortRef at, double inMbps, double outMbps) {
    QString text = rule(60);
    appendField(text, tr(l, "Port", "端口"), at.text(), 30);
    appendField(text, tr(l, "Input rate(Mbps)", "入方向速率(Mbps)"), QString::number(inMbps, 'f', 2), 30);
    appendField(text, tr(l, "Output rate(Mbps)", "出方向速率(Mbps)"), QString::number(outMbps, 'f', 2), 30);
    appendField(text, tr(l, "Input packets rate(pps)", "入方向报文速率(pps)"),
                QString::number(qint64(inMbps * 85)), 30);
    appendField(text, tr(l, "Output packets rate(pps)", "出方向报文速率(pps)"),
                QString::number(qint64(outMbps * 85)), 30);
    return text + rule(60);
}

QString renderTrafficSuppress(Lang l, const std::vector<int> &ports) {
    QString out = rule(63) + "  ";
    appendPadded(out, tr(l, "Port", "端口"), 6);
    appendPadded(out, tr(l, "Broadcast", "广播"), 18);
    appendPadded(out, tr(l, "Multicast", "组播"), 18);
    out += tr(l, "Unknown-unicast", "未知单播") + "\r\n";
    out += "        " +
           tr(l, "(index)           (index)           (index)", "(档位)            (档位)            (档位)");
    out += "\r\n" + rule(63);
    for (int p : ports) {
        out += "  ";
        appendRightAligned(out, QString::number(p), 4);
        out += "  7                 7                 7\r\n";
    }
    return out + rule(63);
}

} // namespace tw::sim
