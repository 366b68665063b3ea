// Boards and the system: board states, the switch-over, the saved configuration and restarts.
#include "Model.h"

#include <algorithm>

namespace tw::sim {

const std::vector<std::pair<QString, bool>> &knownSwitches() {
    static const std::vector<std::pair<QString, bool>> list = {
        {"security anti-ipattack", true},
        {"security anti-ipspoofing", false},
        {"security anti-macduplicate", false},
        {"security anti-macspoofing", false},
        {"security anti-dos", false},
        {"security anti-icmpattack", false},
        {"security anti-ipv6spoofing", false},
        {"ring check", false},
        {"arp proxy", false},
    };
    return list;
}

bool Device::switchOn(const QString &name) const {
    if (const auto it = switches.find(name); it != switches.end()) return it->second;
    for (const auto &[known, on] : knownSwitches())
        if (known == name) return on;
    return false;
}

std::vector<DbaProfile> factoryDbaProfiles() {
    std::vector<DbaProfile> list;
    for (int i = 1; i <= 9; ++i)
        list.push_back({i, QStringLiteral("dba-profile_%1").arg(i), i <= 5 ? 1 : 4, i <= 5 ? 1024 * i : 0, 0,
                        i <= 5 ? 0 : 1024000});
    return list;
}

bool isFactoryDbaProfile(const DbaProfile &p) {
    for (const DbaProfile &f : factoryDbaProfiles())
        if (f.id == p.id && f.name == p.name && f.type == p.type && f.fix == p.fix && f.assure == p.assure &&
            f.max == p.max)
            return true;
    return false;
}

void raiseAlarm(Device &d, Alarm a) {
    a.serial = ++d.alarmSerial;
    if (a.time.isEmpty()) a.time = d.now;
    d.alarms.push_back(std::move(a));
}

int clearAlarms(Device &d) {
    const int n = int(d.alarms.size());
    d.alarms.clear();
    return n;
}

namespace {

bool configuredOn(const Device &d, const Board &b) {
    for (const Ont &o : d.onts)
        if (o.at.frame == d.frame && o.at.slot == b.slot) return true;
    for (const ServicePort &sp : d.servicePorts)
        if (sp.at.frame == d.frame && sp.at.slot == b.slot) return true;
    const QString prefix = QStringLiteral("%1/%2/").arg(d.frame).arg(b.slot);
    for (const Vlan &v : d.vlans)
        for (const QString &p : v.ports)
            if (p.startsWith(prefix)) return true;
    for (const auto &[port, vlan] : d.nativeVlans)
        if (port.startsWith(prefix)) return true;
    for (const MulticastVlan &m : d.multicastVlans)
        for (const QString &p : m.uplinkPorts)
            if (p.startsWith(prefix)) return true;
    return false;
}

// Everything on the fibre of every port, registered or not, as it reports itself.
std::vector<AutofindEntry> onFibre(const Device &d) {
    std::vector<AutofindEntry> fibre;
    for (const Ont &o : d.onts)
        if (o.plugged) fibre.push_back(autofindEntryOf(o, o.at, d.now));
    fibre.insert(fibre.end(), d.autofind.begin(), d.autofind.end());
    fibre.insert(fibre.end(), d.unreported.begin(), d.unreported.end());
    return fibre;
}

} // namespace

Failure confirmBoard(Device &d, int frame, int slot) {
    Board *b = d.board(frame, slot);
    if (!b) return Failure::NoBoard;
    if (b->state != BoardState::AutoFind) return Failure::BoardConfirmed;
    b->state = BoardState::Normal;
    // A board new to the configuration starts with the factory settings of its ports: auto-find off.
    for (int p = 0; b->isPon() && p < b->ports; ++p)
        d.autofindDisabled.try_emplace(PortRef{frame, slot, p}.text(), true);
    settle(d);
    return Failure::None;
}

Failure confirmFrame(Device &d, int frame) {
    if (frame != d.frame) return Failure::NoFrame;
    for (const Board &b : d.boards)
        if (b.present() && b.state == BoardState::AutoFind) confirmBoard(d, frame, b.slot);
    return Failure::None;
}

Failure powerBoard(Device &d, int frame, int slot, bool on) {
    Board *b = d.board(frame, slot);
    if (!b) return Failure::NoBoard;
    if (b->kind == BoardKind::Control) return Failure::BoardNotSupported;
    if (!on)
        b->state = BoardState::PowerOff;
    else if (b->state == BoardState::PowerOff)
        b->state = BoardState::Normal;
    settle(d);
    return Failure::None;
}

Failure resetBoard(Device &d, int frame, int slot) {
    Board *b = d.board(frame, slot);
    if (!b) return Failure::NoBoard;
    if (b->state == BoardState::PowerOff) return Failure::BoardPoweredOff;
    if (b->kind == BoardKind::Control) return Failure::None; // the standby one restarts in its role
    if (b->state != BoardState::AutoFind) b->state = BoardState::Normal;
    // Its ONTs drop while it restarts and come back with it.
    for (Ont &o : d.onts)
        if (o.at.slot == slot && o.online()) {
            o.lastDown = d.now;
            o.lastDownCause = "LOS";
            o.lastUp = d.now;
        }
    settle(d);
    return Failure::None;
}

Failure deleteBoard(Device &d, int frame, int slot) {
    Board *b = d.board(frame, slot);
    if (!b) return Failure::NoBoard;
    if (b->kind == BoardKind::Control && b->state == BoardState::ActiveNormal)
        return Failure::BoardNotSupported;
    if (configuredOn(d, *b)) return Failure::BoardConfigured;
    for (int p = 0; p < b->ports; ++p)
        d.autofindDisabled.erase(PortRef{frame, slot, p}.text());
    Board empty;
    empty.slot = slot;
    *b = empty;
    settle(d);
    return Failure::None;
}

const Board *activeControlBoard(const Device &d) {
    for (const Board &b : d.boards)
        if (b.present() && b.kind == BoardKind::Control && b.state == BoardState::ActiveNormal) return &b;
    return nullptr;
}

Failure switchOver(Device &d) {
    Board *active = nullptr, *standby = nullptr;
    for (Board &b : d.boards) {
        if (!b.present() || b.kind != BoardKind::Control) continue;
        if (b.state == BoardState::ActiveNormal) active = &b;
        if (b.state == BoardState::StandbyNormal) standby = &b;
    }
    if (!active || !standby) return Failure::StandbyNotReady;
    std::swap(active->state, standby->state);
    return Failure::None;
}

void saveConfiguration(Device &d) {
    auto copy = std::make_shared<Device>(d);
    copy->saved.reset();
    copy->loadedConfiguration.clear();
    copy->activating.clear();
    copy->ontLoad = {};
    d.saved = std::move(copy);
}

void restartDevice(Device &d) {
    if (!d.saved) saveConfiguration(d);
    Device back = *d.saved;
    back.saved = d.saved;
    back.now = d.now;
    back.alarms = d.alarms;
    back.alarmSerial = d.alarmSerial;
    // What was only in memory is gone: a loaded configuration and an ONT loading.
    back.loadedConfiguration.clear();
    back.ontLoad = {};
    // The control boards keep the roles they have now; every other board comes up powered.
    for (Board &b : back.boards) {
        const Board *now = d.board(d.frame, b.slot);
        if (b.kind == BoardKind::Control && now && now->kind == BoardKind::Control)
            b.state = now->state;
        else if (b.state == BoardState::PowerOff)
            b.state = BoardState::Normal;
    }
    back.autofind.clear();
    back.unreported = onFibre(d);
    for (Ont &o : back.onts) {
        o.plugged = false;
        comeUpIfWaiting(back, o, o.key());
    }
    settle(back);
    d = std::move(back);
}

void restartWith(Device &d, Device configured) {
    configured.saved.reset();
    configured.loadedConfiguration.clear();
    d.saved = std::make_shared<const Device>(std::move(configured));
    restartDevice(d);
}

void eraseDevice(Device &d) {
    Device fresh;
    fresh.frame = d.frame;
    fresh.accounts = d.accounts;
    fresh.now = d.now;
    fresh.alarms = d.alarms;
    fresh.alarmSerial = d.alarmSerial;
    // The boards are still in their slots but no longer configured: they wait for "board confirm".
    fresh.boards = d.boards;
    for (Board &b : fresh.boards)
        if (b.present() && b.kind != BoardKind::Control && b.state != BoardState::Failed)
            b.state = BoardState::AutoFind;
    fresh.dbaProfiles = factoryDbaProfiles();
    fresh.lineProfiles = factoryLineProfiles();
    fresh.srvProfiles = factorySrvProfiles();
    fresh.unreported = onFibre(d);
    settle(fresh);
    d = std::move(fresh);
    saveConfiguration(d);
}

} // namespace tw::sim
