// Service ports and the multicast users on them: adding, listing and removing them.
#include "Commands.h"

namespace tw::sim {

namespace {

void reportRemoval(Call &c, int candidates, int removed, int refused) {
    if (refused > 0) c.fail(Failure::MulticastInUse);
    c.print(renderTally(c.lang(), Tally::ServicePortsDeleted, candidates, removed));
}

} // namespace

// service-port [<index>] vlan <S> gpon|epon|eth <f/s/p> [ont <N>] [gemport <G>] multi-service user-vlan <U>
// ...
void servicePortAdd(Call &c) {
    ServicePort sp;
    int i = 0;
    bool explicitIndex = false;
    if (auto index = c.number(0, 0, 65535)) {
        sp.index = *index;
        explicitIndex = true;
        i = 1;
    }
    if (!c.is(i, "vlan")) return c.paramError(i);
    auto vlan = c.number(i + 1, 1, 4095);
    if (!vlan) return c.paramError(i + 1);
    sp.vlan = *vlan;
    i += 2;
    const QString type = c.arg(i).toLower();
    if (type != "gpon" && type != "epon" && type != "eth") return c.paramError(i);
    sp.portType = type;
    const QStringList parts = c.arg(i + 1).split('/');
    if (parts.size() != 3) return c.paramError(i + 1);
    sp.at = {parts[0].toInt(), parts[1].toInt(), parts[2].split('-').first().toInt()};
    i += 2;
    if (type != "eth") {
        if (!c.is(i, "ont")) return c.paramError(i);
        auto ont = c.number(i + 1, 0, 127);
        if (!ont) return c.paramError(i + 1);
        sp.ont = *ont;
        i += 2;
    }
    if (type == "gpon") {
        if (!c.is(i, "gemport")) return c.paramError(i);
        auto gem = c.number(i + 1, 0, 4095);
        if (!gem) return c.paramError(i + 1);
        sp.gemport = *gem;
        i += 2;
    }
    if (!c.is(i, "multi-service")) return c.paramError(i);
    if (!c.is(i + 1, "user-vlan")) return c.paramError(i + 1);
    if (c.argc() <= i + 2) return c.incomplete();
    if (!c.is(i + 2, "untagged") && !c.is(i + 2, "priority-tagged") && !c.number(i + 2, 1, 4095))
        return c.paramError(i + 2);
    sp.userVlan = c.arg(i + 2).toLower();
    for (i += 3; i < c.argc(); i += 2) {
        if (c.is(i, "tag-transform")) {
            sp.tagTransform = c.arg(i + 1);
        } else if (c.is(i, "rx-cttr") || c.is(i, "tx-cttr")) {
            auto v = c.number(i + 1, 0, 6000);
            if (!v) return c.paramError(i + 1);
            (c.is(i, "rx-cttr") ? sp.rxCttr : sp.txCttr) = *v;
        } else if (c.is(i, "inbound") || c.is(i, "outbound")) {
            i += 1; // "inbound traffic-table index N"
            i += c.is(i, "traffic-table") ? 1 : 0;
        } else {
            return c.paramError(i);
        }
    }
    if (Failure f = addServicePort(c.dev(), sp, explicitIndex); f != Failure::None) c.fail(f);
}

void undoServicePort(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    Device &d = c.dev();
    if (auto index = c.number(0, 0, 65535)) {
        if (!c.need(1, 1)) return;
        ServicePort *sp = d.servicePort(*index);
        if (!sp) return c.fail(Failure::NoServicePort);
        if (d.hasMulticastUser(*index)) return c.fail(Failure::MulticastInUse);
        const int i = *index;
        removeServicePorts(
            d, [i](const ServicePort &s) { return s.index == i; }, nullptr);
        return;
    }
    std::function<bool(const ServicePort &)> match;
    bool ask = true;
    if (c.is(0, "port")) {
        auto at = c.port(1);
        if (!at) return c.paramError(1);
        std::optional<int> ont, gem;
        int i = 2;
        if (c.is(i, "ont")) {
            ont = c.number(i + 1, 0, 127);
            if (!ont) return c.paramError(i + 1);
            i += 2;
        }
        if (c.is(i, "gemport")) {
            gem = c.number(i + 1, 0, 4095);
            if (!gem) return c.paramError(i + 1);
            i += 2;
        }
        if (!c.need(i, i)) return;
        const PortRef p = *at;
        match = [p, ont, gem](const ServicePort &sp) {
            return sp.portType != "eth" && sp.at == p && (!ont || sp.ont == *ont) &&
                   (!gem || sp.gemport == *gem);
        };
    } else if (c.is(0, "board")) {
        if (!c.need(2, 2)) return;
        auto ref = boardRef(c.arg(1));
        if (!ref) return c.paramError(1);
        const auto [frame, slot] = *ref;
        match = [frame = frame, slot = slot](const ServicePort &sp) { return sp.at.frame == frame && sp.at.slot == slot; };
    } else if (c.is(0, "vlan")) {
        if (!c.need(2, 2)) return;
        auto v = c.number(1, 1, 4095);
        if (!v) return c.paramError(1);
        const int vlan = *v;
        match = [vlan](const ServicePort &sp) { return sp.vlan == vlan; };
        ask = false;
    } else {
        return c.paramError(0);
    }
    auto remove = [match](Call &c) {
        int candidates = 0;
        for (const ServicePort &sp : c.dev().servicePorts)
            candidates += match(sp);
        int refused = 0;
        const int removed = removeServicePorts(c.dev(), match, &refused);
        reportRemoval(c, candidates, removed, refused);
    };
    afterOptions(c, "{ <cr>||<K> }:", [remove, ask](Call &c) {
        if (!ask) return remove(c);
        afterConfirm(c, text::ConfirmReleaseServicePorts, remove);
    });
}

void servicePortDisplay(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    std::function<bool(const ServicePort &)> match;
    bool ask = false, sorted = false;
    QString choices = "{ <cr>|gemport<K>|sort-by<K> }:";
    int next = 0;
    if (c.is(0, "all")) {
        match = [](const ServicePort &) { return true; };
        next = 1;
    } else if (c.is(0, "port")) {
        auto at = c.port(1);
        if (!at) return c.paramError(1);
        std::optional<int> ont, gem;
        next = 2;
        if (c.is(next, "ont")) {
            ont = c.number(next + 1, 0, 127);
            if (!ont) return c.paramError(next + 1);
            next += 2;
            ask = true;
        }
        if (c.is(next, "gemport")) {
            gem = c.number(next + 1, 0, 4095);
            if (!gem) return c.paramError(next + 1);
            next += 2;
            choices = "{ <cr>|sort-by<K> }:";
        }
        const PortRef p = *at;
        match = [p, ont, gem](const ServicePort &sp) {
            return sp.at == p && (!ont || sp.ont == *ont) && (!gem || sp.gemport == *gem);
        };
    } else if (c.is(0, "board")) {
        const QStringList parts = c.arg(1).split('/');
        bool okF = false, okS = false;
        const int frame = parts.value(0).toInt(&okF), slot = parts.value(1).toInt(&okS);
        if (parts.size() != 2 || !okF || !okS) return c.paramError(1);
        match = [frame, slot](const ServicePort &sp) { return sp.at.frame == frame && sp.at.slot == slot; };
        next = 2;
    } else if (c.is(0, "vlan")) {
        auto vlan = c.number(1, 1, 4095);
        if (!vlan) return c.paramError(1);
        const int v = *vlan;
        match = [v](const ServicePort &sp) { return sp.vlan == v; };
        next = 2;
    } else if (auto index = c.number(0, 0, 65535)) {
        const int i = *index;
        match = [i](const ServicePort &sp) { return sp.index == i; };
        next = 1;
    } else {
        return c.paramError(0);
    }
    if (c.is(next, "sort-by")) {
        if (!c.is(next + 1, "port") && !c.is(next + 1, "vlan") && !c.is(next + 1, "index"))
            return c.paramError(next + 1);
        next += 2;
        ask = false;
        sorted = true;
    }
    if (!c.need(next, next)) return;
    auto show = [&s = c.s, match] {
        std::vector<const ServicePort *> list;
        for (const ServicePort &sp : s.device().servicePorts)
            if (match(sp)) list.push_back(&sp);
        s.print(renderServicePorts(s.device(), s.lang(), list));
    };
    if (ask) return c.s.askOptions(choices, show);
    show();
    // A lone y or n typed after a sorted listing passes without an error, as on the device.
    if (sorted) c.s.passStrayAnswer();
}

const CommandTable &btvCommands() {
    static const CommandTable table = {
        {{"igmp", "user", "add"},
         [](Call &c) {
             if (!c.is(0, "service-port")) return c.paramError(0);
             auto sp = c.number(1, 0, 65535);
             if (!sp) return c.paramError(1);
             if (!c.dev().servicePort(*sp)) return c.fail(Failure::NoServicePort);
             if (c.dev().hasMulticastUser(*sp)) return c.say(text::MulticastUserExists);
             MulticastUser u{*sp};
             for (int i = 2; i < c.argc(); ++i) {
                 if (c.is(i, "auth"))
                     u.noAuth = false;
                 else if (c.is(i, "max-program") && c.number(i + 1, 1, 32))
                     u.maxProgram = c.arg(++i).toInt();
                 else if (!c.is(i, "no-auth") && !c.is(i, "log") && !c.is(i, "enable") && !c.is(i, "disable"))
                     return c.paramError(i);
             }
             c.dev().multicastUsers.push_back(u);
         }},
        {{"igmp", "user", "delete"},
         [](Call &c) {
             if (!c.need(2, 2)) return;
             std::function<bool(const ServicePort &)> match;
             if (c.is(0, "service-port")) {
                 auto sp = c.number(1, 0, 65535);
                 if (!sp) return c.paramError(1);
                 if (!c.dev().hasMulticastUser(*sp)) return c.fail(Failure::NoMulticastUser);
                 const int i = *sp;
                 match = [i](const ServicePort &s) { return s.index == i; };
             } else if (c.is(0, "port")) {
                 auto at = c.port(1);
                 if (!at) return c.paramError(1);
                 const PortRef p = *at;
                 match = [p](const ServicePort &s) { return s.at == p; };
             } else if (c.is(0, "slot")) {
                 auto ref = boardRef(c.arg(1));
                 if (!ref) return c.paramError(1);
                 const auto [frame, slot] = *ref;
                 match = [frame = frame, slot = slot](const ServicePort &s) {
                     return s.at.frame == frame && s.at.slot == slot;
                 };
             } else if (c.is(0, "smart-vlan")) {
                 auto v = c.number(1, 1, 4095);
                 if (!v) return c.paramError(1);
                 const int vlan = *v;
                 match = [vlan](const ServicePort &s) { return s.vlan == vlan; };
             } else {
                 return c.paramError(0);
             }
             afterConfirm(c, text::ConfirmDeleteMulticastUsers, [match](Call &c) {
                 Device &d = c.dev();
                 const auto before = d.multicastUsers.size();
                 std::erase_if(d.multicastUsers, [&](const MulticastUser &u) {
                     const ServicePort *sp = d.servicePort(u.servicePort);
                     return sp && match(*sp);
                 });
                 c.print(renderMulticastUsersDeleted(c.lang(), qsizetype(before - d.multicastUsers.size())));
             });
         }},
        {{"igmp"}, [](Call &c) { c.argc() == 0 ? c.incomplete() : recordLine(c); }},
        {{"display", "igmp", "user"}, [](Call &c) { c.print(renderMulticastUsers(c.dev(), c.lang())); }},
    };
    return table;
}

} // namespace tw::sim
