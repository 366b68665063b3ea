// The built-in scenarios, generated from a seed, and the choice between them and a file.
#include "Scenario.h"

#include <QFile>

#include <algorithm>
#include <random>

namespace tw::sim {

namespace {

std::vector<Board> emptySlots(int count) {
    std::vector<Board> boards(count);
    for (int i = 0; i < count; ++i)
        boards[i].slot = i;
    return boards;
}

void putBoard(Device &d, int slot, const char *name, BoardKind kind, int ports,
              BoardState state = BoardState::Normal, const char *subType = "") {
    Board &b = d.boards[slot];
    b.name = name;
    b.kind = kind;
    b.ports = ports;
    b.state = state;
    b.subType = subType;
}

void commonSetup(Device &d) {
    d.accounts = {{"root", "admin"}};
    d.boards = emptySlots(21);
    putBoard(d, 9, "H801SCUN", BoardKind::Control, 0, BoardState::ActiveNormal);
    putBoard(d, 10, "H801SCUN", BoardKind::Control, 0, BoardState::StandbyNormal);
    putBoard(d, 19, "H801GICF", BoardKind::Uplink, 2);
    putBoard(d, 20, "H801X2CS", BoardKind::Uplink, 2);
    d.vlans = {{46, "standard", "common", "MANAGE", {"0/19/1"}},
               {100, "smart", "common", "PPPOE", {"0/19/0"}},
               {200, "smart", "common", "VOIP", {"0/19/0"}},
               {3444, "smart", "common", "IPTV_DIANBO", {"0/19/0"}},
               {3501, "smart", "common", "IPTV_ZUBO", {"0/19/0"}}};
    d.dbaProfiles = factoryDbaProfiles();
    d.dbaProfiles.push_back({10, "DBA_FTTH_4", 4, 0, 0, 102400});
    Profile line{PonKind::Gpon, 1, "FTTH_LINE", {}, {}, true};
    line.content.tconts = {{1, 10}};
    line.content.gems = {{1, "eth", 1}};
    line.content.mappings = {{1, 1, 41}};
    Profile eponLine{PonKind::Epon, 2, "EPON_LINE", {}, {}, true};
    eponLine.content.llidDbaProfile = 10;
    d.lineProfiles = {line, eponLine};
    Profile srv{PonKind::Gpon, 1, "FTTH_SRV", {}, {}, true};
    srv.content.potsPorts = "adaptive 32";
    srv.content.ethPorts = "adaptive 8";
    srv.content.portVlans = {{1, 41, 41}};
    Profile eponSrv{PonKind::Epon, 2, "EPON_SRV", {}, {}, true};
    eponSrv.content.potsPorts = "adaptive 32";
    eponSrv.content.ethPorts = "adaptive 8";
    d.srvProfiles = {srv, eponSrv};
    d.switches = {
        {"security anti-ipattack", true}, {"security anti-macduplicate", true}, {"ring check", true}};
}

QString hex8(quint32 v) {
    return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).toUpper();
}

const char *const kSurnames[] = {"zhang", "wang", "li", "zhao", "chen", "liu", "yang",
                                 "huang", "zhou", "wu", "xu",   "sun",  "ma",  "zhu",
                                 "hu",    "guo",  "he", "lin",  "luo",  "gao"};

} // namespace

