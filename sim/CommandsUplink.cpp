// Commands of the uplink interface mode ("interface giu 0/19"): port states, optics, traffic, storm
// control and the native VLANs of the board's ports.
#include "Commands.h"

namespace tw::sim {

namespace {

// The dispatcher leaves the mode when the board went; an answer to a question may come after.
const Board &uplinkBoard(Call &c) {
    const Mode &m = c.s.mode();
    return *c.dev().board(m.frame, m.slot);
}

// "all" or a port of the board: the ports addressed, or nothing when the error was reported.
std::optional<std::vector<int>> uplinkPorts(Call &c, int i, bool allowAll) {
    const Mode &m = c.s.mode();
    if (!c.dev().board(m.frame, m.slot)) {
        c.fail(Failure::NoBoard);
        return std::nullopt;
    }
    const int ports = uplinkBoard(c).ports;
    std::vector<int> out;
    if (allowAll && c.is(i, "all")) {
        for (int p = 0; p < ports; ++p)
            out.push_back(p);
        return out;
    }
    auto p = c.number(i, 0, 47);
    if (!p || *p >= ports) {
        c.paramError(i);
        return std::nullopt;
    }
    out.push_back(*p);
    return out;
}

QString portText(Call &c, int port) {
    const Mode &m = c.s.mode();
    return PortRef{m.frame, m.slot, port}.text();
}

void portState(Call &c) {
    if (!c.need(1, 1)) return;
    auto ports = uplinkPorts(c, 0, true);
    if (!ports) return;
    const std::optional<int> only = c.is(0, "all") ? std::nullopt : std::optional(ports->front());
    c.print(renderUplinkPorts(c.dev(), c.lang(), uplinkBoard(c), only));
}

// Digital diagnostics of the port's optical module, with the thresholds the module reports.
void ddmInfo(Call &c) {
    if (!c.need(1, 1)) return;
    auto ports = uplinkPorts(c, 0, false);
    if (!ports) return;
    const int p = ports->front();
    if (!uplinkBoard(c).working())
        return c.say("  Failure: The optical module is not in position", "  失败：光模块不在位");
    const Lang l = c.lang();
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
    c.print(out + rule(76));
}

void opticState(Call &c) {
    if (!c.need(1, 1)) return;
    auto ports = uplinkPorts(c, 0, true);
    if (!ports) return;
    const Board &b = uplinkBoard(c);
    const Lang l = c.lang();
    const bool tenGig = b.name.contains("X2");
    QString out = rule(74) + "  ";
    appendPadded(out, tr(l, "Port", "端口"), 6);
    appendPadded(out, tr(l, "Optic status", "光模块状态"), 14);
    appendPadded(out, tr(l, "Module type", "模块类型"), 14);
    appendPadded(out, tr(l, "Wavelength(nm)", "波长(nm)"), 16);
    out += tr(l, "Distance(m)", "传输距离(m)") + "\r\n" + rule(74);
    for (int p : *ports) {
        out += "  ";
        appendRightAligned(out, QString::number(p), 4);
        out += "  ";
        appendPadded(out, b.working() ? tr(l, "normal", "正常") : tr(l, "absence", "不在位"), 14);
        appendPadded(out, b.working() ? (tenGig ? "10GBase-LR" : "1000Base-LX") : "-", 14);
        appendPadded(out, b.working() ? "1310" : "-", 16);
        out += (b.working() ? "10000" : "-") + QStringLiteral("\r\n");
    }
    c.print(out + rule(74));
}

// The first port carries the ONTs' traffic; the others little more than management.
void traffic(Call &c) {
    if (!c.need(1, 1)) return;
    auto ports = uplinkPorts(c, 0, false);
    if (!ports) return;
    const int p = ports->front();
    int online = 0;
    for (const Ont &o : c.dev().onts)
        online += o.online();
    const bool up = uplinkBoard(c).working();
    const double in = !up ? 0 : p == 0 ? 0.9 * online + 1.2 : 0.3;
    const double out = !up ? 0 : p == 0 ? 4.8 * online + 2.5 : 0.4;
    const Lang l = c.lang();
    QString text = rule(60);
    appendField(text, tr(l, "Port", "端口"), portText(c, p), 30);
    appendField(text, tr(l, "Input rate(Mbps)", "入方向速率(Mbps)"), QString::number(in, 'f', 2), 30);
    appendField(text, tr(l, "Output rate(Mbps)", "出方向速率(Mbps)"), QString::number(out, 'f', 2), 30);
    appendField(text, tr(l, "Input packets rate(pps)", "入方向报文速率(pps)"),
                QString::number(qint64(in * 85)), 30);
    appendField(text, tr(l, "Output packets rate(pps)", "出方向报文速率(pps)"),
                QString::number(qint64(out * 85)), 30);
    c.print(text + rule(60));
}

void trafficSuppress(Call &c) {
    if (!c.need(1, 1)) return;
    if (!uplinkPorts(c, 0, true)) return;
    afterOptions(c, "{ <cr>||<K> }:", [](Call &c) {
        auto ports = uplinkPorts(c, 0, true);
        if (!ports) return;
        const Lang l = c.lang();
        QString out = rule(63) + "  ";
        appendPadded(out, tr(l, "Port", "端口"), 6);
        appendPadded(out, tr(l, "Broadcast", "广播"), 18);
        appendPadded(out, tr(l, "Multicast", "组播"), 18);
        out += tr(l, "Unknown-unicast", "未知单播") + "\r\n";
        out += "        " + tr(l, "(index)           (index)           (index)",
                               "(档位)            (档位)            (档位)");
        out += "\r\n" + rule(63);
        for (int p : *ports) {
            out += "  ";
            appendRightAligned(out, QString::number(p), 4);
            out += "  7                 7                 7\r\n";
        }
        c.print(out + rule(63));
    });
}

} // namespace

const CommandTable &giuInterfaceCommands() {
    static const CommandTable table = {
        {{"display", "port", "state"}, portState},          {{"display", "port", "ddm-info"}, ddmInfo},
        {{"display", "port", "traffic"}, traffic},          {{"display", "port", "opticstate"}, opticState},
        {{"display", "traffic-suppress"}, trafficSuppress}, {{"native-vlan"}, nativeVlanCommand},
    };
    return table;
}

} // namespace tw::sim
