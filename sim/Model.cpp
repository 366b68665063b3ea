#include "Model.h"

#include <QRegularExpression>

#include <algorithm>

namespace tw::sim {

QString PortRef::text() const {
    return QStringLiteral("%1/%2/%3").arg(frame).arg(slot).arg(port);
}

std::optional<PortRef> PortRef::parse(const QString &text) {
    const QStringList parts = text.split('/');
    if (parts.size() != 3) return std::nullopt;
    PortRef r;
    bool ok[3];
    r.frame = parts[0].toInt(&ok[0]);
    r.slot = parts[1].toInt(&ok[1]);
    r.port = parts[2].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || r.frame < 0 || r.slot < 0 || r.port < 0) return std::nullopt;
    return r;
}

QString Ont::key() const {
    switch (auth) {
    case AuthMode::Sn:
        return sn;
    case AuthMode::Mac:
        return mac;
    case AuthMode::Loid:
        return loid;
    case AuthMode::Password:
        return password;
    }
    return {};
}

const Board *Device::board(int f, int slot) const {
    if (f != frame || slot < 0 || slot >= int(boards.size()) || !boards[slot].present()) return nullptr;
    return &boards[slot];
}

Board *Device::board(int f, int slot) {
    return const_cast<Board *>(std::as_const(*this).board(f, slot));
}

namespace {
auto ontOrder = [](const Ont &o, std::pair<PortRef, int> k) { return std::pair(o.at, o.id) < k; };
}

const Ont *Device::ont(PortRef at, int id) const {
    auto it = std::lower_bound(onts.begin(), onts.end(), std::pair(at, id), ontOrder);
    return it != onts.end() && it->at == at && it->id == id ? &*it : nullptr;
}

Ont *Device::ont(PortRef at, int id) {
    return const_cast<Ont *>(std::as_const(*this).ont(at, id));
}

Ont *Device::ontByKey(const QString &key) {
    const QString sn = normaliseSn(key);
    const QString mac = normaliseMac(key);
    for (Ont &o : onts) {
        if ((!sn.isEmpty() && o.sn == sn) || (!mac.isEmpty() && o.mac == mac)) return &o;
        if ((o.auth == AuthMode::Loid || o.auth == AuthMode::Password) && o.key() == key) return &o;
    }
    return nullptr;
}

std::vector<const Ont *> Device::ontsOn(PortRef at) const {
    std::vector<const Ont *> out;
    auto it = std::lower_bound(onts.begin(), onts.end(), std::pair(at, -1), ontOrder);
    for (; it != onts.end() && it->at == at; ++it)
        out.push_back(&*it);
    return out;
}

std::vector<const AutofindEntry *> Device::autofindOn(std::optional<PortRef> at) const {
    std::vector<const AutofindEntry *> out;
    for (const AutofindEntry &e : autofind)
        if (!at || e.at == *at) out.push_back(&e);
    std::stable_sort(out.begin(), out.end(), [](auto *a, auto *b) { return a->at < b->at; });
    return out;
}

const Vlan *Device::vlan(int id) const {
    for (const Vlan &v : vlans)
        if (v.id == id) return &v;
    return nullptr;
}

Vlan *Device::vlan(int id) {
    return const_cast<Vlan *>(std::as_const(*this).vlan(id));
}

static const Profile *findProfile(const std::vector<Profile> &list, PonKind pon, int id) {
    for (const Profile &p : list)
        if (p.pon == pon && p.id == id) return &p;
    return nullptr;
}

const Profile *Device::lineProfile(PonKind pon, int id) const {
    return findProfile(lineProfiles, pon, id);
}
const Profile *Device::srvProfile(PonKind pon, int id) const {
    return findProfile(srvProfiles, pon, id);
}

ServicePort *Device::servicePort(int index) {
    for (ServicePort &sp : servicePorts)
        if (sp.index == index) return &sp;
    return nullptr;
}

bool Device::hasMulticastUser(int sp) const {
    return std::any_of(multicastUsers.begin(), multicastUsers.end(),
                       [sp](const MulticastUser &u) { return u.servicePort == sp; });
}

bool Device::portExists(PortRef at) const {
    const Board *b = board(at.frame, at.slot);
    return b && b->isPon() && at.port < b->ports;
}

int Device::nextServicePortIndex() const {
    int next = 0;
    for (const ServicePort &sp : servicePorts) // ordered by index: the first gap wins
        if (sp.index == next)
            ++next;
        else if (sp.index > next)
            break;
    return next;
}

