// What is on the fibre: devices that answer a registration, report themselves in autofind, or wait
// unreported on a port that does not listen; and the control-channel events that change it.
#include "Model.h"

#include <algorithm>

namespace tw::sim {

namespace {

// Whether the device on the fibre answers to this key.
bool answersTo(const AutofindEntry &e, AuthMode auth, const QString &key) {
    switch (auth) {
    case AuthMode::Sn:
        return e.sn == key;
    case AuthMode::Mac:
        return e.mac == key;
    case AuthMode::Loid:
        return !e.loid.isEmpty() && e.loid == key;
    case AuthMode::Password:
        return !e.password.isEmpty() && e.password == key;
    }
    return false;
}

bool listed(const std::vector<AutofindEntry> &list, const QString &key) {
    return std::any_of(list.begin(), list.end(), [&](const AutofindEntry &e) { return e.key() == key; });
}

void forget(Device &d, const QString &key) {
    for (auto *list : {&d.autofind, &d.unreported})
        std::erase_if(*list, [&](const AutofindEntry &e) { return e.key() == key; });
}

} // namespace

bool Device::portReports(PortRef at) const {
    const Board *b = board(at.frame, at.slot);
    if (!b || !b->isPon() || !b->working() || at.port >= b->ports) return false;
    const auto off = autofindDisabled.find(at.text());
    return off == autofindDisabled.end() || !off->second;
}

// Registered ONTs come up whether the port's auto-find is on or not.
bool comeUpIfWaiting(Device &d, Ont &o, const QString &key) {
    for (auto *list : {&d.autofind, &d.unreported}) {
        auto it = std::find_if(list->begin(), list->end(), [&](const AutofindEntry &e) {
            return e.at == o.at && answersTo(e, o.auth, key);
        });
        if (it == list->end()) continue;
        o.plugged = true;
        if (!it->sn.isEmpty()) o.sn = it->sn;
        if (!it->mac.isEmpty()) o.mac = it->mac;
        o.vendor = it->vendor;
        o.version = it->version;
        o.software = it->software;
        o.equipmentId = it->equipmentId;
        o.lastUp = d.now;
        list->erase(it);
        return true;
    }
    return false;
}

void reportToAutofind(Device &d, const AutofindEntry &e) {
    if (listed(d.autofind, e.key()) || listed(d.unreported, e.key())) return;
    (d.portReports(e.at) ? d.autofind : d.unreported).push_back(e);
}

void settle(Device &d) {
    for (Ont &o : d.onts) {
        const Board *b = d.board(o.at.frame, o.at.slot);
        const bool linked = b && b->working();
        if (linked == o.linked) continue;
        if (o.active && o.plugged) {
            if (linked) {
                o.lastUp = d.now;
            } else {
                o.lastDown = d.now;
                o.lastDownCause = "LOS";
            }
        }
        o.linked = linked;
    }
    std::vector<AutofindEntry> reported, quiet;
    for (const AutofindEntry &e : d.autofind)
        (d.portReports(e.at) ? reported : quiet).push_back(e);
    for (AutofindEntry e : d.unreported) {
        if (!d.portReports(e.at)) {
            quiet.push_back(e);
            continue;
        }
        e.time = d.now; // found when its port started to listen
        reported.push_back(e);
    }
    d.autofind = std::move(reported);
    d.unreported = std::move(quiet);
}

QString plugOnt(Device &d, const AutofindEntry &entry) {
    if (!d.portExists(entry.at)) return "no such PON port";
    const Board *b = d.board(entry.at.frame, entry.at.slot);
    if ((b->kind == BoardKind::Gpon) != (entry.pon == PonKind::Gpon)) return "port is of the other PON kind";
    const QString key = entry.key();
    if (key.isEmpty()) return "bad key";
    for (const auto *list : {&d.autofind, &d.unreported})
        for (const AutofindEntry &e : *list)
            if (e.key() == key) return "already plugged at " + e.at.text();
    if (Ont *o = d.ontByKey(key)) {
        if (o->at == entry.at) { // back on its own port: it simply comes up
            o->plugged = true;
            o->lastUp = d.now;
            return {};
        }
        o->plugged = false; // registered elsewhere: it is lost there and shows up here
        o->lastDown = d.now;
        o->lastDownCause = "LOFi";
    }
    (d.portReports(entry.at) ? d.autofind : d.unreported).push_back(entry);
    // An ONT registered on this port by LOID or password comes up when the device carries that key.
    for (Ont &o : d.onts)
        if (o.at == entry.at && !o.plugged && (o.auth == AuthMode::Loid || o.auth == AuthMode::Password) &&
            comeUpIfWaiting(d, o, o.key()))
            break;
    return {};
}

QString unplugOnt(Device &d, const QString &key) {
    const QString sn = normaliseSn(key), mac = normaliseMac(key);
    bool found = false;
    for (auto *list : {&d.autofind, &d.unreported})
        found |= std::erase_if(*list, [&](const AutofindEntry &e) {
                     return (!sn.isEmpty() && e.sn == sn) || (!mac.isEmpty() && e.mac == mac);
                 }) > 0;
    Ont *o = d.ontByKey(key);
    if (o && o->plugged) {
        o->plugged = false;
        o->lastDown = d.now;
        o->lastDownCause = "LOS";
    } else if (!found) {
        return "unknown ONT " + key;
    }
    return {};
}

QString moveOnt(Device &d, const QString &key, PortRef to) {
    Ont *o = d.ontByKey(key);
    if (!o) return "ONT " + key + " is not registered";
    if (o->at == to) return "ONT " + key + " is registered on " + to.text() + " already";
    const AutofindEntry e = autofindEntryOf(*o, to, d.now);
    forget(d, e.key());
    return plugOnt(d, e);
}

} // namespace tw::sim
