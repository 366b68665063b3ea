// The network displays: VLANs, the VLANs of a port, IP interfaces and routes, and the ARP table.
#include "Commands.h"

namespace tw::sim {

namespace {

void routingTable(Call &c) {
    if (!c.need(0, 0)) return;
    afterOptions(c, "{ <cr>|ip-address<U><X.X.X.X>|protocol<K>|statistics<K>|verbose<K>||<K> }:",
                 [](Call &c) { c.print(renderRoutingTable(c.lang(), routeTable(c.dev()))); });
}

void interfaceBrief(Call &c) {
    if (!c.need(0, 1)) return;
    if (c.argc() == 1 && !c.is(0, "brief")) return c.paramError(0);
    afterOptions(c, "{ <cr>||<K> }:", [](Call &c) { c.print(renderIpInterfaces(c.dev(), c.lang())); });
}

// The neighbours the routes lead to, as learnt on their interfaces.
void arpTable(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "all")) return c.paramError(0);
    afterOptions(c, "{ <cr>||<K> }:", [](Call &c) { c.print(renderArpTable(c.dev(), c.lang())); });
}

// The VLANs a port carries: an uplink port's own, or those of a PON port's service ports.
void portVlans(Call &c) {
    if (!c.need(1, 1)) return;
    const Device &d = c.dev();
    auto at = c.port(0);
    if (!at) return c.paramError(0);
    const Board *b = d.board(at->frame, at->slot);
    if (!b) return c.fail(Failure::NoBoard);
    if (at->port >= b->ports) return c.paramError(0);
    std::vector<const Vlan *> list;
    for (const Vlan &v : d.vlans) {
        bool carries = v.ports.contains(at->text());
        for (const ServicePort &sp : d.servicePorts)
            carries = carries || (sp.portType != "eth" && sp.at == *at && sp.vlan == v.id);
        if (carries) list.push_back(&v);
    }
    c.print(renderPortVlans(c.lang(), list, b->kind == BoardKind::Uplink ? d.nativeVlan(at->text()) : 1));
}

void vlanList(Call &c) {
    c.print(renderVlanList(c.dev(), c.lang()));
}

void vlanDisplay(Call &c) {
    if (!c.need(1, 1)) return;
    const Device &d = c.dev();
    if (c.is(0, "all")) return afterOptions(c, "{ <cr>|vlanattr<K>|vlantype<K> }:", vlanList);
    if (c.is(0, "loop")) return c.say(text::NoVlanLoop);
    if (c.is(0, "number")) return c.print(renderVlanCounts(d, c.lang()));
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    const Vlan *v = d.vlan(*id);
    if (!v) return c.fail(Failure::NoVlan);
    c.print(renderVlan(c.lang(), *v));
}

} // namespace

const CommandTable &networkCommands() {
    static const CommandTable table = {
        {{"display", "vlan"}, vlanDisplay},
        {{"display", "port", "vlan"}, portVlans},
        {{"display", "ip", "routing-table"}, routingTable},
        {{"display", "ip", "interface"}, interfaceBrief},
        {{"display", "ip", "statistics"},
         [](Call &c) {
             if (c.need(0, 0)) c.print(renderIpStatistics(c.lang()));
         }},
        {{"display", "arp"}, arpTable},
    };
    return table;
}

} // namespace tw::sim