QString normaliseSn(const QString &text) {
    QString t = text;
    t.remove('"');
    static const QRegularExpression hex16("^[0-9A-Fa-f]{16}$");
    static const QRegularExpression vendor("^([A-Za-z0-9]{4})-([0-9A-Fa-f]{8})$");
    if (hex16.match(t).hasMatch()) return t.toUpper();
    const auto m = vendor.match(t);
    if (m.hasMatch()) {
        QString out = QString::fromLatin1(m.captured(1).toUpper().toLatin1().toHex().toUpper());
        return out + m.captured(2).toUpper();
    }
    return {};
}

QString normaliseMac(const QString &text) {
    QString t = text;
    t.remove('"');
    static const QRegularExpression mac("^([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})$");
    return mac.match(t).hasMatch() ? t.toUpper() : QString();
}

QString vendorForm(const QString &sn) {
    if (sn.size() != 16) return sn;
    const QByteArray vendor = QByteArray::fromHex(sn.left(8).toLatin1());
    bool printable = std::all_of(vendor.begin(), vendor.end(), [](char c) { return c > 32 && c < 127; });
    return (printable ? QString::fromLatin1(vendor) : sn.left(8)) + '-' + sn.mid(8);
}

Failure checkPonBoard(const Device &d, int frame, int slot, PonKind pon) {
    const Board *b = d.board(frame, slot);
    if (!b) return Failure::NoBoard;
    if (b->kind != (pon == PonKind::Gpon ? BoardKind::Gpon : BoardKind::Epon)) return Failure::WrongBoardType;
    return Failure::None;
}

AddOntResult addOnt(Device &d, const AddOntRequest &req) {
    if (Failure f = checkPonBoard(d, req.at.frame, req.at.slot, req.pon); f != Failure::None) return {f};
    if (!d.portExists(req.at)) return {Failure::NoPort};
    QString sn, mac;
    if (req.auth == AuthMode::Sn) {
        sn = normaliseSn(req.key);
        if (sn.isEmpty()) return {Failure::BadParameter};
    } else if (req.auth == AuthMode::Mac) {
        mac = normaliseMac(req.key);
        if (mac.isEmpty()) return {Failure::BadParameter};
    } else if (req.key.isEmpty()) {
        return {Failure::BadParameter};
    }
    for (const Ont &o : d.onts) {
        if (!sn.isEmpty() && o.sn == sn) return {Failure::SnExists};
        if (!mac.isEmpty() && o.mac == mac) return {Failure::MacExists};
        if (req.auth == AuthMode::Loid && o.auth == AuthMode::Loid && o.loid == req.key)
            return {Failure::LoidExists};
        if (req.auth == AuthMode::Password && o.auth == AuthMode::Password && o.password == req.key)
            return {Failure::PasswordExists};
    }
    if (!d.lineProfile(req.pon, req.lineProfile)) return {Failure::NoLineProfile};
    if (req.srvProfile >= 0 && !d.srvProfile(req.pon, req.srvProfile)) return {Failure::NoSrvProfile};
    int id = 0;
    if (req.id) {
        if (*req.id < 0 || *req.id > 127) return {Failure::BadParameter};
        if (d.ont(req.at, *req.id)) return {Failure::OntIdExists};
        id = *req.id;
    } else {
        while (id < 128 && d.ont(req.at, id))
            ++id;
        if (id == 128) return {Failure::PortFull};
    }

    Ont o;
    o.at = req.at;
    o.id = id;
    o.pon = req.pon;
    o.auth = req.auth;
    o.sn = sn;
    o.mac = mac;
    o.management = req.management;
    o.lineProfile = req.lineProfile;
    o.srvProfile = req.srvProfile;
    o.desc = req.desc;
    if (req.auth == AuthMode::Loid) o.loid = req.key;
    if (req.auth == AuthMode::Password) o.password = req.key;
    drawOptics(o, 0);
    if (req.pon == PonKind::Epon) {
        o.vendor = "ZTEG";
        o.version = "V1.0";
        o.software = "V2.1.05";
        o.equipmentId = "F400";
    }

    // The ONT comes up when its device is on the port's fibre.
    o.plugged = false;
    o.linked = d.board(req.at.frame, req.at.slot)->working();
    comeUpIfWaiting(d, o, req.auth == AuthMode::Sn ? sn : req.auth == AuthMode::Mac ? mac : req.key);
    auto pos = std::lower_bound(d.onts.begin(), d.onts.end(), std::pair(o.at, o.id), ontOrder);
    d.onts.insert(pos, o);
    return {Failure::None, id};
}

