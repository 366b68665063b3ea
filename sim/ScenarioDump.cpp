// The device as the control channel's "dump" prints it: the shape scenario files have.
#include "Scenario.h"
#include "ScenarioNames.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace tw::sim {

using namespace scenario;

namespace {

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

// A profile with what it holds; the parts a profile of its kind does not use are left out.
QJsonObject dumpProfile(const Profile &p) {
    const ProfileContent &c = p.content;
    QJsonObject j{{"pon", p.pon == PonKind::Gpon ? "gpon" : "epon"},
                  {"id", p.id},
                  {"name", p.name},
                  {"committed", p.committed}};
    QJsonArray tconts, gems, mappings, portVlans;
    for (const Tcont &t : c.tconts)
        tconts.append(QJsonObject{{"id", t.id}, {"dbaProfile", t.dbaProfile}});
    for (const Gem &g : c.gems)
        gems.append(QJsonObject{{"index", g.index}, {"service", g.service}, {"tcont", g.tcont}});
    for (const GemMapping &m : c.mappings)
        mappings.append(QJsonObject{{"gem", m.gem}, {"index", m.index}, {"vlan", m.vlan}});
    for (const OntPortVlan &v : c.portVlans)
        portVlans.append(QJsonObject{{"port", v.port}, {"vlan", v.vlan}, {"userVlan", v.userVlan}});
    if (!tconts.isEmpty()) j["tconts"] = tconts;
    if (!gems.isEmpty()) j["gems"] = gems;
    if (!mappings.isEmpty()) j["mappings"] = mappings;
    if (c.llidDbaProfile > 0) j["llidDbaProfile"] = c.llidDbaProfile;
    if (!c.potsPorts.isEmpty()) j["potsPorts"] = c.potsPorts;
    if (!c.ethPorts.isEmpty()) j["ethPorts"] = c.ethPorts;
    if (!portVlans.isEmpty()) j["portVlans"] = portVlans;
    QJsonObject tagstrip;
    for (const auto &[port, mode] : c.multicastTagstrip)
        tagstrip[QString::number(port)] = mode;
    if (!tagstrip.isEmpty()) j["multicastTagstrip"] = tagstrip;
    if (!c.multicastForward.isEmpty()) j["multicastForward"] = c.multicastForward;
    if (!p.lines.isEmpty()) j["lines"] = QJsonArray::fromStringList(p.lines);
    return j;
}

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
                      {"standbySoftware", o.standbySoftware},
                      {"equipmentId", o.equipmentId},
                      {"rxPower", o.rxPower},
                      {"txPower", o.txPower},
                      {"oltRxPower", o.oltRxPower},
                      {"voltage", o.voltage},
                      {"biasCurrent", o.biasCurrent},
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
        if (sp.rxCttr >= 0) {
            j["rxCttr"] = sp.rxCttr;
            j["txCttr"] = sp.txCttr;
        } else {
            j["tagTransform"] = sp.tagTransform;
        }
        sps.append(j);
    }
    root["servicePorts"] = sps;
    QJsonArray users;
    for (const MulticastUser &u : d.multicastUsers)
        users.append(
            QJsonObject{{"servicePort", u.servicePort}, {"noAuth", u.noAuth}, {"maxProgram", u.maxProgram}});
    root["multicastUsers"] = users;
    QJsonArray vlans;
    for (const Vlan &v : d.vlans) {
        QJsonObject j{{"id", v.id},
                      {"type", v.type},
                      {"attrib", v.attrib},
                      {"desc", v.desc},
                      {"ports", QJsonArray::fromStringList(v.ports)}};
        if (v.serviceProfile > 0) j["serviceProfile"] = v.serviceProfile;
        vlans.append(j);
    }
    root["vlans"] = vlans;
    QJsonObject native;
    for (const auto &[port, vlan] : d.nativeVlans)
        native[port] = vlan;
    root["nativeVlans"] = native;
    QJsonArray vlanProfiles;
    for (const VlanServiceProfile &p : d.vlanServiceProfiles)
        vlanProfiles.append(QJsonObject{{"id", p.id},
                                        {"userBridging", p.userBridging},
                                        {"committed", p.committed},
                                        {"lines", QJsonArray::fromStringList(p.lines)}});
    root["vlanServiceProfiles"] = vlanProfiles;
    QJsonArray mvlans;
    for (const MulticastVlan &m : d.multicastVlans)
        mvlans.append(QJsonObject{{"id", m.id},
                                  {"igmpVersion", m.igmpVersion},
                                  {"igmpMode", m.igmpMode},
                                  {"matchMode", m.matchMode},
                                  {"uplinkPorts", QJsonArray::fromStringList(m.uplinkPorts)},
                                  {"lines", QJsonArray::fromStringList(m.lines)}});
    root["multicastVlans"] = mvlans;
    QJsonArray interfaces;
    for (const IpInterface &i : d.ipInterfaces)
        interfaces.append(QJsonObject{{"name", i.name},
                                      {"address", i.address},
                                      {"mask", i.mask},
                                      {"description", i.description},
                                      {"arpProxy", i.arpProxy}});
    root["ipInterfaces"] = interfaces;
    QJsonArray routes;
    for (const StaticRoute &r : d.routes)
        routes.append(QJsonObject{{"destination", r.destination},
                                  {"mask", r.mask},
                                  {"gateway", r.gateway},
                                  {"description", r.description}});
    root["routes"] = routes;
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
            arr.append(dumpProfile(p));
        root[key] = arr;
    }
    QJsonArray alarms;
    for (const Alarm &a : d.alarms)
        alarms.append(QJsonObject{{"serial", a.serial},
                                  {"time", a.time},
                                  {"level", a.level},
                                  {"name", a.name},
                                  {"parameters", a.parameters}});
    root["alarms"] = alarms;
    root["alarmSerial"] = d.alarmSerial;
    QJsonObject switches; // every known switch, at its factory setting unless set
    for (const auto &[name, on] : knownSwitches())
        switches[name] = d.switchOn(name);
    for (const auto &[name, on] : d.switches)
        switches[name] = on;
    root["switches"] = switches;
    QJsonObject fanAlarms; // true: permit, the alarm is reported
    for (const auto &[name, permit] : d.fans.alarms)
        fanAlarms[name] = permit;
    root["fans"] = QJsonObject{
        {"speedMode", d.fans.speedMode}, {"speedLevel", d.fans.speedLevel}, {"alarms", fanAlarms}};
    root["autosave"] = QJsonObject{
        {"type", d.autosave.type},         {"intervalOn", d.autosave.intervalOn},
        {"interval", d.autosave.interval}, {"timeOn", d.autosave.timeOn},
        {"time", d.autosave.time},         {"configurationInterval", d.autosave.configurationInterval}};
    root["extraConfig"] = QJsonArray::fromStringList(d.extraConfig);
    return root;
}

QByteArray databaseFile(const Device &d) {
    return QByteArray(kDatabaseHeader) + "\r\n" + QJsonDocument(dumpDevice(d)).toJson(QJsonDocument::Compact);
}

} // namespace tw::sim
