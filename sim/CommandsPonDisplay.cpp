// The display commands of the GPON and EPON interface modes: readings of ONTs and ports.
#include "Commands.h"

namespace tw::sim {

namespace {

// One row per ONT that answers; the others have no readings.
void opticalTable(Call &c, const std::vector<std::pair<PortRef, int>> &list) {
    std::vector<const Ont *> onts;
    for (const auto &[at, id] : list)
        if (const Ont *o = c.dev().ont(at, id)) onts.push_back(o);
    const BoardSlot &at = c.in<mode::PonInterface>().board;
    const Board *b = c.dev().board(at.frame, at.slot);
    const QString table =
        renderOpticalTable(c.lang(), b && b->kind == BoardKind::Epon ? PonKind::Epon : PonKind::Gpon, onts);
    table.isEmpty() ? c.fail(Failure::NotOnline) : c.print(table);
}

void opticalInfo(Call &c) {
    if (!c.need(2, 2)) return;
    bool all = false;
    auto targets = ontTargets(c, &all);
    if (!targets) return;
    auto show = [](Call &c) {
        bool all = false;
        auto list = ontTargets(c, &all);
        if (!list) return;
        if (all) return opticalTable(c, *list);
        const Ont *o = c.dev().ont(list->front().first, list->front().second);
        if (!o) return c.fail(Failure::NoOnt);
        o->online() ? c.print(renderOptics(c.lang(), *o)) : c.fail(Failure::NotOnline);
    };
    if (all) return afterConfirm(c, text::ConfirmSlowDisplay, show);
    afterOptions(c, "{ <cr>||<K> }:", show);
}

void traffic(Call &c) {
    if (!c.need(2, 2)) return;
    auto targets = ontTargets(c);
    if (!targets) return;
    afterOptions(c, "{ <cr>|eth<K>||<K> }:", [](Call &c) {
        auto list = ontTargets(c);
        const Ont *o = list ? c.dev().ont(list->front().first, list->front().second) : nullptr;
        if (!o) return c.fail(Failure::NoOnt);
        if (!o->online()) return c.fail(Failure::NotOnline);
        c.print(renderOntTraffic(c.lang()));
    });
}

void registerInfo(Call &c) {
    if (!c.need(2, 2)) return;
    auto targets = ontTargets(c);
    if (!targets) return;
    afterOptions(c, "{ <cr>||<K> }:", [](Call &c) {
        auto list = ontTargets(c);
        const Ont *o = list ? c.dev().ont(list->front().first, list->front().second) : nullptr;
        if (!o) return c.fail(Failure::NoOnt);
        c.print(renderRegisterInfo(c.lang(), *o));
    });
}

void portInfo(Call &c) {
    if (!c.need(1, 1)) return;
    auto p = ponPort(c, 0);
    if (!p) return;
    c.print(renderPonPortInfo(c.dev(), c.lang(), portOf(c, *p)));
}

void portState(Call &c) {
    if (!c.need(1, 1)) return;
    const BoardSlot &m = c.in<mode::PonInterface>().board;
    std::vector<int> ports;
    if (c.is(0, "all")) {
        for (int p = 0; p < c.dev().board(m.frame, m.slot)->ports; ++p)
            ports.push_back(p);
    } else if (auto p = ponPort(c, 0)) {
        ports.push_back(*p);
    } else {
        return;
    }
    afterOptions(c, "{ <cr>||<K> }:", [ports](Call &c) {
        std::vector<PortRef> at;
        for (int p : ports)
            at.push_back(portOf(c, p));
        c.print(renderPonPortStates(c.dev(), c.lang(), at));
    });
}

} // namespace

const CommandTable &ponDisplayCommands() {
    static const CommandTable table = {
        {{"display", "ont", "optical-info"}, opticalInfo},   {{"display", "ont", "traffic"}, traffic},
        {{"display", "ont", "register-info"}, registerInfo}, {{"display", "port", "info"}, portInfo},
        {{"display", "port", "state"}, portState},
    };
    return table;
}

} // namespace tw::sim
