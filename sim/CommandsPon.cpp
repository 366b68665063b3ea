// Commands of the GPON and EPON interface modes ("interface gpon 0/1", "interface epon 0/3") that act
// on registered ONTs and on the ports.
#include "Commands.h"

namespace tw::sim {

PortRef portOf(Call &c, int port) {
    const BoardSlot &b = c.in<mode::PonInterface>().board;
    return {b.frame, b.slot, port};
}

std::optional<int> ponPort(Call &c, int i) {
    auto p = c.number(i, 0, 15);
    const BoardSlot &m = c.in<mode::PonInterface>().board;
    const Board *b = c.dev().board(m.frame, m.slot);
    if (!p || !b || *p >= b->ports) {
        c.paramError(i);
        return std::nullopt;
    }
    return p;
}

std::optional<std::vector<std::pair<PortRef, int>>> ontTargets(Call &c, bool *all) {
    auto p = ponPort(c, 0);
    if (!p) return std::nullopt;
    const PortRef at = portOf(c, *p);
    std::vector<std::pair<PortRef, int>> out;
    if (c.is(1, "all")) {
        for (const Ont *o : c.dev().ontsOn(at))
            out.push_back({at, o->id});
        if (all) *all = true;
        return out;
    }
    auto id = c.number(1, 0, 127);
    if (!id) {
        c.paramError(1);
        return std::nullopt;
    }
    if (all) *all = false;
    out.push_back({at, *id});
    return out;
}

namespace {

void ontDelete(Call &c) {
    if (!c.need(2, 2)) return;
    bool all = false;
    auto targets = ontTargets(c, &all);
    if (!targets) return;
    auto run = [](Call &c, const std::vector<std::pair<PortRef, int>> &list, bool all) {
        int ok = 0;
        Failure last = Failure::None;
        for (const auto &[at, id] : list) {
            const Failure f = deleteOnt(c.dev(), at, id);
            ok += f == Failure::None;
            if (f != Failure::None) last = f;
        }
        if (!all && last != Failure::None) return c.fail(last);
        c.print(renderTally(c.lang(), Tally::OntsDeleted, qsizetype(list.size()), ok));
    };
    if (!all) return run(c, *targets, false);
    afterConfirm(c, text::ConfirmDeletePortOnts, [run](Call &c) {
        bool all = true;
        auto again = ontTargets(c, &all);
        if (again) run(c, *again, true);
    });
}

void ontActivate(Call &c, bool active) {
    if (!c.need(2, 2)) return;
    bool all = false;
    auto targets = ontTargets(c, &all);
    if (!targets) return;
    int ok = 0;
    for (const auto &[at, id] : *targets)
        ok += setActive(c.dev(), at, id, active) == Failure::None;
    if (!all && ok == 0) return c.fail(Failure::NoOnt);
    if (all) c.print(renderTally(c.lang(), Tally::OntsOperated, qsizetype(targets->size()), ok));
}

// ONT reset and factory-setting restore: they ask first, and the ONT comes back up at once. Only
// an ONT that answers can be reset.
void ontRestart(Call &c, bool factory) {
    if (!c.need(2, 2)) return;
    auto targets = ontTargets(c);
    if (!targets) return;
    if (targets->size() == 1 && !c.dev().ont(targets->front().first, targets->front().second))
        return c.fail(Failure::NoOnt);
    afterConfirm(c, factory ? text::ConfirmOntFactoryReset : text::ConfirmOntReset, [](Call &c) {
        bool all = false;
        auto list = ontTargets(c, &all);
        if (!list) return;
        for (const auto &[at, id] : *list) {
            Ont *o = c.dev().ont(at, id);
            if (o && o->online())
                restartOnt(c.dev(), *o);
            else if (!all)
                c.fail(o ? Failure::NotOnline : Failure::NoOnt);
        }
    });
}

// The keywords that may still follow each "ont modify" change, offered before it runs.
QString modifyChoices(const QString &what) {
    if (what == "ont-lineprofile-id") return "{ <cr>|ont-srvprofile-id<K>|ont-srvprofile-name<K> }:";
    if (what == "ont-srvprofile-id") return "{ <cr>|ont-lineprofile-id<K>|ont-lineprofile-name<K> }:";
    if (what == "sn") return "{ <cr>|password-auth<K> }:";
    if (what == "loid") return "{ <cr>|always-on<K>|checkcode-auth<K>|once-on<K> }:";
    if (what == "password") return "{ <cr>|always-on<K>|once-on<K> }:";
    return "{ <cr>|desc<K> }:";
}

// ont modify <port> <id> ont-lineprofile-id|ont-srvprofile-id|sn|mac|loid|password|desc <value>.
// All but desc offer the keywords that may follow (answered with Enter). A new SN, MAC, LOID or
// password makes the ONT register again, so the device then asks a numbered choice (answered 1).
void ontModify(Call &c) {
    if (!c.need(4, 4)) return;
    auto p = ponPort(c, 0);
    if (!p) return;
    if (!c.number(1, 0, 127)) return c.paramError(1);
    const PonKind pon = c.in<mode::PonInterface>().pon;
    QString what = c.arg(2).toLower();
    if (what.endsWith("-auth")) what.chop(5); // the full keywords of the short forms the console types
    const QString value = c.arg(3);
    std::optional<AuthMode> key;
    if (what == "ont-lineprofile-id" || what == "ont-srvprofile-id") {
        if (!c.number(3, 0, 8192)) return c.paramError(3);
    } else if (what == "sn" && pon == PonKind::Gpon) {
        if (normaliseSn(value).isEmpty()) return c.paramError(3);
        key = AuthMode::Sn;
    } else if (what == "mac" && pon == PonKind::Epon) {
        if (normaliseMac(value).isEmpty()) return c.paramError(3);
        key = AuthMode::Mac;
    } else if (what == "loid") {
        if (value.isEmpty() || value.size() > 24) return c.paramError(3);
        key = AuthMode::Loid;
    } else if (what == "password") {
        if (value.isEmpty() || value.size() > 10) return c.paramError(3);
        key = AuthMode::Password;
    } else if (what == "desc") {
        if (value.isEmpty() || value.size() > 64) return c.paramError(3);
    } else {
        return c.paramError(2);
    }

    auto apply = [what, key](Call &c) {
        const PortRef at = portOf(c, c.arg(0).toInt());
        const int id = c.arg(1).toInt();
        Ont *o = c.dev().ont(at, id);
        if (!o) return c.fail(Failure::NoOnt);
        if (key) {
            return afterChoice(c, tr(c.lang(), text::ChooseReregister), [at, id, key](Call &c) {
                if (Failure f = changeOntKey(c.dev(), at, id, *key, c.arg(3)); f != Failure::None) c.fail(f);
            });
        }
        if (what == "desc") {
            o->desc = c.arg(3);
            return;
        }
        const bool line = what == "ont-lineprofile-id";
        const int v = c.arg(3).toInt();
        if (line ? !c.dev().lineProfile(o->pon, v) : !c.dev().srvProfile(o->pon, v))
            return c.fail(line ? Failure::NoLineProfile : Failure::NoSrvProfile);
        (line ? o->lineProfile : o->srvProfile) = v;
    };
    if (what == "desc") return apply(c);
    afterOptions(c, modifyChoices(what), apply);
}

void ontIpconfig(Call &c) {
    auto p = ponPort(c, 0);
    if (!p) return;
    auto id = c.number(1, 0, 127);
    if (!id) return c.paramError(1);
    Ont *o = c.dev().ont(portOf(c, *p), *id);
    if (!o) return c.fail(Failure::NoOnt);
    if (c.is(2, "dhcp")) {
        o->ip = "dhcp";
        return;
    }
    if (!c.is(2, "static") || !c.is(3, "ip-address")) return c.paramError(c.is(2, "static") ? 3 : 2);
    if (c.argc() < 5) return c.incomplete();
    o->ip = c.arg(4);
}

void autoFindSwitch(Call &c) {
    if (!c.need(2, 2)) return;
    auto p = ponPort(c, 0);
    if (!p) return;
    if (!c.is(1, "ont-auto-find")) return c.paramError(1);
    c.paramError(2);
}

} // namespace

const CommandTable &ponInterfaceCommands() {
    static const CommandTable table = {
        {{"ont", "delete"}, ontDelete},
        {{"ont", "activate"}, [](Call &c) { ontActivate(c, true); }},
        {{"ont", "deactivate"}, [](Call &c) { ontActivate(c, false); }},
        {{"ont", "reset"}, [](Call &c) { ontRestart(c, false); }},
        {{"ont", "factory-setting-restore"}, [](Call &c) { ontRestart(c, true); }},
        {{"ont", "modify"}, ontModify},
        {{"ont", "ipconfig"}, ontIpconfig},
        {{"port"},
         [](Call &c) {
             if (c.argc() != 3) return autoFindSwitch(c);
             auto p = ponPort(c, 0);
             if (!p) return;
             if (!c.is(1, "ont-auto-find")) return c.paramError(1);
             if (!c.is(2, "enable") && !c.is(2, "disable")) return c.paramError(2);
             // Switched off, the port forgets what it found; switched on, it reports what is there.
             c.dev().autofindDisabled[portOf(c, *p).text()] = c.is(2, "disable");
             settle(c.dev());
         }},
    };
    return table;
}

} // namespace tw::sim
