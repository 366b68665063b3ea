// The saved configuration as "display current-configuration" prints it: sections in the device's
// order, each listing what is configured in the commands that would configure it again.
#include "Render.h"

#include <algorithm>

namespace tw::sim {

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

static void profileBlock(QString &out, const Profile &p, const char *kind) {
    out += QStringLiteral(" %1 %2 profile-id %3 profile-name \"%4\"\r\n")
               .arg(kind, p.pon == PonKind::Gpon ? "gpon" : "epon")
               .arg(p.id)
               .arg(p.name);
    for (const QString &line : p.lines)
        out += "  " + line + "\r\n";
    out += "  commit\r\n  quit\r\n";
}

QString renderCurrentConfiguration(const Device &d) {
    QString out;
    out += "[MA5600V800R013: 1500]\r\n#\r\n[global-config]\r\n  <global-config>\r\n";
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
                         [&](const auto &known) { return known.first == name; }))
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
    out += "#\r\n[abs-config]\r\n  <abs-config>\r\n";
    for (const DbaProfile &p : d.dbaProfiles)
        if (!isFactoryDbaProfile(p)) // built in: the configuration lists what was added
            out += QStringLiteral(" dba-profile add profile-id %1 profile-name \"%2\" type%3 max %4\r\n")
                       .arg(p.id)
                       .arg(p.name)
                       .arg(p.type)
                       .arg(p.max);
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
    out += "#\r\n[bbs-config]\r\n  <bbs-config>\r\n";
    for (const ServicePort &sp : d.servicePorts)
        out += servicePortLine(sp);
    out += "#\r\n[btv-config]\r\n  <btv-config>\r\n btv\r\n";
    for (const MulticastUser &u : d.multicastUsers)
        out += QStringLiteral(" igmp user add service-port %1 %2 max-program %3\r\n")
                   .arg(u.servicePort)
                   .arg(u.noAuth ? "no-auth" : "auth")
                   .arg(u.maxProgram);
    out += " quit\r\n";
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
    out += "#\r\nreturn\r\n";
    return out;
}

} // namespace tw::sim
