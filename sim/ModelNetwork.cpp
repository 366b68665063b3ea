// VLANs and their uplink ports, VLAN service profiles, IP interfaces and static routes.
#include "Model.h"

#include <algorithm>

namespace tw::sim {

VlanServiceProfile *Device::vlanServiceProfile(int id) {
    for (VlanServiceProfile &p : vlanServiceProfiles)
        if (p.id == id) return &p;
    return nullptr;
}

MulticastVlan *Device::multicastVlan(int id) {
    for (MulticastVlan &m : multicastVlans)
        if (m.id == id) return &m;
    return nullptr;
}

const IpInterface *Device::ipInterface(const QString &name) const {
    for (const IpInterface &i : ipInterfaces)
        if (i.name == name) return &i;
    return nullptr;
}

IpInterface *Device::ipInterface(const QString &name) {
    return const_cast<IpInterface *>(std::as_const(*this).ipInterface(name));
}

int Device::nativeVlan(const QString &port) const {
    const auto it = nativeVlans.find(port);
    return it == nativeVlans.end() ? 1 : it->second;
}

Failure deleteVlan(Device &d, int id) {
    const Vlan *v = d.vlan(id);
    if (!v) return Failure::NoVlan;
    for (const ServicePort &sp : d.servicePorts)
        if (sp.vlan == id) return Failure::VlanInUse;
    if (!v->ports.isEmpty()) return Failure::VlanHasPorts;
    for (const auto &[port, native] : d.nativeVlans)
        if (native == id) return Failure::VlanHasPorts;
    if (d.ipInterface("vlanif" + QString::number(id))) return Failure::VlanHasInterface;
    if (d.multicastVlan(id)) return Failure::VlanIsMulticast;
    std::erase_if(d.vlans, [id](const Vlan &x) { return x.id == id; });
    return Failure::None;
}

Failure addUplinkPorts(Device &d, int vlan, const QStringList &ports) {
    Vlan *v = d.vlan(vlan);
    if (!v) return Failure::NoVlan;
    for (const QString &p : ports)
        if (!v->ports.contains(p)) v->ports << p;
    // Listed in port order, as the device shows them.
    std::sort(v->ports.begin(), v->ports.end(),
              [](const QString &a, const QString &b) { return PortRef::parse(a) < PortRef::parse(b); });
    return Failure::None;
}

Failure removeUplinkPorts(Device &d, int vlan, const QStringList &ports) {
    Vlan *v = d.vlan(vlan);
    if (!v) return Failure::NoVlan;
    int removed = 0;
    for (const QString &p : ports)
        removed += int(v->ports.removeAll(p));
    return removed ? Failure::None : Failure::PortNotInVlan;
}

Failure setNativeVlan(Device &d, const QString &port, int vlan) {
    if (vlan != 1 && !d.vlan(vlan)) return Failure::NoVlan; // VLAN 1, the default one, is always there
    if (vlan == 1)
        d.nativeVlans.erase(port);
    else
        d.nativeVlans[port] = vlan;
    return Failure::None;
}

Failure bindVlanServiceProfile(Device &d, int from, int to, int profile) {
    if (!d.vlanServiceProfile(profile)) return Failure::NoVlanServiceProfile;
    for (int id = from; id <= to; ++id)
        if (!d.vlan(id)) return Failure::NoVlan;
    for (int id = from; id <= to; ++id)
        d.vlan(id)->serviceProfile = profile;
    return Failure::None;
}

static quint32 maskBits(int length) {
    return length == 0 ? 0 : ~quint32(0) << (32 - length);
}

std::optional<quint32> parseIpv4(const QString &text) {
    const QStringList parts = text.split('.');
    if (parts.size() != 4) return std::nullopt;
    quint32 v = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const uint octet = p.toUInt(&ok);
        if (!ok || octet > 255 || p.size() > 3) return std::nullopt;
        v = v << 8 | octet;
    }
    return v;
}

std::optional<int> parseMaskLength(const QString &text) {
    if (!text.contains('.')) {
        bool ok = false;
        const int n = text.toInt(&ok);
        return ok && n >= 0 && n <= 32 ? std::optional(n) : std::nullopt;
    }
    const auto m = parseIpv4(text);
    if (!m) return std::nullopt;
    int length = 0;
    while (length < 32 && (*m >> (31 - length) & 1))
        ++length;
    if (*m != maskBits(length)) return std::nullopt; // holes
    return length;
}

