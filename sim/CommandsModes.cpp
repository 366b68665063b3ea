// Commands of the smaller modes entered from configuration mode: IP and other interfaces and
// multicast VLANs.
#include "Commands.h"

#include <algorithm>

namespace tw::sim {

namespace {

// The IP interface of the mode: meth0 or the vlanif.
QString interfaceName(Call &c) {
    return c.in<mode::IpInterface>().name;
}

// ip address <address> <mask> [description <text>]; the mask as 255.255.255.0 or as a length.
void ipAddress(Call &c) {
    if (c.argc() < 2) return c.incomplete();
    auto address = parseIpv4(c.arg(0));
    if (!address) return c.paramError(0);
    auto length = parseMaskLength(c.arg(1));
    if (!length) return c.paramError(1);
    if (!hostAddressFits(*address, *length)) return c.paramError(0);
    QString description;
    if (c.argc() > 2) {
        if (!c.is(2, "description")) return c.paramError(2);
        if (!c.need(4, 4)) return;
        if (c.arg(3).size() > 64) return c.paramError(3);
        description = c.arg(3);
    }
    if (Failure f = setIpAddress(c.dev(), interfaceName(c), *address, *length, description);
        f != Failure::None)
        c.fail(f);
}

// Only with the global switch on does a VLAN interface answer ARP for its hosts.
void interfaceArpProxy(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "enable") && !c.is(0, "disable")) return c.paramError(0);
    const bool on = c.is(0, "enable");
    if (on && !c.dev().switchOn("arp proxy")) return c.fail(Failure::ArpProxyOff);
    openIpInterface(c.dev(), interfaceName(c)).arpProxy = on;
}

// The multicast VLAN of the mode; another session may have deleted it.
MulticastVlan *multicastVlanOf(Call &c) {
    MulticastVlan *m = c.dev().multicastVlan(c.in<mode::MulticastVlan>().id);
    if (!m) c.fail(Failure::NoMulticastVlan);
    return m;
}

// igmp version v2|v3 and igmp mode off|proxy|snooping: both ask first.
void igmpSetting(Call &c, const QStringList &values, bool version) {
    if (!c.need(1, 1)) return;
    if (!values.contains(c.arg(0).toLower())) return c.paramError(0);
    if (!multicastVlanOf(c)) return;
    auto apply = [version](Call &c) {
        if (MulticastVlan *m = multicastVlanOf(c))
            (version ? m->igmpVersion : m->igmpMode) = c.arg(0).toLower();
    };
    afterConfirm(c, version ? text::ConfirmIgmpVersion : text::ConfirmIgmpMode, apply);
}

// igmp uplink-port <f/s/p>: a port of an uplink board.
void igmpUplinkPort(Call &c) {
    if (!c.need(1, 1)) return;
    auto at = c.port(0);
    if (!at) return c.paramError(0);
    const Board *b = c.dev().board(at->frame, at->slot);
    if (!b) return c.fail(Failure::NoBoard);
    if (b->kind != BoardKind::Uplink) return c.fail(Failure::WrongBoardType);
    if (at->port >= b->ports) return c.paramError(0);
    MulticastVlan *m = multicastVlanOf(c);
    if (!m || m->uplinkPorts.contains(at->text())) return;
    m->uplinkPorts << at->text();
    std::sort(m->uplinkPorts.begin(), m->uplinkPorts.end(),
              [](const QString &x, const QString &y) { return PortRef::parse(x) < PortRef::parse(y); });
}

} // namespace

// native-vlan <port>|all vlan <V>, in the mode of an uplink board.
void nativeVlanCommand(Call &c) {
    if (!c.need(3, 3)) return;
    const std::optional<BoardSlot> m = boardOf(c.s.mode());
    const Board *b = m ? c.dev().board(m->frame, m->slot) : nullptr;
    if (!b) return c.fail(Failure::NoBoard);
    std::vector<int> ports;
    if (c.is(0, "all")) {
        for (int p = 0; p < b->ports; ++p)
            ports.push_back(p);
    } else if (auto p = c.number(0, 0, 47); p && *p < b->ports) {
        ports.push_back(*p);
    }
    if (ports.empty()) return c.paramError(0);
    if (!c.is(1, "vlan")) return c.paramError(1);
    auto vlan = c.number(2, 1, 4095);
    if (!vlan) return c.paramError(2);
    for (int p : ports)
        if (Failure f = setNativeVlan(c.dev(), PortRef{m->frame, m->slot, p}.text(), *vlan);
            f != Failure::None)
            return c.fail(f);
}

const CommandTable &otherInterfaceCommands() {
    static const CommandTable table = {
        {{"native-vlan"}, nativeVlanCommand},
    };
    return table;
}

const CommandTable &ipInterfaceCommands() {
    static const CommandTable table = {
        {{"ip", "address"}, ipAddress},
        {{"undo", "ip", "address"},
         [](Call &c) {
             if (!c.need(0, 2)) return;
             if (IpInterface *i = c.dev().ipInterface(interfaceName(c))) {
                 i->address.clear();
                 i->mask.clear();
                 i->description.clear();
             }
         }},
        {{"arp", "proxy"}, interfaceArpProxy},
    };
    return table;
}

const CommandTable &multicastVlanCommands() {
    static const CommandTable table = {
        {{"igmp", "version"},
         [](Call &c) {
             igmpSetting(c, {"v2", "v3"}, true);
         }},
        {{"igmp", "mode"},
         [](Call &c) {
             igmpSetting(c, {"off", "proxy", "snooping"}, false);
         }},
        {{"igmp", "match", "mode"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (!c.is(0, "enable") && !c.is(0, "disable")) return c.paramError(0);
             if (MulticastVlan *m = multicastVlanOf(c)) m->matchMode = c.is(0, "enable");
         }},
        {{"igmp", "uplink-port"}, igmpUplinkPort},
        {{"igmp"},
         [](Call &c) {
             if (c.argc() == 0) return c.incomplete();
             QStringList words;
             for (const Token &t : c.tokens)
                 words << (t.text.contains(' ') ? '"' + t.text + '"' : t.text);
             if (MulticastVlan *m = multicastVlanOf(c)) m->lines << words.join(' ');
         }},
        {{"multicast-vlan"}, enterMulticastVlan},
    };
    return table;
}

} // namespace tw::sim
