// The ONT, board and configuration displays, shared by the privileged, configuration and interface
// modes.
#include "Commands.h"

namespace tw::sim {

namespace {

// The board of the GPON or EPON interface mode the display runs in, if it does.
const BoardSlot *ponInterfaceBoard(Call &c) {
    const auto *m = c.s.modeAs<mode::PonInterface>();
    return m ? &m->board : nullptr;
}

// Checks frame and slot of a display that names a PON board; reports the failure itself.
bool ponBoardExists(Call &c, int frame, int slot) {
    const Board *b = c.dev().board(frame, slot);
    if (frame != c.dev().frame || !b) {
        c.fail(Failure::NoBoard);
        return false;
    }
    if (!b->isPon()) {
        c.fail(Failure::WrongBoardType);
        return false;
    }
    return true;
}

void showOntDetail(Call &c, const Ont &o) {
    c.print(renderOntDetail(c.dev(), c.lang(), o, true));
}

void ontInfoSearch(Call &c) {
    const QString kind = c.arg(0).toLower();
    if (c.argc() < 2) return c.incomplete();
    const QString value = c.arg(1);
    std::vector<const Ont *> found;
    for (const Ont &o : c.dev().onts) {
        bool hit = false;
        if (kind == "by-sn")
            hit = !o.sn.isEmpty() && o.sn == normaliseSn(value);
        else if (kind == "by-mac")
            hit = !o.mac.isEmpty() && o.mac == normaliseMac(value);
        else if (kind == "by-loid")
            hit = !o.loid.isEmpty() && o.loid == value;
        else if (kind == "by-password")
            hit = !o.password.isEmpty() && o.password == value;
        else if (kind == "by-desc")
            hit = o.desc == value;
        else if (kind == "by-ip")
            hit = !o.ip.isEmpty() && o.ip == value;
        if (hit) found.push_back(&o);
    }
    if ((kind == "by-sn" && normaliseSn(value).isEmpty()) ||
        (kind == "by-mac" && normaliseMac(value).isEmpty()))
        return c.paramError(1);
    if (found.empty()) return c.fail(Failure::NoOnt);
    for (const Ont *o : found)
        c.print(renderOntDetail(c.dev(), c.lang(), *o, false));
}

void ontInfo(Call &c) {
    if (c.argc() == 0) return c.incomplete();
    if (c.arg(0).startsWith("by-", Qt::CaseInsensitive)) {
        static const QStringList kinds = {"by-sn", "by-mac", "by-loid", "by-password", "by-desc", "by-ip"};
        if (!kinds.contains(c.arg(0).toLower())) return c.paramError(0);
        return ontInfoSearch(c);
    }
    if (const BoardSlot *board = ponInterfaceBoard(c); board && c.argc() == 2) { // <port> <id>|all
        const BoardSlot &m = *board;
        auto port = c.number(0, 0, 15);
        if (!port || *port >= c.dev().board(m.frame, m.slot)->ports) return c.paramError(0);
        if (c.is(1, "all")) {
            Pieces table = ontTablePieces(c.dev(), c.lang(), m.frame, m.slot, *port);
            if (!table) return c.fail(Failure::NoOnt);
            return c.s.printLazily(std::move(table));
        }
        auto id = c.number(1, 0, 127);
        if (!id) return c.paramError(1);
        const Ont *o = c.dev().ont({m.frame, m.slot, *port}, *id);
        return o ? showOntDetail(c, *o) : c.fail(Failure::NoOnt);
    }
    auto frame = c.number(0, 0, 7);
    if (!frame) return c.paramError(0);
    if (c.argc() < 2) return c.incomplete();
    if (c.is(1, "all")) {
        if (!c.need(2, 2)) return;
        Pieces table = ontTablePieces(c.dev(), c.lang(), *frame, std::nullopt, std::nullopt);
        if (!table) return c.fail(Failure::NoOnt);
        return c.s.printLazily(std::move(table));
    }
    auto slot = c.number(1, 0, 22);
    if (!slot) return c.paramError(1);
    if (c.argc() < 3) return c.incomplete();
    if (!ponBoardExists(c, *frame, *slot)) return;
    if (c.is(2, "all")) {
        if (!c.need(3, 3)) return;
        Pieces table = ontTablePieces(c.dev(), c.lang(), *frame, *slot, std::nullopt);
        if (!table) return c.fail(Failure::NoOnt);
        return c.s.printLazily(std::move(table));
    }
    auto port = c.number(2, 0, 15);
    if (!port || !c.dev().portExists({*frame, *slot, *port})) return c.paramError(2);
    if (c.argc() < 4) return c.incomplete();
    if (!c.need(4, 4)) return;
    if (c.is(3, "all")) {
        Pieces table = ontTablePieces(c.dev(), c.lang(), *frame, *slot, *port);
        if (!table) return c.fail(Failure::NoOnt);
        return c.s.printLazily(std::move(table));
    }
    auto id = c.number(3, 0, 127);
    if (!id) return c.paramError(3);
    const Ont *o = c.dev().ont({*frame, *slot, *port}, *id);
    o ? showOntDetail(c, *o) : c.fail(Failure::NoOnt);
}

void ontAutofind(Call &c) {
    if (!c.need(1, 1)) return;
    if (c.is(0, "all")) return c.print(renderAutofind(c.dev(), c.lang(), std::nullopt));
    const BoardSlot *board = ponInterfaceBoard(c);
    if (!board) {
        auto at = c.port(0);
        if (!at || !c.dev().portExists(*at)) return c.paramError(0);
        return c.print(renderAutofind(c.dev(), c.lang(), *at));
    }
    const BoardSlot &m = *board;
    auto port = c.number(0, 0, 15);
    if (!port || *port >= c.dev().board(m.frame, m.slot)->ports) return c.paramError(0);
    const PortRef at{m.frame, m.slot, *port};
    Session &s = c.s;
    c.s.askOptions("{ <cr>||<K> }:", [&s, at] { s.print(renderAutofind(s.device(), s.lang(), at)); });
}

void board(Call &c) {
    if (!c.need(1, 1)) return;
    if (c.arg(0).contains('/')) {
        const QStringList parts = c.arg(0).split('/');
        bool okF = false, okS = false;
        const int frame = parts.value(0).toInt(&okF), slot = parts.value(1).toInt(&okS);
        if (parts.size() != 2 || !okF || !okS || slot < 0 || slot > 22) return c.paramError(0);
        const Board *b = c.dev().board(frame, slot);
        if (!b) return c.fail(Failure::NoBoard);
        return c.print(renderBoardDetail(c.dev(), c.lang(), *b));
    }
    auto frame = c.number(0, 0, 7);
    if (!frame) return c.paramError(0);
    if (*frame != c.dev().frame) return c.fail(Failure::NoFrame);
    c.print(renderBoards(c.dev(), c.lang()));
}

void ontVersion(Call &c) {
    auto frame = c.number(0, 0, 7);
    if (!frame) return c.paramError(0);
    auto table = [&c, frame](std::optional<int> slot, std::optional<int> port) {
        Pieces rows = ontVersionPieces(c.dev(), c.lang(), *frame, slot, port);
        if (!rows) return c.fail(Failure::NoOnt);
        c.s.printLazily(std::move(rows));
    };
    if (c.argc() < 2) return c.incomplete();
    if (c.is(1, "all")) return c.need(2, 2) ? table(std::nullopt, std::nullopt) : void();
    auto slot = c.number(1, 0, 22);
    if (!slot) return c.paramError(1);
    if (c.argc() < 3) return c.incomplete();
    if (!ponBoardExists(c, *frame, *slot)) return;
    if (c.is(2, "all")) return c.need(3, 3) ? table(*slot, std::nullopt) : void();
    auto port = c.number(2, 0, 15);
    if (!port || !c.dev().portExists({*frame, *slot, *port})) return c.paramError(2);
    if (!c.need(4, 4)) return;
    if (c.is(3, "all")) return table(*slot, *port);
    auto id = c.number(3, 0, 127);
    if (!id) return c.paramError(3);
    const PortRef at{*frame, *slot, *port};
    const int ontId = *id;
    Session &s = c.s;
    c.s.askOptions("{ <cr>||<K> }:", [&s, at, ontId] {
        const Ont *o = s.device().ont(at, ontId);
        s.print(o ? renderOntVersionDetail(s.lang(), *o) : failureText(Failure::NoOnt, s.lang()) + "\r\n");
    });
}

void currentConfiguration(Call &c) {
    Device &d = c.dev();
    if (c.argc() == 0) {
        Session &s = c.s;
        return c.s.askOptions("{ <cr>|ont<K>|port<K>|section<K>|service-port<K>|simple<K>||<K> }:",
                              [&s] { s.print(renderCurrentConfiguration(s.device())); });
    }
    if (c.is(0, "ont")) {
        if (!c.need(3, 3)) return;
        auto at = c.port(1);
        auto id = c.number(2, 0, 127);
        if (!at) return c.paramError(1);
        if (!id) return c.paramError(2);
        const Ont *o = d.ont(*at, *id);
        if (!o) return c.fail(Failure::NoOnt);
        std::vector<const ServicePort *> sps;
        for (const ServicePort &sp : d.servicePorts)
            if (sp.at == *at && sp.ont == *id && sp.portType != "eth") sps.push_back(&sp);
        return c.print(renderOntCurrentConfiguration(d, *o, sps));
    }
    if (c.is(0, "service-port")) {
        if (!c.need(2, 2)) return;
        std::vector<const ServicePort *> sps;
        if (auto index = c.number(1, 0, 65535)) {
            for (const ServicePort &sp : d.servicePorts)
                if (sp.index == *index) sps.push_back(&sp);
        } else if (c.is(1, "all")) {
            for (const ServicePort &sp : d.servicePorts)
                sps.push_back(&sp);
        } else {
            return c.paramError(1);
        }
        return c.print(renderServicePortCurrentConfiguration(d, sps));
    }
    if (c.is(0, "section") || c.is(0, "simple") || c.is(0, "port"))
        return c.print(renderCurrentConfiguration(d));
    c.paramError(0);
}

} // namespace

const CommandTable &displayCommands() {
    static const CommandTable table = {
        {{"display", "ont", "info"}, ontInfo},
        {{"display", "ont", "autofind"}, ontAutofind},
        {{"display", "board"}, board},
        {{"display", "ont", "version"}, ontVersion},
        {{"display", "service-port"}, servicePortDisplay},
        {{"display", "current-configuration"}, currentConfiguration},
        {{"display", "alarm", "active"}, alarmDisplay},
    };
    return table;
}

} // namespace tw::sim
