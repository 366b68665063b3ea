// Line and service profiles: created by entering their mode, edited line by line, committed.
#include "Model.h"

#include <algorithm>

namespace tw::sim {

Profile *Device::profile(bool line, PonKind pon, int id) {
    for (Profile &p : line ? lineProfiles : srvProfiles)
        if (p.pon == pon && p.id == id) return &p;
    return nullptr;
}

const DbaProfile *Device::dbaProfile(int id) const {
    for (const DbaProfile &p : dbaProfiles)
        if (p.id == id) return &p;
    return nullptr;
}

Failure openProfile(Device &d, bool line, PonKind pon, int id, const QString &name) {
    auto &list = line ? d.lineProfiles : d.srvProfiles;
    for (const Profile &p : list)
        if (!name.isEmpty() && p.pon == pon && p.id != id && p.name == name)
            return Failure::ProfileNameExists;
    if (Profile *p = d.profile(line, pon, id)) {
        if (!name.isEmpty()) p->name = name;
        return Failure::None;
    }
    Profile p;
    p.pon = pon;
    p.id = id;
    p.name = name.isEmpty() ? QStringLiteral("%1-profile_%2").arg(line ? "line" : "srv").arg(id) : name;
    list.insert(std::lower_bound(list.begin(), list.end(), p,
                                 [](const Profile &a, const Profile &b) {
                                     return std::pair(a.pon, a.id) < std::pair(b.pon, b.id);
                                 }),
                p);
    return Failure::None;
}

namespace {

// Applies a change to the content; the profile waits for "commit" only when something changed.
template <typename Change> void change(Profile &p, Change apply) {
    const ProfileContent before = p.content;
    apply(p.content);
    if (!(p.content == before)) p.committed = false;
}

} // namespace

Failure setTcont(const Device &d, Profile &p, int tcont, int dbaProfile) {
    if (!d.dbaProfile(dbaProfile)) return Failure::NoDbaProfile;
    change(p, [&](ProfileContent &c) {
        auto it =
            std::find_if(c.tconts.begin(), c.tconts.end(), [&](const Tcont &t) { return t.id == tcont; });
        if (it != c.tconts.end())
            it->dbaProfile = dbaProfile;
        else
            c.tconts.insert(std::lower_bound(c.tconts.begin(), c.tconts.end(), Tcont{tcont, 0}),
                            {tcont, dbaProfile});
    });
    return Failure::None;
}

Failure addGem(Profile &p, int index, const QString &service, int tcont) {
    ProfileContent &c = p.content;
    if (std::none_of(c.tconts.begin(), c.tconts.end(), [&](const Tcont &t) { return t.id == tcont; }))
        return Failure::NoTcont;
    if (std::any_of(c.gems.begin(), c.gems.end(), [&](const Gem &g) { return g.index == index; }))
        return Failure::GemExists;
    change(p, [&](ProfileContent &c) {
        const Gem g{index, service, tcont};
        c.gems.insert(std::lower_bound(c.gems.begin(), c.gems.end(), g), g);
    });
    return Failure::None;
}

Failure mapGem(Profile &p, int gem, int index, int vlan) {
    ProfileContent &c = p.content;
    if (std::none_of(c.gems.begin(), c.gems.end(), [&](const Gem &g) { return g.index == gem; }))
        return Failure::NoGem;
    // In VLAN mapping mode a VLAN leads to one GEM port, and a mapping index is used once per GEM.
    for (const GemMapping &m : c.mappings)
        if ((m.gem == gem && m.index == index) || m.vlan == vlan) return Failure::MappingExists;
    change(p, [&](ProfileContent &c) {
        const GemMapping m{gem, index, vlan};
        c.mappings.insert(std::lower_bound(c.mappings.begin(), c.mappings.end(), m), m);
    });
    return Failure::None;
}

Failure setLlidDba(const Device &d, Profile &p, int dbaProfile) {
    if (!d.dbaProfile(dbaProfile)) return Failure::NoDbaProfile;
    change(p, [&](ProfileContent &c) { c.llidDbaProfile = dbaProfile; });
    return Failure::None;
}

void setOntPorts(Profile &p, const QString &pots, const QString &eth) {
    change(p, [&](ProfileContent &c) {
        if (!pots.isEmpty()) c.potsPorts = pots;
        if (!eth.isEmpty()) c.ethPorts = eth;
    });
}

Failure addOntPortVlan(Profile &p, const OntPortVlan &v) {
    ProfileContent &c = p.content;
    // "4" or "adaptive 8" limit the ports; a bare "adaptive" takes what the ONT has.
    bool counted = false;
    const int ports = c.ethPorts.section(' ', -1).toInt(&counted);
    if (counted && v.port > ports) return Failure::NoPort;
    for (const OntPortVlan &o : c.portVlans) {
        if (o == v) return Failure::None; // typed again: nothing changes
        if (o.port == v.port && (o.vlan == v.vlan || o.userVlan == v.userVlan))
            return Failure::PortVlanExists;
    }
    change(p, [&](ProfileContent &c) {
        c.portVlans.insert(std::lower_bound(c.portVlans.begin(), c.portVlans.end(), v), v);
    });
    return Failure::None;
}

void setMulticastTagstrip(Profile &p, int port, const QString &mode) {
    change(p, [&](ProfileContent &c) { c.multicastTagstrip[port] = mode; });
}

void setMulticastForward(Profile &p, const QString &mode) {
    change(p, [&](ProfileContent &c) { c.multicastForward = mode; });
}

void keepProfileLine(Profile &p, const QString &line) {
    if (p.lines.contains(line)) return;
    p.lines << line;
    p.committed = false;
}

bool commitProfile(Profile &p) {
    return !std::exchange(p.committed, true);
}

int dbaProfileBindings(const Device &d, int id) {
    int n = 0;
    for (const Profile &p : d.lineProfiles) {
        for (const Tcont &t : p.content.tconts)
            n += t.dbaProfile == id;
        n += p.content.llidDbaProfile == id;
    }
    return n;
}

std::vector<Profile> factoryLineProfiles() {
    return {{PonKind::Gpon, 0, "line-profile_default_0", {}, {}, true},
            {PonKind::Epon, 0, "line-profile_default_0", {}, {}, true}};
}

std::vector<Profile> factorySrvProfiles() {
    return {{PonKind::Gpon, 0, "srv-profile_default_0", {}, {}, true},
            {PonKind::Epon, 0, "srv-profile_default_0", {}, {}, true}};
}

} // namespace tw::sim
