// The VLAN commands of configuration mode: VLANs, their uplink ports, VLAN service profiles and the
// multicast VLANs. Most ask "(y/n)[n]:" first; the checks that need no answer come before it.
#include "Commands.h"

#include <algorithm>

namespace tw::sim {

namespace {

void vlanCreate(Call &c) {
    if (!c.need(2, 2)) return;
    auto id = c.number(0, 2, 4093);
    if (!id) return c.paramError(0);
    static const QStringList types = {"smart", "standard", "mux", "super"};
    if (!types.contains(c.arg(1).toLower())) return c.paramError(1);
    if (c.dev().vlan(*id)) return c.fail(Failure::VlanExists);
    afterConfirm(c, text::ConfirmAddVlans, [](Call &c) {
        Vlan v;
        v.id = c.arg(0).toInt();
        v.type = c.arg(1).toLower();
        auto &list = c.dev().vlans;
        if (c.dev().vlan(v.id)) return c.fail(Failure::VlanExists);
        list.insert(
            std::lower_bound(list.begin(), list.end(), v.id, [](const Vlan &a, int id) { return a.id < id; }),
            v);
    });
}

void vlanAttrib(Call &c) {
    if (!c.need(2, 2)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    static const QStringList attribs = {"common", "q-in-q", "stacking"};
    if (!attribs.contains(c.arg(1).toLower())) return c.paramError(1);
    if (!c.dev().vlan(*id)) return c.fail(Failure::NoVlan);
    afterConfirm(c, text::ConfirmVlanAttribute, [](Call &c) {
        if (Vlan *v = c.dev().vlan(c.arg(0).toInt())) v->attrib = c.arg(1).toLower();
    });
}

// vlan desc <V> description <text>: one word, or quoted with blanks inside.
void vlanDesc(Call &c) {
    if (!c.need(3, 3)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    if (!c.is(1, "description")) return c.paramError(1);
    if (c.arg(2).isEmpty() || displayWidth(c.arg(2)) > 32) return c.paramError(2);
    Vlan *v = c.dev().vlan(*id);
    if (!v) return c.fail(Failure::NoVlan);
    v->desc = c.arg(2);
}

void undoVlan(Call &c) {
    if (!c.need(1, 1)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    if (!c.dev().vlan(*id)) return c.fail(Failure::NoVlan);
    afterConfirm(c, text::ConfirmVlanDelete, [](Call &c) {
        if (Failure f = deleteVlan(c.dev(), c.arg(0).toInt()); f != Failure::None) c.fail(f);
    });
}

// The uplink ports "<f/s> <p>" names: one port, a range such as 0-3, or (to remove) all of them.
std::optional<QStringList> uplinkPortList(Call &c, int i, bool allowAll) {
    auto ref = boardRef(c.arg(i));
    if (!ref) {
        c.paramError(i);
        return std::nullopt;
    }
    const Board *b = c.dev().board(ref->first, ref->second);
    if (!b) {
        c.fail(Failure::NoBoard);
        return std::nullopt;
    }
    if (b->kind != BoardKind::Uplink) {
        c.fail(Failure::WrongBoardType);
        return std::nullopt;
    }
    int from = 0, to = b->ports - 1;
    if (!(allowAll && c.is(i + 1, "all"))) {
        const QStringList range = c.arg(i + 1).split('-');
        bool okA = false, okB = true;
        from = range.value(0).toInt(&okA);
        to = range.size() > 1 ? range[1].toInt(&okB) : from;
        if (!okA || !okB || from < 0 || to < from || to > 47 || range.size() > 2) {
            c.paramError(i + 1);
            return std::nullopt;
        }
        if (to >= b->ports) {
            c.fail(Failure::NoPort);
            return std::nullopt;
        }
    }
    QStringList ports;
    for (int p = from; p <= to; ++p)
        ports << PortRef{ref->first, ref->second, p}.text();
    return ports;
}

// port vlan <V> <f/s> <p>; undo port vlan <V> <f/s> <p>|all.
void portVlan(Call &c, bool add) {
    if (!c.need(3, 3)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    auto ports = uplinkPortList(c, 1, !add);
    if (!ports) return;
    if (!c.dev().vlan(*id)) return c.fail(Failure::NoVlan);
    afterConfirm(c, add ? text::ConfirmAddStandardPorts : text::ConfirmDeleteStandardPorts,
                 [add, list = *ports](Call &c) {
                     const int vlan = c.arg(0).toInt();
                     const Failure f =
                         add ? addUplinkPorts(c.dev(), vlan, list) : removeUplinkPorts(c.dev(), vlan, list);
                     if (f != Failure::None) c.fail(f);
                 });
}

void enterVlanServiceProfile(Call &c) {
    if (!c.need(2, 2)) return;
    if (!c.is(0, "profile-id")) return c.paramError(0);
    auto id = c.number(1, 1, 1024);
    if (!id) return c.paramError(1);
    auto &list = c.dev().vlanServiceProfiles;
    if (!c.dev().vlanServiceProfile(*id)) {
        VlanServiceProfile p;
        p.id = *id;
        list.insert(std::lower_bound(list.begin(), list.end(), *id,
                                     [](const VlanServiceProfile &p, int id) { return p.id < id; }),
                    p);
    }
    c.s.pushMode(mode::VlanSrvProfile{*id});
}

// vlan bind service-profile <V>|<V1>-<V2> profile-id <P>
void vlanBind(Call &c) {
    if (!c.need(4, 4)) return;
    if (!c.is(0, "service-profile")) return c.paramError(0);
    const QStringList range = c.arg(1).split('-');
    bool okA = false, okB = true;
    const int from = range.value(0).toInt(&okA);
    const int to = range.size() > 1 ? range[1].toInt(&okB) : from;
    if (!okA || !okB || range.size() > 2 || from < 1 || to < from || to > 4095) return c.paramError(1);
    if (!c.is(2, "profile-id")) return c.paramError(2);
    auto profile = c.number(3, 1, 1024);
    if (!profile) return c.paramError(3);
    if (Failure f = bindVlanServiceProfile(c.dev(), from, to, *profile); f != Failure::None) c.fail(f);
}

void undoMulticastVlan(Call &c) {
    if (!c.need(1, 1)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    if (!c.dev().multicastVlan(*id)) return c.fail(Failure::NoMulticastVlan);
    std::erase_if(c.dev().multicastVlans, [v = *id](const MulticastVlan &m) { return m.id == v; });
}

} // namespace

// multicast-vlan <V>: the VLAN must exist; typed in a multicast VLAN's mode it moves to the other one.
void enterMulticastVlan(Call &c) {
    if (!c.need(1, 1)) return;
    auto id = c.number(0, 1, 4095);
    if (!id) return c.paramError(0);
    if (!c.dev().vlan(*id)) return c.fail(Failure::NoVlan);
    auto &list = c.dev().multicastVlans;
    if (!c.dev().multicastVlan(*id)) {
        MulticastVlan m;
        m.id = *id;
        list.insert(std::lower_bound(list.begin(), list.end(), *id,
                                     [](const MulticastVlan &m, int id) { return m.id < id; }),
                    m);
    }
    if (c.s.modeAs<mode::MulticastVlan>()) c.s.popMode();
    c.s.pushMode(mode::MulticastVlan{*id});
}

const CommandTable &vlanCommands() {
    static const CommandTable table = {
        {{"vlan"}, vlanCreate},
        {{"vlan", "attrib"}, vlanAttrib},
        {{"vlan", "desc"}, vlanDesc},
        {{"vlan", "service-profile"}, enterVlanServiceProfile},
        {{"vlan", "bind"}, vlanBind},
        {{"undo", "vlan"}, undoVlan},
        {{"port", "vlan"}, [](Call &c) { portVlan(c, true); }},
        {{"undo", "port", "vlan"}, [](Call &c) { portVlan(c, false); }},
        {{"multicast-vlan"}, enterMulticastVlan},
        {{"undo", "multicast-vlan"}, undoMulticastVlan},
    };
    return table;
}

} // namespace tw::sim
