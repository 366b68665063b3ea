// Commands of the uplink interface mode ("interface giu 0/19"): port states, optics, traffic, storm
// control and the native VLANs of the board's ports.
#include "Commands.h"

namespace tw::sim {

namespace {

// The dispatcher leaves the mode when the board went; an answer to a question may come after.
const Board &uplinkBoard(Call &c) {
    const BoardSlot &m = c.in<mode::UplinkInterface>().board;
    return *c.dev().board(m.frame, m.slot);
}

// "all" or a port of the board: the ports addressed, or nothing when the error was reported.
std::optional<std::vector<int>> uplinkPorts(Call &c, int i, bool allowAll) {
    const BoardSlot &m = c.in<mode::UplinkInterface>().board;
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

PortRef uplinkPort(Call &c, int port) {
    const BoardSlot &m = c.in<mode::UplinkInterface>().board;
    return {m.frame, m.slot, port};
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
    if (!uplinkBoard(c).working()) return c.say(text::OpticalModuleAbsent);
    c.print(renderUplinkDdm(c.lang(), p));
}

void opticState(Call &c) {
    if (!c.need(1, 1)) return;
    auto ports = uplinkPorts(c, 0, true);
    if (!ports) return;
    c.print(renderUplinkOptics(c.lang(), uplinkBoard(c), *ports));
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
    c.print(renderUplinkTraffic(c.lang(), uplinkPort(c, p), in, out));
}

void trafficSuppress(Call &c) {
    if (!c.need(1, 1)) return;
    if (!uplinkPorts(c, 0, true)) return;
    afterOptions(c, "{ <cr>||<K> }:", [](Call &c) {
        auto ports = uplinkPorts(c, 0, true);
        if (!ports) return;
        c.print(renderTrafficSuppress(c.lang(), *ports));
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
