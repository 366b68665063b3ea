// Scenario files: the device as JSON, the shape "dump" prints, read back with every problem named.
#include "Scenario.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace tw::sim {

namespace {

const char *kindName(BoardKind k) {
    switch (k) {
    case BoardKind::Gpon:
        return "gpon";
    case BoardKind::Epon:
        return "epon";
    case BoardKind::Control:
        return "control";
    case BoardKind::Uplink:
        return "uplink";
    case BoardKind::Power:
        return "power";
    case BoardKind::Other:
        return "other";
    }
    return "other";
}

const char *stateName(BoardState s) {
    switch (s) {
    case BoardState::Normal:
        return "normal";
    case BoardState::ActiveNormal:
        return "active_normal";
    case BoardState::StandbyNormal:
        return "standby_normal";
    case BoardState::StandbyFailed:
        return "standby_failed";
    case BoardState::Failed:
        return "failed";
    case BoardState::AutoFind:
        return "auto_find";
    case BoardState::PowerOff:
        return "power_off";
    }
    return "normal";
}

const char *authName(AuthMode a) {
    switch (a) {
    case AuthMode::Sn:
        return "sn";
    case AuthMode::Mac:
        return "mac";
    case AuthMode::Loid:
        return "loid";
    case AuthMode::Password:
        return "password";
    }
    return "sn";
}

template <typename E>
std::optional<E> enumFrom(const QString &text, std::initializer_list<E> values, const char *(*name)(E)) {
    for (E v : values)
        if (text.compare(QLatin1String(name(v)), Qt::CaseInsensitive) == 0) return v;
    return std::nullopt;
}

QJsonArray dumpFibre(const std::vector<AutofindEntry> &list) {
    QJsonArray out;
    for (const AutofindEntry &e : list) {
        QJsonObject j{{"port", e.at.text()},    {"pon", e.pon == PonKind::Gpon ? "gpon" : "epon"},
                      {"vendor", e.vendor},     {"version", e.version},
                      {"software", e.software}, {"equipmentId", e.equipmentId},
                      {"time", e.time}};
        if (!e.sn.isEmpty()) j["sn"] = e.sn;
        if (!e.mac.isEmpty()) j["mac"] = e.mac;
        if (!e.loid.isEmpty()) j["loid"] = e.loid;
        if (!e.password.isEmpty()) j["password"] = e.password;
        out.append(j);
    }
    return out;
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

} // namespace

QJsonObject dumpDevice(const Device &d) {
    QJsonObject root;
    root["sysname"] = d.sysname;
    root["frame"] = d.frame;
    root["screenLength"] = d.screenLength;
    root["idleSeconds"] = d.idleSeconds;
    root["now"] = d.now;
    QJsonArray accounts;
    for (const Account &a : d.accounts)
        accounts.append(QJsonObject{{"user", a.user}, {"password", a.password}});
    root["accounts"] = accounts;
    QJsonArray boards;
    for (const Board &b : d.boards) {
        if (!b.present()) continue;
        QJsonObject o{{"slot", b.slot},
                      {"name", b.name},
                      {"kind", kindName(b.kind)},
                      {"state", stateName(b.state)},
                      {"ports", b.ports}};
        if (!b.subType.isEmpty()) o["subType"] = b.subType;
        boards.append(o);
    }
    root["slots"] = int(d.boards.size());
    root["boards"] = boards;
    QJsonArray ports;
    for (const Board &b : d.boards) {
        if (!b.present() || !b.isPon()) continue;
        for (int p = 0; p < b.ports; ++p) {
            const PortRef at{d.frame, b.slot, p};
            const auto it = d.autofindDisabled.find(at.text());
            ports.append(QJsonObject{{"port", at.text()},
                                     {"kind", kindName(b.kind)},
                                     {"onts", int(d.ontsOn(at).size())},
                                     {"autofind", it == d.autofindDisabled.end() || !it->second}});
        }
    }
    root["ports"] = ports;
    QJsonArray onts;
    for (const Ont &o : d.onts) {
        QJsonObject j{{"port", o.at.text()},
                      {"id", o.id},
                      {"pon", o.pon == PonKind::Gpon ? "gpon" : "epon"},
                      {"auth", authName(o.auth)},
                      {"management", o.management},
                      {"lineProfile", o.lineProfile},
                      {"srvProfile", o.srvProfile},
                      {"desc", o.desc},
                      {"active", o.active},
                      {"plugged", o.plugged},
                      {"controlFlag", o.active ? "active" : "deactivated"},
                      {"runState", o.online() ? "online" : "offline"},
                      {"vendor", o.vendor},
                      {"version", o.version},
                      {"software", o.software},
                      {"equipmentId", o.equipmentId},
                      {"rxPower", o.rxPower},
                      {"txPower", o.txPower},
                      {"distance", o.distance},
                      {"temperature", o.temperature}};
        if (!o.sn.isEmpty()) j["sn"] = o.sn;
        if (!o.mac.isEmpty()) j["mac"] = o.mac;
        if (!o.loid.isEmpty()) j["loid"] = o.loid;
        if (!o.password.isEmpty()) j["password"] = o.password;
        if (!o.ip.isEmpty()) j["ip"] = o.ip;
        onts.append(j);
    }
    root["onts"] = onts;
    root["autofind"] = dumpFibre(d.autofind);
    root["unreported"] = dumpFibre(d.unreported);
    QJsonArray sps;
    for (const ServicePort &sp : d.servicePorts) {
        QJsonObject j{{"index", sp.index},   {"vlan", sp.vlan},         {"port", sp.at.text()},
                      {"type", sp.portType}, {"userVlan", sp.userVlan}, {"up", sp.up}};
        if (sp.portType != "eth") j["ont"] = sp.ont;
        if (sp.gemport >= 0) j["gemport"] = sp.gemport;
        sps.append(j);
    }
    root["servicePorts"] = sps;
    QJsonArray users;
    for (const MulticastUser &u : d.multicastUsers)
        users.append(
            QJsonObject{{"servicePort", u.servicePort}, {"noAuth", u.noAuth}, {"maxProgram", u.maxProgram}});
    root["multicastUsers"] = users;
    QJsonArray vlans;
    for (const Vlan &v : d.vlans)
        vlans.append(QJsonObject{{"id", v.id},
                                 {"type", v.type},
                                 {"attrib", v.attrib},
                                 {"desc", v.desc},
                                 {"ports", QJsonArray::fromStringList(v.ports)}});
    root["vlans"] = vlans;
    QJsonArray dba;
    for (const DbaProfile &p : d.dbaProfiles)
        dba.append(QJsonObject{{"id", p.id},
                               {"name", p.name},
                               {"type", p.type},
                               {"fix", p.fix},
                               {"assure", p.assure},
                               {"max", p.max}});
    root["dbaProfiles"] = dba;
    for (const auto &[key, list] :
         {std::pair("lineProfiles", &d.lineProfiles), std::pair("srvProfiles", &d.srvProfiles)}) {
        QJsonArray arr;
        for (const Profile &p : *list)
            arr.append(QJsonObject{{"pon", p.pon == PonKind::Gpon ? "gpon" : "epon"},
                                   {"id", p.id},
                                   {"name", p.name},
                                   {"lines", QJsonArray::fromStringList(p.lines)}});
        root[key] = arr;
    }
    QJsonArray alarms;
    for (const Alarm &a : d.alarms)
        alarms.append(QJsonObject{
            {"time", a.time}, {"level", a.level}, {"name", a.name}, {"parameters", a.parameters}});
    root["alarms"] = alarms;
    QJsonObject switches; // every known switch, at its factory setting unless set
    for (const auto &[name, on] : knownSwitches())
        switches[name] = d.switchOn(name);
    for (const auto &[name, on] : d.switches)
        switches[name] = on;
    root["switches"] = switches;
    root["fans"] = QJsonObject{{"speedMode", d.fans.speedMode}, {"speedLevel", d.fans.speedLevel}};
    root["autosave"] = QJsonObject{
        {"type", d.autosave.type},         {"intervalOn", d.autosave.intervalOn},
        {"interval", d.autosave.interval}, {"timeOn", d.autosave.timeOn},
        {"time", d.autosave.time},         {"configurationInterval", d.autosave.configurationInterval}};
    root["extraConfig"] = QJsonArray::fromStringList(d.extraConfig);
    return root;
}

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
                {}};
        for (const QJsonValue &p : o.value("ports").toArray())
            vl.ports << p.toString();
        if (vl.id < 1 || vl.id > 4095) return {std::nullopt, "vlan with bad id"};
        d.vlans.push_back(vl);
    }
    std::sort(d.vlans.begin(), d.vlans.end(), [](const Vlan &a, const Vlan &b) { return a.id < b.id; });
    for (const QJsonValue &v : root.value("dbaProfiles").toArray()) {
        const QJsonObject o = v.toObject();
        d.dbaProfiles.push_back({o.value("id").toInt(), o.value("name").toString(), o.value("type").toInt(4),
                                 o.value("fix").toInt(), o.value("assure").toInt(),
                                 o.value("max").toInt(1024000)});
    }
    for (auto [key, list] :
         {std::pair("lineProfiles", &d.lineProfiles), std::pair("srvProfiles", &d.srvProfiles)}) {
        for (const QJsonValue &v : root.value(key).toArray()) {
            const QJsonObject o = v.toObject();
            Profile p{o.value("pon").toString("gpon") == "epon" ? PonKind::Epon : PonKind::Gpon,
                      o.value("id").toInt(),
                      o.value("name").toString(),
                      {}};
            for (const QJsonValue &l : o.value("lines").toArray())
                p.lines << l.toString();
            list->push_back(p);
        }
    }
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
        ont.equipmentId = o.value("equipmentId").toString(ont.equipmentId);
        ont.rxPower = o.value("rxPower").toDouble(ont.rxPower);
        ont.txPower = o.value("txPower").toDouble(ont.txPower);
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
    for (const QJsonValue &v : root.value("alarms").toArray())
        d.alarms.push_back(
            {v["time"].toString(), v["level"].toString(), v["name"].toString(), v["parameters"].toString()});
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

} // namespace tw::sim
