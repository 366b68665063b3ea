// Registration in the GPON and EPON interface modes: "ont add" one ONT by SN, MAC, LOID or password,
// and "ont confirm" every ONT waiting in a port's autofind list.
#include "Commands.h"

namespace tw::sim {

namespace {

// The lengths the CLI takes for the keys typed as text.
bool keyFits(AuthMode auth, const QString &key) {
    if (auth == AuthMode::Loid) return !key.isEmpty() && key.size() <= 24;
    if (auth == AuthMode::Password) return !key.isEmpty() && key.size() <= 10;
    return true;
}

// ont add <port> [<id>] sn-auth|mac-auth|loid-auth|password-auth <key> [always-on|once-on [<h>]]
//   omci|oam|snmp ont-lineprofile-id|-name <l> [ont-srvprofile-id|-name <s>] [desc "<text>"]
void ontAdd(Call &c) {
    const mode::PonInterface &m = c.in<mode::PonInterface>();
    auto p = ponPort(c, 0);
    if (!p) return;
    AddOntRequest req;
    req.at = portOf(c, *p);
    req.pon = m.pon;
    int i = 1;
    if (auto id = c.number(i, 0, 127)) {
        req.id = id;
        ++i;
    } else if (c.arg(i).toInt() > 127) {
        return c.paramError(i);
    }
    const QString auth = c.arg(i).toLower();
    if (auth == "sn-auth" && m.pon == PonKind::Gpon) {
        req.auth = AuthMode::Sn;
        if (normaliseSn(c.arg(i + 1)).isEmpty()) return c.paramError(i + 1);
    } else if (auth == "mac-auth" && m.pon == PonKind::Epon) {
        req.auth = AuthMode::Mac;
        if (normaliseMac(c.arg(i + 1)).isEmpty()) return c.paramError(i + 1);
    } else if (auth == "loid-auth") {
        req.auth = AuthMode::Loid;
    } else if (auth == "password-auth") {
        req.auth = AuthMode::Password;
    } else {
        return c.paramError(i);
    }
    if (c.argc() <= i + 1) return c.incomplete();
    req.key = c.arg(i + 1);
    if (!keyFits(req.auth, req.key)) return c.paramError(i + 1);
    i += 2;
    req.management.clear();
    bool haveLine = false;
    while (i < c.argc()) {
        const QString w = c.arg(i).toLower();
        if (w == "always-on" || w == "once-on") {
            ++i;
            if (auto t = c.number(i, 1, 168)) ++i; // optional timeout of once-on
        } else if (w == "omci" || w == "snmp" || (w == "oam" && m.pon == PonKind::Epon)) {
            req.management = w;
            ++i;
        } else if (w == "ont-lineprofile-id" || w == "ont-srvprofile-id") {
            auto id = c.number(i + 1, 0, 8192);
            if (!id) return c.paramError(i + 1);
            (w == "ont-lineprofile-id" ? req.lineProfile : req.srvProfile) = *id;
            haveLine = haveLine || w == "ont-lineprofile-id";
            i += 2;
        } else if (w == "ont-lineprofile-name" || w == "ont-srvprofile-name") {
            const auto &list = w == "ont-lineprofile-name" ? c.dev().lineProfiles : c.dev().srvProfiles;
            int found = -1;
            for (const Profile &pr : list)
                if (pr.pon == m.pon && pr.name == c.arg(i + 1)) found = pr.id;
            if (found < 0)
                return c.fail(w == "ont-lineprofile-name" ? Failure::NoLineProfile : Failure::NoSrvProfile);
            (w == "ont-lineprofile-name" ? req.lineProfile : req.srvProfile) = found;
            haveLine = haveLine || w == "ont-lineprofile-name";
            i += 2;
        } else if (w == "desc") {
            if (i + 1 >= c.argc()) return c.incomplete();
            req.desc = c.arg(i + 1);
            if (req.desc.size() > 64) return c.paramError(i + 1);
            i += 2;
        } else {
            return c.paramError(i);
        }
    }
    if (req.management.isEmpty() || !haveLine) return c.incomplete();
    if (req.management != "snmp" && req.srvProfile < 0) return c.incomplete();

    afterOptions(c, "{ <cr>|ont-type<K> }:", [req](Call &c) {
        const AddOntResult r = addOnt(c.dev(), req);
        if (r.failure != Failure::None) return c.fail(r.failure);
        c.print(renderTally(c.lang(), Tally::OntsAdded, 1, 1) + renderOntAdded(c.lang(), req.at.port, r.id));
    });
}

// ont confirm <port> all sn-auth|mac-auth|loid-auth|password-auth [always-on|once-on]
//   omci|oam|snmp ont-lineprofile-id <l> ont-srvprofile-id <s>
// Registers what waits in the port's autofind list, each ONT by the key its record shows.
void ontConfirm(Call &c) {
    auto p = ponPort(c, 0);
    if (!p) return;
    if (!c.is(1, "all")) return c.paramError(1);
    const mode::PonInterface &m = c.in<mode::PonInterface>();
    AddOntRequest base;
    base.at = portOf(c, *p);
    base.pon = m.pon;
    base.auth = m.pon == PonKind::Gpon ? AuthMode::Sn : AuthMode::Mac;
    base.management = m.pon == PonKind::Gpon ? "omci" : "oam";
    base.srvProfile = -1;
    bool haveLine = false;
    for (int i = 2; i < c.argc(); ++i) {
        const QString w = c.arg(i).toLower();
        if (w == "ont-lineprofile-id" || w == "ont-srvprofile-id") {
            auto v = c.number(i + 1, 0, 8192);
            if (!v) return c.paramError(i + 1);
            (w == "ont-lineprofile-id" ? base.lineProfile : base.srvProfile) = *v;
            haveLine = haveLine || w == "ont-lineprofile-id";
            ++i;
        } else if ((w == "sn-auth" && m.pon == PonKind::Gpon) ||
                   (w == "mac-auth" && m.pon == PonKind::Epon)) {
            base.auth = m.pon == PonKind::Gpon ? AuthMode::Sn : AuthMode::Mac;
        } else if (w == "loid-auth" || w == "password-auth") {
            base.auth = w == "loid-auth" ? AuthMode::Loid : AuthMode::Password;
        } else if (w == "omci" || w == "snmp" || (w == "oam" && m.pon == PonKind::Epon)) {
            base.management = w;
        } else if (w != "always-on" && w != "once-on") {
            return c.paramError(i);
        }
    }
    if (!haveLine || (base.management != "snmp" && base.srvProfile < 0)) return c.incomplete();

    afterOptions(c, "{ <cr>|desc<K>|ont-type<K> }:", [base](Call &c) {
        std::vector<AutofindEntry> waiting;
        for (const AutofindEntry *e : c.dev().autofindOn(base.at))
            waiting.push_back(*e);
        if (waiting.empty()) return c.fail(Failure::NoAutofindOnt);
        QString lines;
        int ok = 0;
        for (const AutofindEntry &e : waiting) {
            AddOntRequest req = base;
            req.key = base.auth == AuthMode::Loid       ? e.loid
                      : base.auth == AuthMode::Password ? e.password
                                                        : e.key();
            if (req.key.isEmpty()) continue; // its record shows no key of that kind
            const AddOntResult r = addOnt(c.dev(), req);
            if (r.failure != Failure::None) continue;
            ++ok;
            lines += renderOntAdded(c.lang(), base.at.port, r.id);
        }
        c.print(renderTally(c.lang(), Tally::OntsAdded, qsizetype(waiting.size()), ok) + lines);
    });
}

} // namespace

const CommandTable &ponRegistrationCommands() {
    static const CommandTable table = {
        {{"ont", "add"}, ontAdd},
        {{"ont", "confirm"}, ontConfirm},
    };
    return table;
}

} // namespace tw::sim