Device demoScenario(quint32 seed) {
    std::mt19937 rng(seed);
    Device d;
    commonSetup(d);
    putBoard(d, 1, "H806GPBD", BoardKind::Gpon, 8);
    putBoard(d, 2, "H806GPBD", BoardKind::Gpon, 8);
    putBoard(d, 3, "H803EPBD", BoardKind::Epon, 8);
    putBoard(d, 4, "H805GPFD", BoardKind::Gpon, 16);
    putBoard(d, 5, "H806GPBD", BoardKind::Gpon, 8, BoardState::AutoFind);
    d.screenLength = 40;

    struct Plan {
        int slot, ports, perPort;
    };
    const Plan plans[] = {{1, 8, 12}, {2, 4, 10}, {4, 3, 12}, {3, 4, 7}};
    static const char *const gponModels[][3] = {{"EG8145V5", "159D.A", "V5R019C10S350"},
                                                {"HG8310M", "3FE.A", "V3R017C10S200"},
                                                {"EG8141A5", "16FC.A", "V5R019C00S115"}};
    quint32 counter = 0;
    for (const Plan &plan : plans) {
        for (int port = 0; port < plan.ports; ++port) {
            for (int id = 0; id < plan.perPort; ++id) {
                Ont o;
                o.at = {0, plan.slot, port};
                o.id = id;
                ++counter;
                if (plan.slot == 3) {
                    o.pon = PonKind::Epon;
                    o.auth = AuthMode::Mac;
                    const quint32 r = rng();
                    o.mac = QStringLiteral("00E0-FC%1-%2")
                                .arg(counter & 0xFF, 2, 16, QLatin1Char('0'))
                                .arg(r & 0xFFFF, 4, 16, QLatin1Char('0'))
                                .toUpper();
                    o.management = "oam";
                    o.lineProfile = 2;
                    o.srvProfile = 2;
                    o.vendor = "ZTEG";
                    o.version = "V1.0";
                    o.software = "V2.1.05";
                    o.standbySoftware = "V2.1.01";
                    o.equipmentId = "F400";
                } else {
                    const bool zte = rng() % 10 == 0;
                    o.sn = (zte ? "5A544547" : "48575443") + hex8((rng() & 0xFFFF0000u) | counter);
                    o.vendor = zte ? "ZTEG" : "HWTC";
                    const auto &m = gponModels[rng() % 3];
                    o.equipmentId = zte ? "F660" : m[0];
                    o.version = zte ? "V6.0" : m[1];
                    o.software = zte ? "V6.0.10P2T2" : m[2];
                }
                o.desc = QStringLiteral("%1_%2-%3")
                             .arg(kSurnames[rng() % 20])
                             .arg(plan.slot * 100 + port)
                             .arg(id + 1);
                const quint32 roll = rng() % 100;
                o.plugged = roll >= 10;             // about one in ten is offline
                o.active = roll < 95 || roll >= 97; // a few are deactivated
                if (!o.active) o.plugged = true;
                if (!o.plugged) {
                    o.lastDown = "2024-05-19 21:14:03+08:00";
                    o.lastDownCause = rng() % 2 ? "dying-gasp" : "LOS";
                }
                // The optics have a generator of their own; the two draws before the distance and
                // the one after it stay, since every later SN, name and state of the demo depends on
                // how many draws come before it.
                rng.discard(2);
                o.distance = 300 + int(rng() % 9000);
                rng.discard(1);
                drawOptics(o, seed);
                d.onts.push_back(o);
            }
        }
    }
    // Service ports: internet for every ONT, IPTV with a multicast user for some GPON ONTs.
    int index = 0;
    for (const Ont &o : d.onts) {
        ServicePort sp;
        sp.index = index++;
        sp.vlan = 100;
        sp.at = o.at;
        sp.ont = o.id;
        sp.portType = o.pon == PonKind::Gpon ? "gpon" : "epon";
        sp.gemport = o.pon == PonKind::Gpon ? 1 : -1;
        sp.userVlan = "41";
        sp.up = o.online();
        d.servicePorts.push_back(sp);
        if (o.pon == PonKind::Gpon && o.id % 4 == 1) {
            sp.index = index++;
            sp.vlan = 3444;
            sp.gemport = 2;
            sp.userVlan = "45";
            d.servicePorts.push_back(sp);
            d.multicastUsers.push_back({sp.index});
        }
    }
    // Five ONTs waiting in autofind; the last one is registered on 0/1/3 and was re-plugged on 0/2/6.
    auto waiting = [&](PortRef at, PonKind pon, QString key, const char *time) {
        AutofindEntry e;
        e.at = at;
        e.pon = pon;
        (pon == PonKind::Gpon ? e.sn : e.mac) = key;
        e.time = time;
        if (pon == PonKind::Epon) {
            e.vendor = "ZTEG";
            e.version = "V1.0";
            e.software = "V2.1.05";
            e.equipmentId = "F400";
        }
        d.autofind.push_back(e);
    };
    waiting({0, 1, 2}, PonKind::Gpon, "48575443" + hex8((rng() & 0xFFFF0000u) | 0xF001),
            "2024-05-20 09:12:44+08:00");
    waiting({0, 2, 5}, PonKind::Gpon, "48575443" + hex8((rng() & 0xFFFF0000u) | 0xF002),
            "2024-05-20 09:20:05+08:00");
    waiting({0, 4, 1}, PonKind::Gpon, "5A544547" + hex8((rng() & 0xFFFF0000u) | 0xF003),
            "2024-05-20 09:31:57+08:00");
    waiting({0, 3, 4}, PonKind::Epon,
            QStringLiteral("00E0-FCF0-%1").arg(rng() & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper(),
            "2024-05-20 09:40:18+08:00");
    Ont *moved = d.ont({0, 1, 3}, 5);
    moved->plugged = true;
    moved->active = true;
    waiting({0, 2, 6}, PonKind::Gpon, moved->sn, "2024-05-20 09:47:30+08:00");
    moved->plugged = false;
    moved->lastDown = "2024-05-20 09:46:51+08:00";
    moved->lastDownCause = "LOS";

    raiseAlarm(
        d, {"2024-05-20 07:02:11+08:00", "WARNING", "The board is not confirmed", "FrameID: 0, SlotID: 5"});
    raiseAlarm(d, {"2024-05-20 09:46:51+08:00", "MAJOR", "The ONT is offline (LOS)",
                   "FrameID: 0, SlotID: 1, PortID: 3, ONT ID: 5"});
    // The lookups need the ONTs in port order; the plans above are not (slot 4 comes before 3).
    std::sort(d.onts.begin(), d.onts.end(),
              [](const Ont &a, const Ont &b) { return std::pair(a.at, a.id) < std::pair(b.at, b.id); });
    settle(d);
    return d;
}

Device fullScenario(quint32 seed) {
    std::mt19937 rng(seed);
    Device d;
    commonSetup(d);
    d.screenLength = 40;
    quint32 counter = 0;
    for (int slot : {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18}) {
        putBoard(d, slot, "H805GPFD", BoardKind::Gpon, 16);
        for (int port = 0; port < 16; ++port)
            for (int id = 0; id < 128; ++id) {
                Ont o;
                o.at = {0, slot, port};
                o.id = id;
                o.sn = "48575443" + hex8((rng() & 0xFFFF0000u) | ++counter);
                o.desc = QStringLiteral("%1_%2-%3-%4").arg(kSurnames[rng() % 20]).arg(slot).arg(port).arg(id);
                o.plugged = rng() % 20 != 0;
                drawOptics(o, seed);
                d.onts.push_back(o);
            }
    }
    return d;
}

ScenarioResult loadScenario(const QString &nameOrFile, quint32 seed) {
    if (nameOrFile == "demo") return {demoScenario(seed), {}};
    if (nameOrFile == "full") return {fullScenario(seed), {}};
    QFile file(nameOrFile);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, "cannot read scenario " + nameOrFile + ": " + file.errorString()};
    return scenarioFromJson(file.readAll());
}

} // namespace tw::sim
