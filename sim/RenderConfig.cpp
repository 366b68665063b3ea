// The saved configuration as "display current-configuration" prints it: sections in the device's
// order, each listing what is configured in the commands that would configure it again.
#include "Render.h"

#include <algorithm>
#include <map>

namespace tw::sim {

// The parts of a configuration that the whole and the ONT and service-port extracts share.
const QString kConfigHeader = QStringLiteral("[MA5600V800R013: 1500]\r\n");
const QString kServicePortSection = QStringLiteral("#\r\n[bbs-config]\r\n  <bbs-config>\r\n");
const QString kConfigEnd = QStringLiteral("#\r\nreturn\r\n");

static QString quoted(const QString &s) {
    return '"' + s + '"';
}

QString renderOntConfiguration(const Device &, const Ont &o) {
    QString out = QStringLiteral(" ont add %1 %2 ").arg(o.at.port).arg(o.id);
    switch (o.auth) {
    case AuthMode::Sn:
        out += "sn-auth " + quoted(o.sn);
        break;
    case AuthMode::Mac:
        out += "mac-auth " + o.mac;
        break;
    case AuthMode::Loid:
        out += "loid-auth " + quoted(o.loid) + " always-on";
        break;
    case AuthMode::Password:
        out += "password-auth " + quoted(o.password) + " always-on";
        break;
    }
    out += ' ' + o.management + " ont-lineprofile-id " + QString::number(o.lineProfile);
    if (o.srvProfile >= 0) out += " ont-srvprofile-id " + QString::number(o.srvProfile);
    if (!o.desc.isEmpty()) out += " desc " + quoted(o.desc);
    out += "\r\n";
    if (!o.active) out += QStringLiteral(" ont deactivate %1 %2\r\n").arg(o.at.port).arg(o.id);
    if (!o.ip.isEmpty())
        out +=
            QStringLiteral(" ont ipconfig %1 %2 static ip-address %3\r\n").arg(o.at.port).arg(o.id).arg(o.ip);
    return out;
}

static QString servicePortLine(const ServicePort &sp) {
    QString out = QStringLiteral(" service-port %1 vlan %2 %3 %4")
                      .arg(sp.index)
                      .arg(sp.vlan)
                      .arg(sp.portType, sp.at.text());
    if (sp.portType != "eth") out += " ont " + QString::number(sp.ont);
    if (sp.gemport >= 0) out += " gemport " + QString::number(sp.gemport);
    out += " multi-service user-vlan " + sp.userVlan;
    if (sp.rxCttr >= 0)
        out += QStringLiteral(" rx-cttr %1 tx-cttr %2").arg(sp.rxCttr).arg(sp.txCttr);
    else
        out += " tag-transform " + sp.tagTransform;
    return out + "\r\n";
}

QString renderServicePortConfiguration(const Device &, const std::vector<const ServicePort *> &list) {
    QString out;
    for (const ServicePort *sp : list)
        out += servicePortLine(*sp);
    return out;
}

static QString word(const QString &s) {
    return s.contains(' ') || s.isEmpty() ? quoted(s) : s;
}

static void profileBlock(QString &out, const Profile &p, const char *kind) {
    out += QStringLiteral(" %1 %2 profile-id %3 profile-name \"%4\"\r\n")
               .arg(kind, p.pon == PonKind::Gpon ? "gpon" : "epon")
               .arg(p.id)
               .arg(p.name);
    const ProfileContent &c = p.content;
    for (const Tcont &t : c.tconts)
        out += QStringLiteral("  tcont %1 dba-profile-id %2\r\n").arg(t.id).arg(t.dbaProfile);
    for (const Gem &g : c.gems)
        out += QStringLiteral("  gem add %1 %2 tcont %3\r\n").arg(g.index).arg(g.service).arg(g.tcont);
    for (const GemMapping &m : c.mappings)
        out += QStringLiteral("  gem mapping %1 %2 vlan %3\r\n").arg(m.gem).arg(m.index).arg(m.vlan);
    if (c.llidDbaProfile > 0) out += QStringLiteral("  llid dba-profile-id %1\r\n").arg(c.llidDbaProfile);
    if (!c.potsPorts.isEmpty() || !c.ethPorts.isEmpty()) {
        out += "  ont-port";
        if (!c.potsPorts.isEmpty()) out += " pots " + c.potsPorts;
        if (!c.ethPorts.isEmpty()) out += " eth " + c.ethPorts;
        out += "\r\n";
    }
    for (const OntPortVlan &v : c.portVlans)
        out += QStringLiteral("  port vlan eth %1 translation %2 user-vlan %3\r\n")
                   .arg(v.port)
                   .arg(v.vlan)
                   .arg(v.userVlan);
    for (const auto &[port, mode] : c.multicastTagstrip)
        out += QStringLiteral("  port eth %1 multicast-tagstrip %2\r\n").arg(port).arg(mode);
    if (!c.multicastForward.isEmpty()) out += "  multicast-forward " + c.multicastForward + "\r\n";
    for (const QString &line : p.lines)
        out += "  " + line + "\r\n";
    out += "  commit\r\n  quit\r\n";
}

static QString dbaLine(const DbaProfile &p) {
    QString out = QStringLiteral(" dba-profile add profile-id %1 profile-name \"%2\" type%3")
                      .arg(p.id)
                      .arg(p.name)
                      .arg(p.type);
    if (p.type == 1 || p.type == 5) out += QStringLiteral(" fix %1").arg(p.fix);
    if (p.type == 2 || p.type == 3 || p.type == 5) out += QStringLiteral(" assure %1").arg(p.assure);
    if (p.type >= 3) out += QStringLiteral(" max %1").arg(p.max);
    return out + "\r\n";
}

// The interface sections: native VLANs of the uplink ports, meth0 and the VLAN interfaces.
static void interfaceSections(QString &out, const Device &d) {
    std::map<QString, QString> boards; // "0/19" -> its lines
    for (const auto &[port, vlan] : d.nativeVlans) {
        const int cut = port.lastIndexOf('/');
        boards[port.left(cut)] +=
            QStringLiteral(" native-vlan %1 vlan %2\r\n").arg(port.mid(cut + 1)).arg(vlan);
    }
    if (!boards.empty()) out += "#\r\n[giu]\r\n";
    for (const auto &[board, lines] : boards)
        out += QStringLiteral("  <giu-%1>\r\n interface giu %1\r\n").arg(board) + lines;
    auto block = [](const IpInterface &i) {
        QString lines = QStringLiteral("  <%1>\r\n interface %1\r\n").arg(i.name);
        if (!i.address.isEmpty()) {
            lines += " ip address " + i.address + ' ' + i.mask;
            if (!i.description.isEmpty()) lines += " description " + word(i.description);
            lines += "\r\n";
        }
        if (i.arpProxy) lines += " arp proxy enable\r\n";
        return lines;
    };
    for (const IpInterface &i : d.ipInterfaces)
        if (i.name == "meth0") out += "#\r\n[meth]\r\n" + block(i);
    bool first = true;
    for (const IpInterface &i : d.ipInterfaces) {
        if (!i.name.startsWith("vlanif")) continue;
        if (std::exchange(first, false)) out += "#\r\n[vlanif]\r\n";
        out += block(i);
    }
}

QString renderCurrentConfiguration(const Device &d) {
    QString out;
    out += kConfigHeader + "#\r\n[global-config]\r\n  <global-config>\r\n";
    out += " sysname " + d.sysname + "\r\n";
    if (d.idleSeconds > 0) {
        out += QStringLiteral(" idle-timeout %1").arg(d.idleSeconds / 60);
        if (d.idleSeconds % 60) out += ' ' + QString::number(d.idleSeconds % 60);
        out += "\r\n";
    }
    // Global switches show only where they differ from the factory setting.
    for (const auto &[name, factory] : knownSwitches())
        if (d.switchOn(name) != factory) out += ' ' + name + (factory ? " disable" : " enable") + "\r\n";
    for (const auto &[name, on] : d.switches)
        if (std::none_of(knownSwitches().begin(), knownSwitches().end(),
                         [&n = name](const auto &known) { return known.first == n; }))
            out += ' ' + name + (on ? " enable" : " disable") + "\r\n";
    out += "#\r\n[pre-config]\r\n  <pre-config>\r\n";
    for (const Board &b : d.boards)
        if (b.present() && b.state != BoardState::AutoFind)
            out += QStringLiteral(" board add %1/%2 %3\r\n").arg(d.frame).arg(b.slot).arg(b.name);
    out += "#\r\n[vlan-config]\r\n  <vlan-config>\r\n";
    for (const Vlan &v : d.vlans) {
        out += QStringLiteral(" vlan %1 %2\r\n").arg(v.id).arg(v.type);
        if (v.attrib != "common") out += QStringLiteral(" vlan attrib %1 %2\r\n").arg(v.id).arg(v.attrib);
        if (!v.desc.isEmpty())
            out += QStringLiteral(" vlan desc %1 description \"%2\"\r\n").arg(v.id).arg(v.desc);
    }
    for (const Vlan &v : d.vlans)
        for (const QString &p : v.ports) {
            const int cut = p.lastIndexOf('/');
            out += QStringLiteral(" port vlan %1 %2 %3\r\n").arg(v.id).arg(p.left(cut), p.mid(cut + 1));
        }
    for (const VlanServiceProfile &p : d.vlanServiceProfiles) {
        out += QStringLiteral(" vlan service-profile profile-id %1\r\n").arg(p.id);
        if (p.userBridging) out += "  user-bridging enable\r\n";
        for (const QString &line : p.lines)
            out += "  " + line + "\r\n";
        out += "  commit\r\n";
    }
    for (const Vlan &v : d.vlans)
        if (v.serviceProfile > 0)
            out += QStringLiteral(" vlan bind service-profile %1 profile-id %2\r\n")
                       .arg(v.id)
                       .arg(v.serviceProfile);
    out += "#\r\n[abs-config]\r\n  <abs-config>\r\n";
    for (const DbaProfile &p : d.dbaProfiles)
        if (!isFactoryDbaProfile(p)) out += dbaLine(p); // built in: the configuration lists what was added
    for (const Profile &p : d.lineProfiles)
        profileBlock(out, p, "ont-lineprofile");
    for (const Profile &p : d.srvProfiles)
        profileBlock(out, p, "ont-srvprofile");
    for (PonKind pon : {PonKind::Gpon, PonKind::Epon}) {
        out += pon == PonKind::Gpon ? "#\r\n[gpon]\r\n" : "#\r\n[epon]\r\n";
        const char *kind = pon == PonKind::Gpon ? "gpon" : "epon";
        for (const Board &b : d.boards) {
            // An unconfirmed board has no configuration yet.
            if (!b.present() || b.state == BoardState::AutoFind ||
                b.kind != (pon == PonKind::Gpon ? BoardKind::Gpon : BoardKind::Epon))
                continue;
            QString lines;
            for (int p = 0; p < b.ports; ++p) {
                const QString port = QStringLiteral("%1/%2/%3").arg(d.frame).arg(b.slot).arg(p);
                const auto it = d.autofindDisabled.find(port);
                if (it == d.autofindDisabled.end() || !it->second)
                    lines += QStringLiteral(" port %1 ont-auto-find enable\r\n").arg(p);
            }
            for (const Ont &o : d.onts)
                if (o.at.slot == b.slot) lines += renderOntConfiguration(d, o);
            if (!lines.isEmpty())
                out += QStringLiteral("  <%1-%2/%3>\r\n interface %1 %2/%3\r\n")
                           .arg(kind)
                           .arg(d.frame)
                           .arg(b.slot) +
                       lines;
        }
    }
    interfaceSections(out, d);
    out += kServicePortSection;
    for (const ServicePort &sp : d.servicePorts)
        out += servicePortLine(sp);
    out += "#\r\n[btv-config]\r\n  <btv-config>\r\n btv\r\n";
    for (const MulticastUser &u : d.multicastUsers)
        out += QStringLiteral(" igmp user add service-port %1 %2 max-program %3\r\n")
                   .arg(u.servicePort)
                   .arg(u.noAuth ? "no-auth" : "auth")
                   .arg(u.maxProgram);
    for (const MulticastVlan &m : d.multicastVlans) {
        out += QStringLiteral(" multicast-vlan %1\r\n").arg(m.id);
        if (m.igmpVersion != "v3") out += "  igmp version " + m.igmpVersion + "\r\n";
        if (!m.matchMode) out += "  igmp match mode disable\r\n";
        if (m.igmpMode != "off") out += "  igmp mode " + m.igmpMode + "\r\n";
        for (const QString &port : m.uplinkPorts)
            out += "  igmp uplink-port " + port + "\r\n";
        for (const QString &line : m.lines)
            out += "  " + line + "\r\n";
    }
    if (!d.routes.empty()) out += "#\r\n[post-system]\r\n  <post-system>\r\n";
    for (const StaticRoute &r : d.routes) {
        out += " ip route-static " + r.destination + ' ' + r.mask + ' ' + r.gateway;
        if (!r.description.isEmpty()) out += " description " + word(r.description);
        out += "\r\n";
    }
    out += "#\r\n[platform-config]\r\n  <platform-config>\r\n";
    const Autosave &a = d.autosave;
    out += " autosave type " + a.type + "\r\n";
    out += QStringLiteral(" autosave interval %1\r\n autosave interval %2\r\n")
               .arg(a.intervalOn ? "on" : "off")
               .arg(a.interval);
    out += QStringLiteral(" autosave time %1\r\n autosave time %2\r\n").arg(a.timeOn ? "on" : "off", a.time);
    out += QStringLiteral(" autosave interval configuration %1\r\n").arg(a.configurationInterval);
    for (const QString &line : d.extraConfig)
        out += ' ' + line + "\r\n";
    out += "#\r\n[emu-config]\r\n  <emu-config>\r\n emu add 0 fan 0 1  \"H801FCBI\"\r\n";
    return out + kConfigEnd;
}

QString renderOntCurrentConfiguration(const Device &d, const Ont &o,
                                      const std::vector<const ServicePort *> &servicePorts) {
    return kConfigHeader +
           QStringLiteral("#\r\n[gpon]\r\n  <%1-%2/%3>\r\n interface %1 %2/%3\r\n")
               .arg(o.pon == PonKind::Gpon ? "gpon" : "epon")
               .arg(o.at.frame)
               .arg(o.at.slot) +
           renderOntConfiguration(d, o) + kServicePortSection +
           renderServicePortConfiguration(d, servicePorts) + kConfigEnd;
}

QString renderServicePortCurrentConfiguration(const Device &d, const std::vector<const ServicePort *> &list) {
    return kConfigHeader + kServicePortSection + renderServicePortConfiguration(d, list) + kConfigEnd;
}

} // namespace tw::sim
