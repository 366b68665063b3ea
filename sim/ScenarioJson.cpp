// Scenario files read back: the device as JSON, the shape "dump" prints, with every problem named.
#include "Scenario.h"
#include "ScenarioNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <algorithm>

namespace tw::sim {

using namespace scenario;

namespace {

template <typename E>
std::optional<E> enumFrom(const QString &text, std::initializer_list<E> values, const char *(*name)(E)) {
    for (E v : values)
        if (text.compare(QLatin1String(name(v)), Qt::CaseInsensitive) == 0) return v;
    return std::nullopt;
}

// Reading a scenario: every problem names the element it was found in.
struct Reader {
    QString error;

    bool fail(const QString &why) {
        if (error.isEmpty()) error = why;
        return false;
    }

    std::optional<PortRef> port(const QJsonObject &o, const QString &where) {
        auto p = PortRef::parse(o.value("port").toString());
        if (!p) fail(where + ": bad or missing \"port\"");
        return p;
    }
};

Profile profileFrom(const QJsonObject &o) {
    Profile p;
    p.pon = o.value("pon").toString("gpon") == "epon" ? PonKind::Epon : PonKind::Gpon;
    p.id = o.value("id").toInt();
    p.name = o.value("name").toString();
    p.committed = o.value("committed").toBool(true);
    ProfileContent &c = p.content;
    for (const QJsonValue &t : o.value("tconts").toArray())
        c.tconts.push_back({t["id"].toInt(), t["dbaProfile"].toInt()});
    for (const QJsonValue &g : o.value("gems").toArray())
        c.gems.push_back({g["index"].toInt(), g["service"].toString("eth"), g["tcont"].toInt()});
    for (const QJsonValue &m : o.value("mappings").toArray())
        c.mappings.push_back({m["gem"].toInt(), m["index"].toInt(), m["vlan"].toInt()});
    c.llidDbaProfile = o.value("llidDbaProfile").toInt(0);
    c.potsPorts = o.value("potsPorts").toString();
    c.ethPorts = o.value("ethPorts").toString();
    for (const QJsonValue &v : o.value("portVlans").toArray())
        c.portVlans.push_back({v["port"].toInt(1), v["vlan"].toInt(), v["userVlan"].toInt()});
    const QJsonObject tagstrip = o.value("multicastTagstrip").toObject();
    for (auto it = tagstrip.begin(); it != tagstrip.end(); ++it)
        c.multicastTagstrip[it.key().toInt()] = it.value().toString();
    c.multicastForward = o.value("multicastForward").toString();
    for (const QJsonValue &l : o.value("lines").toArray())
        p.lines << l.toString();
    return p;
}

// Native VLANs, VLAN service profiles, multicast VLANs, IP interfaces and routes; empty, or what
// is wrong with them.
QString readNetwork(const QJsonObject &root, Device &d) {
    const QJsonObject native = root.value("nativeVlans").toObject();
    for (auto it = native.begin(); it != native.end(); ++it) {
        const int vlan = it.value().toInt(-1);
        if (!PortRef::parse(it.key()) || vlan < 1 || vlan > 4095) return "bad native VLAN of " + it.key();
        if (vlan != 1) d.nativeVlans[it.key()] = vlan;
    }
    for (const QJsonValue &v : root.value("vlanServiceProfiles").toArray()) {
        VlanServiceProfile p{v["id"].toInt(), v["userBridging"].toBool(), v["committed"].toBool(true), {}};
        for (const QJsonValue &l : v["lines"].toArray())
            p.lines << l.toString();
        if (p.id < 1 || p.id > 1024) return "VLAN service profile with bad id";
        d.vlanServiceProfiles.push_back(p);
    }
    for (const QJsonValue &v : root.value("multicastVlans").toArray()) {
        MulticastVlan m{v["id"].toInt(),
                        v["igmpVersion"].toString("v3"),
                        v["igmpMode"].toString("off"),
                        v["matchMode"].toBool(true),
                        {},
                        {}};
        for (const QJsonValue &p : v["uplinkPorts"].toArray())
            m.uplinkPorts << p.toString();
        for (const QJsonValue &l : v["lines"].toArray())
            m.lines << l.toString();
        const bool portsOk = std::all_of(m.uplinkPorts.begin(), m.uplinkPorts.end(),
                                         [](const QString &p) { return PortRef::parse(p).has_value(); });
        if (m.id < 1 || m.id > 4095 || !QStringList{"v2", "v3"}.contains(m.igmpVersion) ||
            !QStringList{"off", "proxy", "snooping"}.contains(m.igmpMode) || !portsOk)
            return QStringLiteral("multicast VLAN %1: bad id, IGMP version or mode, or uplink port")
                .arg(m.id);
        d.multicastVlans.push_back(m);
    }
    std::sort(d.multicastVlans.begin(), d.multicastVlans.end(),
              [](const MulticastVlan &a, const MulticastVlan &b) { return a.id < b.id; });
    if (root.contains("ipInterfaces")) d.ipInterfaces.clear();
    for (const QJsonValue &v : root.value("ipInterfaces").toArray()) {
        IpInterface i{v["name"].toString(), v["address"].toString(), v["mask"].toString(),
                      v["description"].toString(), v["arpProxy"].toBool()};
        static const QRegularExpression name("^(meth0|vlanif\\d{1,4})$");
        const bool addressOk =
            i.address.isEmpty() ? i.mask.isEmpty() : parseIpv4(i.address) && parseMaskLength(i.mask);
        if (!name.match(i.name).hasMatch() || !addressOk)
            return "IP interface " + i.name + ": bad name, address or mask";
        d.ipInterfaces.push_back(i);
    }
    for (const QJsonValue &v : root.value("routes").toArray()) {
        StaticRoute r{v["destination"].toString(), v["mask"].toString(), v["gateway"].toString(),
                      v["description"].toString()};
        if (!parseIpv4(r.destination) || !parseMaskLength(r.mask) || !parseIpv4(r.gateway))
            return "route to " + r.destination + ": bad destination, mask or gateway";
        d.routes.push_back(r);
    }
    return {};
}

} // namespace

ScenarioResult scenarioFromJson(const QByteArray &json) {
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (doc.isNull()) return {std::nullopt, "scenario is not valid JSON: " + pe.errorString()};
    if (!doc.isObject()) return {std::nullopt, "scenario must be a JSON object"};
    const QJsonObject root = doc.object();
    Reader r;
    Device d;
    d.sysname = root.value("sysname").toString("MA5680T");
    d.frame = root.value("frame").toInt(0);
    d.screenLength = root.value("screenLength").toInt(40);
    d.idleSeconds = root.value("idleSeconds").toInt(0);
    d.now = root.value("now").toString(d.now);
    if (d.sysname.isEmpty() || d.screenLength < 0 || d.idleSeconds < 0)
        return {std::nullopt, "bad sysname, screenLength or idleSeconds"};
    for (const QJsonValue &v : root.value("accounts").toArray())
        d.accounts.push_back({v["user"].toString(), v["password"].toString()});
    const int slotCount = root.value("slots").toInt(21);
    if (slotCount < 1 || slotCount > 64) return {std::nullopt, "bad \"slots\""};
    d.boards.resize(slotCount);
    for (int i = 0; i < slotCount; ++i)
        d.boards[i].slot = i;
    for (const QJsonValue &v : root.value("boards").toArray()) {
        const QJsonObject o = v.toObject();
        const int slot = o.value("slot").toInt(-1);
        if (slot < 0 || slot >= slotCount) return {std::nullopt, "board with bad \"slot\""};
        Board &b = d.boards[slot];
        b.name = o.value("name").toString();
        auto kind = enumFrom(o.value("kind").toString(),
                             {BoardKind::Gpon, BoardKind::Epon, BoardKind::Control, BoardKind::Uplink,
                              BoardKind::Power, BoardKind::Other},
                             kindName);
        auto state = enumFrom(o.value("state").toString("normal"),
                              {BoardState::Normal, BoardState::ActiveNormal, BoardState::StandbyNormal,
                               BoardState::StandbyFailed, BoardState::Failed, BoardState::AutoFind,
                               BoardState::PowerOff},
                              stateName);
        if (b.name.isEmpty() || !kind || !state)
            return {std::nullopt, QStringLiteral("board in slot %1: bad name, kind or state").arg(slot)};
        b.kind = *kind;
        b.state = *state;
        b.ports = o.value("ports").toInt(b.isPon() ? 8 : 0);
        b.subType = o.value("subType").toString();
        if (b.ports < 0 || b.ports > 16)
            return {std::nullopt, QStringLiteral("board in slot %1: bad ports").arg(slot)};
    }
    for (const QJsonValue &v : root.value("vlans").toArray()) {
        const QJsonObject o = v.toObject();
        Vlan vl{o.value("id").toInt(),
                o.value("type").toString("smart"),
                o.value("attrib").toString("common"),
                o.value("desc").toString(),
                {},
                o.value("serviceProfile").toInt(0)};
        for (const QJsonValue &p : o.value("ports").toArray())
            vl.ports << p.toString();
        if (vl.id < 1 || vl.id > 4095) return {std::nullopt, "vlan with bad id"};
        d.vlans.push_back(vl);
    }
    std::sort(d.vlans.begin(), d.vlans.end(), [](const Vlan &a, const Vlan &b) { return a.id < b.id; });
    if (!root.contains("dbaProfiles")) d.dbaProfiles = factoryDbaProfiles(); // every OLT has them
    for (const QJsonValue &v : root.value("dbaProfiles").toArray()) {
        const QJsonObject o = v.toObject();
        d.dbaProfiles.push_back({o.value("id").toInt(), o.value("name").toString(), o.value("type").toInt(4),
                                 o.value("fix").toInt(), o.value("assure").toInt(),
                                 o.value("max").toInt(1024000)});
    }
    for (auto [key, list] :
         {std::pair("lineProfiles", &d.lineProfiles), std::pair("srvProfiles", &d.srvProfiles)})
        for (const QJsonValue &v : root.value(key).toArray())
            list->push_back(profileFrom(v.toObject()));
    if (QString why = readNetwork(root, d); !why.isEmpty()) return {std::nullopt, why};
    for (const QJsonValue &v : root.value("onts").toArray()) {
        const QJsonObject o = v.toObject();
        auto at = r.port(o, "ont");
        if (!at) return {std::nullopt, r.error};
        const Board *b = d.board(at->frame, at->slot);
        if (!b || !b->isPon() || at->port >= b->ports)
            return {std::nullopt, "ont on " + at->text() + ": no such PON port"};
        Ont ont;
        ont.at = *at;
        ont.id = o.value("id").toInt(-1);
        ont.pon = b->kind == BoardKind::Gpon ? PonKind::Gpon : PonKind::Epon;
        ont.sn = normaliseSn(o.value("sn").toString());
        ont.mac = normaliseMac(o.value("mac").toString());
        ont.loid = o.value("loid").toString();
        ont.password = o.value("password").toString();
        const QString auth = o.value("auth").toString(ont.pon == PonKind::Gpon ? "sn" : "mac");
        auto mode =
            enumFrom(auth, {AuthMode::Sn, AuthMode::Mac, AuthMode::Loid, AuthMode::Password}, authName);
        if (!mode || ont.id < 0 || ont.id > 127 || d.ont(*at, ont.id))
            return {std::nullopt, "ont on " + at->text() + ": bad or repeated id, or bad auth"};
        ont.auth = *mode;
        if (ont.key().isEmpty())
            return {std::nullopt, QStringLiteral("ont %1 %2: its %3 is missing or malformed")
                                      .arg(at->text())
                                      .arg(ont.id)
                                      .arg(auth)};
        ont.management = o.value("management").toString(ont.pon == PonKind::Gpon ? "omci" : "oam");
        ont.lineProfile = o.value("lineProfile").toInt(ont.pon == PonKind::Gpon ? 1 : 2);
        ont.srvProfile = o.value("srvProfile").toInt(ont.pon == PonKind::Gpon ? 1 : 2);
        ont.desc = o.value("desc").toString();
        ont.active = o.value("active").toBool(true);
        ont.plugged = o.value("plugged").toBool(true);
        ont.vendor = o.value("vendor").toString(ont.vendor);
        ont.version = o.value("version").toString(ont.version);
        ont.software = o.value("software").toString(ont.software);
        ont.standbySoftware = o.value("standbySoftware").toString(ont.standbySoftware);
        ont.equipmentId = o.value("equipmentId").toString(ont.equipmentId);
        ont.rxPower = o.value("rxPower").toDouble(ont.rxPower);
        ont.txPower = o.value("txPower").toDouble(ont.txPower);
        // Files without the OLT's reading get it 2.3 dB below the ONT's own.
        ont.oltRxPower = o.value("oltRxPower").toDouble(ont.rxPower - 2.3);
        ont.voltage = o.value("voltage").toDouble(ont.voltage);
        ont.biasCurrent = o.value("biasCurrent").toInt(ont.biasCurrent);
        ont.distance = o.value("distance").toInt(ont.distance);
        ont.temperature = o.value("temperature").toInt(ont.temperature);
        ont.ip = o.value("ip").toString();
        auto pos = std::lower_bound(
            d.onts.begin(), d.onts.end(), std::pair(ont.at, ont.id),
            [](const Ont &x, std::pair<PortRef, int> k) { return std::pair(x.at, x.id) < k; });
        d.onts.insert(pos, ont);
    }
    for (auto [key, list] : {std::pair("autofind", &d.autofind), std::pair("unreported", &d.unreported)})
        for (const QJsonValue &v : root.value(key).toArray()) {
            const QJsonObject o = v.toObject();
            auto at = r.port(o, "autofind entry");
            if (!at) return {std::nullopt, r.error};
            AutofindEntry e;
            e.at = *at;
            const Board *b = d.board(at->frame, at->slot);
            if (!b || !b->isPon() || at->port >= b->ports)
                return {std::nullopt, "autofind entry on " + at->text() + ": no such PON port"};
            e.pon = b->kind == BoardKind::Gpon ? PonKind::Gpon : PonKind::Epon;
            e.sn = normaliseSn(o.value("sn").toString());
            e.mac = normaliseMac(o.value("mac").toString());
            e.loid = o.value("loid").toString();
            e.password = o.value("password").toString();
            e.vendor = o.value("vendor").toString(e.vendor);
            e.version = o.value("version").toString(e.version);
            e.software = o.value("software").toString(e.software);
            e.equipmentId = o.value("equipmentId").toString(e.equipmentId);
            e.time = o.value("time").toString(d.now);
            if (e.key().isEmpty())
                return {std::nullopt, "autofind entry on " + at->text() + ": missing or malformed sn/mac"};
            list->push_back(e);
        }
    for (const QJsonValue &v : root.value("servicePorts").toArray()) {
        const QJsonObject o = v.toObject();
        auto at = r.port(o, "service port");
        if (!at) return {std::nullopt, r.error};
        ServicePort sp;
        sp.index = o.value("index").toInt(-1);
        sp.vlan = o.value("vlan").toInt();
        sp.at = *at;
        sp.portType = o.value("type").toString("gpon");
        sp.ont = o.value("ont").toInt();
        sp.gemport = o.value("gemport").toInt(-1);
        sp.userVlan = o.value("userVlan").toString("untagged");
        sp.tagTransform = o.value("tagTransform").toString(sp.tagTransform);
        sp.rxCttr = o.value("rxCttr").toInt(-1);
        sp.txCttr = o.value("txCttr").toInt(-1);
        sp.up = o.value("up").toBool(true);
        if (sp.index < 0) return {std::nullopt, "service port with bad index"};
        if (Failure f = addServicePort(d, sp, true); f != Failure::None)
            return {std::nullopt,
                    QStringLiteral("service port %1: refused (VLAN, port or ONT missing, or repeated)")
                        .arg(sp.index)};
    }
    for (const QJsonValue &v : root.value("multicastUsers").toArray()) {
        const int sp = v["servicePort"].toInt(-1);
        if (!d.servicePort(sp))
            return {std::nullopt, QStringLiteral("multicast user on unknown service port %1").arg(sp)};
        d.multicastUsers.push_back({sp, v["noAuth"].toBool(true), v["maxProgram"].toInt(8)});
    }
    for (const QJsonValue &v : root.value("alarms").toArray()) {
        Alarm a{v["time"].toString(), v["level"].toString(), v["name"].toString(), v["parameters"].toString(),
                v["serial"].toInt(0)};
        if (a.serial <= 0) a.serial = d.alarmSerial + 1; // numbered in file order when the file has none
        d.alarmSerial = std::max(d.alarmSerial, a.serial);
        d.alarms.push_back(a);
    }
    d.alarmSerial = std::max(d.alarmSerial, root.value("alarmSerial").toInt(0));
    const QJsonObject fans = root.value("fans").toObject();
    d.fans.speedMode = fans.value("speedMode").toString(d.fans.speedMode);
    d.fans.speedLevel = fans.value("speedLevel").toInt(d.fans.speedLevel);
    if (!QStringList{"auto emu", "auto mainboard"}.contains(d.fans.speedMode) || d.fans.speedLevel < 0 ||
        d.fans.speedLevel > 5)
        return {std::nullopt, "bad fans: speedMode is auto emu or auto mainboard, speedLevel 0 to 5"};
    const QJsonObject fanAlarms = fans.value("alarms").toObject();
    for (auto it = fanAlarms.begin(); it != fanAlarms.end(); ++it) {
        if (!d.fans.alarms.count(it.key())) return {std::nullopt, "unknown fan alarm " + it.key()};
        d.fans.alarms[it.key()] = it.value().toBool(true);
    }
    const QJsonObject switches = root.value("switches").toObject();
    for (auto it = switches.begin(); it != switches.end(); ++it)
        d.switches[it.key()] = it.value().toBool();
    for (const QJsonValue &v : root.value("extraConfig").toArray())
        d.extraConfig << v.toString();
    for (const QJsonValue &v : root.value("ports").toArray())
        if (!v["autofind"].toBool(true)) d.autofindDisabled[v["port"].toString()] = true;
    const QJsonObject autosave = root.value("autosave").toObject();
    d.autosave.type = autosave.value("type").toString(d.autosave.type);
    d.autosave.intervalOn = autosave.value("intervalOn").toBool(d.autosave.intervalOn);
    d.autosave.interval = autosave.value("interval").toInt(d.autosave.interval);
    d.autosave.timeOn = autosave.value("timeOn").toBool(d.autosave.timeOn);
    d.autosave.time = autosave.value("time").toString(d.autosave.time);
    d.autosave.configurationInterval =
        autosave.value("configurationInterval").toInt(d.autosave.configurationInterval);
    for (Ont &o : d.onts) { // as the file has them, not as a change that just happened
        const Board *b = d.board(o.at.frame, o.at.slot);
        o.linked = b && b->working();
    }
    settle(d);
    return {std::move(d), {}};
}

ScenarioResult deviceFromDatabase(const QByteArray &file) {
    const QByteArray header = QByteArray(kDatabaseHeader) + "\r\n";
    if (!file.startsWith(header)) return {std::nullopt, "not a database file"};
    return scenarioFromJson(file.mid(header.size()));
}

} // namespace tw::sim
