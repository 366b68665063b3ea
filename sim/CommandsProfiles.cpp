// Profiles: DBA profiles, and the line, service and VLAN service profiles with the commands of
// their modes. A profile is created when its mode is entered; "commit" puts the edits in force.
#include "Commands.h"

#include <algorithm>
#include <map>

namespace tw::sim {

namespace {

// dba-profile add profile-id <N> [profile-name "<X>"] type1..type5 fix|assure|max <kbit/s> ...
void dbaProfileAdd(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    if (!c.is(0, "add")) return c.paramError(0);
    if (!c.is(1, "profile-id")) return c.paramError(1);
    auto id = c.number(2, 0, 512);
    if (!id) return c.paramError(2);
    DbaProfile p;
    p.id = *id;
    p.name = QStringLiteral("dba-profile_%1").arg(*id);
    int i = 3;
    if (c.is(i, "profile-name")) {
        if (c.arg(i + 1).isEmpty() || c.arg(i + 1).size() > 32) return c.paramError(i + 1);
        p.name = c.arg(i + 1);
        i += 2;
    }
    const QString type = c.arg(i).toLower();
    if (!QStringList{"type1", "type2", "type3", "type4", "type5"}.contains(type)) return c.paramError(i);
    p.type = type.right(1).toInt();
    p.max = 0;
    for (++i; i < c.argc(); i += 2) {
        auto v = c.number(i + 1, 128, 10240000);
        if (!v) return c.paramError(i + 1);
        if (c.is(i, "fix"))
            p.fix = *v;
        else if (c.is(i, "assure"))
            p.assure = *v;
        else if (c.is(i, "max"))
            p.max = *v;
        else
            return c.paramError(i);
    }
    if (p.max == 0) p.max = std::max(p.fix, p.assure);
    if (p.max == 0) return c.incomplete(); // no bandwidth given at all
    auto &list = c.dev().dbaProfiles;
    for (const DbaProfile &d : list) {
        if (d.id == p.id) return c.fail(Failure::DbaProfileExists);
        if (d.name == p.name) return c.fail(Failure::ProfileNameExists);
    }
    list.insert(std::lower_bound(list.begin(), list.end(), p,
                                 [](const DbaProfile &a, const DbaProfile &b) { return a.id < b.id; }),
                p);
}

// ont-lineprofile|ont-srvprofile gpon|epon profile-id <N> [profile-name "<X>"]
void enterProfile(Call &c, bool line) {
    if (c.argc() < 3) return c.incomplete();
    if (!c.is(0, "gpon") && !c.is(0, "epon")) return c.paramError(0);
    const PonKind pon = c.is(0, "gpon") ? PonKind::Gpon : PonKind::Epon;
    if (!c.is(1, "profile-id")) return c.paramError(1);
    auto id = c.number(2, 0, 8192);
    if (!id) return c.paramError(2);
    QString name;
    if (c.argc() > 3) {
        if (!c.is(3, "profile-name")) return c.paramError(3);
        if (!c.need(5, 5)) return;
        if (c.arg(4).isEmpty() || c.arg(4).size() > 32) return c.paramError(4);
        name = c.arg(4);
    }
    if (Failure f = openProfile(c.dev(), line, pon, *id, name); f != Failure::None) return c.fail(f);
    if (line)
        c.s.pushMode(mode::LineProfile{pon, *id});
    else
        c.s.pushMode(mode::SrvProfile{pon, *id});
}

// The line or service profile the mode edits.
struct ProfileMode {
    bool line;
    PonKind pon;
    int id;
};

ProfileMode profileMode(const Call &c) {
    if (const auto *m = c.s.modeAs<mode::LineProfile>()) return {true, m->pon, m->id};
    const auto &m = c.in<mode::SrvProfile>();
    return {false, m.pon, m.id};
}

// The profile of the mode; created again should another session have taken it away.
Profile &profileOf(Call &c) {
    const ProfileMode m = profileMode(c);
    if (!c.dev().profile(m.line, m.pon, m.id)) openProfile(c.dev(), m.line, m.pon, m.id, {});
    return *c.dev().profile(m.line, m.pon, m.id);
}

// T-CONTs and GEM ports belong to GPON, the LLID to EPON: the other kind does not know the word.
bool forPon(Call &c, PonKind pon) {
    if (profileMode(c).pon == pon) return true;
    c.s.error(CliError::Unknown, c.tokens.front().column);
    return false;
}

void report(Call &c, Failure f) {
    if (f != Failure::None) c.fail(f);
}

QString typed(const Call &c) {
    QStringList words;
    for (const Token &t : c.tokens)
        words << (t.text.contains(' ') ? '"' + t.text + '"' : t.text);
    return words.join(' ');
}

void keep(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    keepProfileLine(profileOf(c), typed(c));
}

void commit(Call &c) {
    if (c.need(0, 0)) commitProfile(profileOf(c));
}

// tcont <id> dba-profile-id <N>
void tcont(Call &c) {
    if (!forPon(c, PonKind::Gpon) || !c.need(3, 3)) return;
    auto id = c.number(0, 0, 127);
    if (!id) return c.paramError(0);
    if (!c.is(1, "dba-profile-id")) return c.paramError(1);
    auto dba = c.number(2, 0, 512);
    if (!dba) return c.paramError(2);
    report(c, setTcont(c.dev(), profileOf(c), *id, *dba));
}

// gem add <index> eth|tdm tcont <id> [encrypt on|off]
void gemAdd(Call &c) {
    if (!forPon(c, PonKind::Gpon) || !c.need(4, 6)) return;
    auto index = c.number(0, 0, 1023);
    if (!index) return c.paramError(0);
    if (!c.is(1, "eth") && !c.is(1, "tdm")) return c.paramError(1);
    if (!c.is(2, "tcont")) return c.paramError(2);
    auto t = c.number(3, 0, 127);
    if (!t) return c.paramError(3);
    if (c.argc() > 4 && !c.is(4, "encrypt")) return c.paramError(4);
    if (c.argc() == 5) return c.incomplete();
    if (c.argc() == 6 && !c.is(5, "on") && !c.is(5, "off")) return c.paramError(5);
    report(c, addGem(profileOf(c), *index, c.arg(1).toLower(), *t));
}

// gem mapping <gem> <index> vlan <V>
void gemMapping(Call &c) {
    if (!forPon(c, PonKind::Gpon) || !c.need(4, 4)) return;
    auto gem = c.number(0, 0, 1023);
    if (!gem) return c.paramError(0);
    auto index = c.number(1, 0, 7);
    if (!index) return c.paramError(1);
    if (!c.is(2, "vlan")) return c.paramError(2);
    auto vlan = c.number(3, 1, 4095);
    if (!vlan) return c.paramError(3);
    report(c, mapGem(profileOf(c), *gem, *index, *vlan));
}

// llid dba-profile-id <N>
void llid(Call &c) {
    if (!forPon(c, PonKind::Epon) || !c.need(2, 2)) return;
    if (!c.is(0, "dba-profile-id")) return c.paramError(0);
    auto dba = c.number(1, 0, 512);
    if (!dba) return c.paramError(1);
    report(c, setLlidDba(c.dev(), profileOf(c), *dba));
}

// ont-port pots|eth|catv adaptive [<max>]|<count> ...; the device keeps "adaptive" with its maximum.
void ontPort(Call &c) {
    if (c.argc() < 2) return c.incomplete();
    static const std::map<QString, int> kinds = {{"pots", 32}, {"eth", 8}, {"catv", 8}, {"iphost", 8}};
    QString pots, eth;
    for (int i = 0; i < c.argc();) {
        const auto kind = kinds.find(c.arg(i).toLower());
        if (kind == kinds.end()) return c.paramError(i);
        QString value;
        if (c.is(i + 1, "adaptive")) {
            auto max = c.number(i + 2, 0, 64);
            value = "adaptive " + QString::number(max ? *max : kind->second);
            i += max ? 3 : 2;
        } else if (auto n = c.number(i + 1, 0, 64)) {
            value = QString::number(*n);
            i += 2;
        } else {
            return c.paramError(i + 1);
        }
        if (kind->first == "pots") pots = value;
        if (kind->first == "eth") eth = value;
    }
    setOntPorts(profileOf(c), pots, eth);
}

// port vlan eth <p> translation <V> user-vlan <U>; other forms are kept as typed.
void portVlanOfOnt(Call &c) {
    if (c.argc() < 3) return c.incomplete();
    static const QStringList types = {"eth", "pots", "iphost", "catv", "wifi", "moca", "e1"};
    if (!types.contains(c.arg(0).toLower())) return c.paramError(0);
    auto port = c.number(1, 1, 24);
    if (!port) return c.paramError(1);
    if (!c.is(0, "eth") || c.argc() == 3) return keep(c);
    if (!c.is(2, "translation")) return c.paramError(2);
    if (!c.need(6, 6)) return;
    auto vlan = c.number(3, 1, 4095);
    if (!vlan) return c.paramError(3);
    if (!c.is(4, "user-vlan")) return c.paramError(4);
    auto user = c.number(5, 1, 4095);
    if (!user) return c.paramError(5);
    report(c, addOntPortVlan(profileOf(c), {*port, *vlan, *user}));
}

const QStringList kMulticastModes = {"untag", "tag", "transparent", "unconcern"};

// port eth <p> multicast-tagstrip untag|tag|transparent|unconcern
void portEth(Call &c) {
    if (!c.need(3, 3)) return;
    auto port = c.number(0, 1, 24);
    if (!port) return c.paramError(0);
    if (!c.is(1, "multicast-tagstrip")) return c.paramError(1);
    if (!kMulticastModes.contains(c.arg(2).toLower())) return c.paramError(2);
    setMulticastTagstrip(profileOf(c), *port, c.arg(2).toLower());
}

void multicastForward(Call &c) {
    if (!c.need(1, 3)) return;
    if (!kMulticastModes.contains(c.arg(0).toLower())) return c.paramError(0);
    QStringList words;
    for (int i = 0; i < c.argc(); ++i)
        words << c.arg(i).toLower();
    setMulticastForward(profileOf(c), words.join(' '));
}

VlanServiceProfile &vlanProfileOf(Call &c) {
    const int id = c.in<mode::VlanSrvProfile>().id;
    auto &list = c.dev().vlanServiceProfiles;
    if (!c.dev().vlanServiceProfile(id)) {
        VlanServiceProfile p;
        p.id = id;
        list.insert(std::lower_bound(list.begin(), list.end(), id,
                                     [](const VlanServiceProfile &p, int id) { return p.id < id; }),
                    p);
    }
    return *c.dev().vlanServiceProfile(id);
}

} // namespace

const CommandTable &profileSetupCommands() {
    static const CommandTable table = {
        {{"dba-profile"}, dbaProfileAdd},
        {{"ont-lineprofile"}, [](Call &c) { enterProfile(c, true); }},
        {{"ont-srvprofile"}, [](Call &c) { enterProfile(c, false); }},
    };
    return table;
}

const CommandTable &lineProfileCommands() {
    static const CommandTable table = {
        {{"tcont"}, tcont}, {{"gem", "add"}, gemAdd}, {{"gem", "mapping"}, gemMapping},
        {{"llid"}, llid},   {{"mapping-mode"}, keep}, {{"fec-upstream"}, keep},
        {{"omcc"}, keep},   {{"commit"}, commit},
    };
    return table;
}

const CommandTable &srvProfileCommands() {
    static const CommandTable table = {
        {{"ont-port"}, ontPort}, {{"port", "vlan"}, portVlanOfOnt},         {{"port", "eth"}, portEth},
        {{"port"}, keep},        {{"multicast-forward"}, multicastForward}, {{"native-vlan"}, keep},
        {{"commit"}, commit},
    };
    return table;
}

const CommandTable &vlanSrvProfileCommands() {
    static const CommandTable table = {
        {{"user-bridging"},
         [](Call &c) {
             if (!c.need(1, 1)) return;
             if (!c.is(0, "enable") && !c.is(0, "disable")) return c.paramError(0);
             VlanServiceProfile &p = vlanProfileOf(c);
             const bool on = c.is(0, "enable");
             if (p.userBridging != on) p.committed = false;
             p.userBridging = on;
         }},
        {{"forwarding"},
         [](Call &c) {
             if (c.argc() == 0) return c.incomplete();
             VlanServiceProfile &p = vlanProfileOf(c);
             if (!p.lines.contains(typed(c))) {
                 p.lines << typed(c);
                 p.committed = false;
             }
         }},
        {{"commit"},
         [](Call &c) {
             if (c.need(0, 0)) vlanProfileOf(c).committed = true;
         }},
    };
    return table;
}

} // namespace tw::sim