AutofindEntry autofindEntryOf(const Ont &o, PortRef at, const QString &time) {
    AutofindEntry e;
    e.at = at;
    e.pon = o.pon;
    e.sn = o.sn;
    e.mac = o.mac;
    e.loid = o.loid;
    e.password = o.password;
    e.vendor = o.vendor;
    e.version = o.version;
    e.software = o.software;
    e.equipmentId = o.equipmentId;
    e.time = time;
    return e;
}

Failure deleteOnt(Device &d, PortRef at, int id) {
    const Ont *o = d.ont(at, id);
    if (!o) return Failure::NoOnt;
    for (const ServicePort &sp : d.servicePorts)
        if (sp.portType != "eth" && sp.at == at && sp.ont == id) return Failure::HasServicePorts;
    const Ont gone = *o;
    d.onts.erase(d.onts.begin() + (o - d.onts.data()));
    // Still on the fibre, the ONT reports itself again: it shows in its port's autofind list.
    if (gone.plugged) reportToAutofind(d, autofindEntryOf(gone, at, d.now));
    return Failure::None;
}

Failure setActive(Device &d, PortRef at, int id, bool active) {
    Ont *o = d.ont(at, id);
    if (!o) return Failure::NoOnt;
    o->active = active;
    return Failure::None;
}

Failure changeOntKey(Device &d, PortRef at, int id, AuthMode auth, const QString &key) {
    Ont *o = d.ont(at, id);
    if (!o) return Failure::NoOnt;
    const QString value = auth == AuthMode::Sn    ? normaliseSn(key)
                          : auth == AuthMode::Mac ? normaliseMac(key)
                                                  : key;
    if (value.isEmpty()) return Failure::BadParameter;
    for (const Ont &other : d.onts) {
        if (&other == o) continue;
        if (auth == AuthMode::Sn && other.sn == value) return Failure::SnExists;
        if (auth == AuthMode::Mac && other.mac == value) return Failure::MacExists;
        if (auth == AuthMode::Loid && other.auth == auth && other.loid == value) return Failure::LoidExists;
        if (auth == AuthMode::Password && other.auth == auth && other.password == value)
            return Failure::PasswordExists;
    }
    const AutofindEntry onFibre = autofindEntryOf(*o, at, d.now);
    switch (auth) {
    case AuthMode::Sn:
        o->sn = value;
        break;
    case AuthMode::Mac:
        o->mac = value;
        break;
    case AuthMode::Loid:
        o->loid = value;
        break;
    case AuthMode::Password:
        o->password = value;
        break;
    }
    o->auth = auth;
    // Only the SN and MAC of the device on the fibre are known; it is taken to carry a new LOID or password.
    const bool stillFits =
        (auth != AuthMode::Sn || onFibre.sn == value) && (auth != AuthMode::Mac || onFibre.mac == value);
    if (o->plugged && !stillFits) {
        o->plugged = false;
        reportToAutofind(d, onFibre);
    }
    if (!o->plugged) comeUpIfWaiting(d, *o, value);
    return Failure::None;
}

Failure addServicePort(Device &d, ServicePort sp, bool explicitIndex) {
    if (!d.vlan(sp.vlan)) return Failure::NoVlan;
    if (sp.portType != "eth") {
        if (!d.portExists(sp.at)) return Failure::NoPort;
        if (!d.ont(sp.at, sp.ont)) return Failure::NoOnt;
    }
    for (const ServicePort &o : d.servicePorts)
        if ((explicitIndex && o.index == sp.index) ||
            (o.at == sp.at && o.portType == sp.portType && o.ont == sp.ont && o.gemport == sp.gemport &&
             o.vlan == sp.vlan && o.userVlan == sp.userVlan))
            return Failure::ServicePortExists;
    if (!explicitIndex) sp.index = d.nextServicePortIndex();
    auto pos = std::lower_bound(d.servicePorts.begin(), d.servicePorts.end(), sp.index,
                                [](const ServicePort &a, int i) { return a.index < i; });
    d.servicePorts.insert(pos, sp);
    return Failure::None;
}

int removeServicePorts(Device &d, const std::function<bool(const ServicePort &)> &match, int *refused) {
    int removed = 0, kept = 0;
    std::erase_if(d.servicePorts, [&](const ServicePort &sp) {
        if (!match(sp)) return false;
        if (d.hasMulticastUser(sp.index)) {
            ++kept;
            return false;
        }
        ++removed;
        return true;
    });
    if (refused) *refused = kept;
    return removed;
}

} // namespace tw::sim