QString ipv4Text(quint32 v) {
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg(v >> 16 & 255).arg(v >> 8 & 255).arg(v & 255);
}

QString maskText(int length) {
    return ipv4Text(maskBits(length));
}

bool hostAddressFits(quint32 address, int length) {
    const quint32 first = address >> 24;
    if (first == 0 || first == 127 || first >= 224 || length < 1 || length > 30) return false;
    const quint32 host = address & ~maskBits(length);
    return host != 0 && host != ~maskBits(length);
}

IpInterface &openIpInterface(Device &d, const QString &name) {
    if (IpInterface *i = d.ipInterface(name)) return *i;
    auto order = [](const QString &n) { return n == "meth0" ? -1 : n.mid(6).toInt(); };
    auto &list = d.ipInterfaces;
    const auto at = std::find_if(list.begin(), list.end(),
                                 [&](const IpInterface &i) { return order(i.name) > order(name); });
    return *list.insert(at, {name, {}, {}, {}, false});
}

Failure setIpAddress(Device &d, const QString &interface, quint32 address, int length,
                     const QString &description) {
    for (const IpInterface &other : d.ipInterfaces) {
        const auto theirs = parseIpv4(other.address);
        const auto theirLength = parseMaskLength(other.mask);
        if (other.name == interface || !theirs || !theirLength) continue;
        const int common = std::min(length, *theirLength);
        if ((*theirs & maskBits(common)) == (address & maskBits(common))) return Failure::AddressConflict;
    }
    IpInterface &i = openIpInterface(d, interface);
    i.address = ipv4Text(address);
    i.mask = maskText(length);
    i.description = description;
    return Failure::None;
}

void addStaticRoute(Device &d, const StaticRoute &route) {
    for (StaticRoute &r : d.routes)
        if (r.destination == route.destination && r.mask == route.mask && r.gateway == route.gateway) {
            r = route;
            return;
        }
    d.routes.push_back(route);
}

namespace {

// An interface with an address, as the routes use it.
struct Address {
    QString name;
    quint32 address = 0;
    int length = 0; // of the mask
};

quint32 network(quint32 address, int length) {
    return length == 0 ? 0 : address & ~((quint32(1) << (32 - length)) - 1);
}

std::vector<Address> addresses(const Device &d) {
    std::vector<Address> out;
    for (const IpInterface &i : d.ipInterfaces) {
        const auto address = parseIpv4(i.address);
        const auto length = parseMaskLength(i.mask);
        if (address && length) out.push_back({i.name, *address, *length});
    }
    return out;
}

} // namespace

std::vector<Route> routeTable(const Device &d) {
    const auto interfaces = addresses(d);
    std::vector<Route> out;
    for (const StaticRoute &r : d.routes) {
        const auto destination = parseIpv4(r.destination);
        const auto length = parseMaskLength(r.mask);
        const auto hop = parseIpv4(r.gateway);
        if (!destination || !length || !hop) continue;
        QString via = "-";
        for (const Address &i : interfaces)
            if (network(*hop, i.length) == network(i.address, i.length)) via = i.name;
        out.push_back({network(*destination, *length), *length, "Static", "RD", *hop, via});
    }
    if (d.routes.empty()) // the management gateway of the factory setting
        out.push_back({0, 0, "Static", "RD", *parseIpv4("10.11.104.1"), "meth0"});
    for (const Address &i : interfaces) {
        out.push_back({network(i.address, i.length), i.length, "Direct", "D", i.address, i.name});
        out.push_back({i.address, 32, "Direct", "D", *parseIpv4("127.0.0.1"), "InLoopBack0"});
    }
    out.push_back({*parseIpv4("127.0.0.0"), 8, "Direct", "D", *parseIpv4("127.0.0.1"), "InLoopBack0"});
    out.push_back({*parseIpv4("127.0.0.1"), 32, "Direct", "D", *parseIpv4("127.0.0.1"), "InLoopBack0"});
    std::sort(out.begin(), out.end(), [](const Route &a, const Route &b) {
        return std::pair(a.destination, a.length) < std::pair(b.destination, b.length);
    });
    return out;
}

} // namespace tw::sim
