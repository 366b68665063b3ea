// The system displays of the monitoring pages: version, profiles, temperatures, power, loads and
// the state of the control boards. They work in every mode that has display commands.
#include "Commands.h"

namespace tw::sim {

namespace {

// A display the console answers with an empty line: the device offers its filter first.
void withFilterPrompt(Call &c, std::function<void(Call &)> show) {
    afterOptions(c, "{ <cr>||<K> }:", std::move(show));
}

// "frame" or "frame/slot": the boards addressed, or nothing when the error was reported.
std::optional<std::vector<const Board *>> boardsOf(Call &c, int i) {
    const Device &d = c.dev();
    std::vector<const Board *> out;
    if (c.arg(i).contains('/')) {
        auto ref = boardRef(c.arg(i));
        if (!ref) {
            c.paramError(i);
            return std::nullopt;
        }
        const Board *b = d.board(ref->first, ref->second);
        if (!b) {
            c.fail(Failure::NoBoard);
            return std::nullopt;
        }
        out.push_back(b);
        return out;
    }
    auto frame = c.number(i, 0, 7);
    if (!frame) {
        c.paramError(i);
        return std::nullopt;
    }
    if (*frame != d.frame) {
        c.fail(Failure::NoFrame);
        return std::nullopt;
    }
    for (const Board &b : d.boards)
        if (b.present()) out.push_back(&b);
    return out;
}

void version(Call &c) {
    if (!c.need(0, 1)) return;
    auto show = [](Call &c) { c.print(renderVersion(c.dev(), c.lang())); };
    if (c.argc() == 1) return show(c);
    afterOptions(c, "{ <cr>|backplane<K>|frameid/slotid<S><Length 1-15> }:", show);
}

void dbaProfiles(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "all")) return c.paramError(0);
    c.print(renderDbaProfiles(c.dev(), c.lang()));
}

void profiles(Call &c, bool line) {
    if (!c.need(2, 2)) return;
    if (!c.is(0, "gpon") && !c.is(0, "epon")) return c.paramError(0);
    if (!c.is(1, "all")) return c.paramError(1);
    const PonKind pon = c.is(0, "gpon") ? PonKind::Gpon : PonKind::Epon;
    c.print(renderOntProfiles(c.dev(), c.lang(), line, pon));
}

void temperature(Call &c) {
    if (!c.need(1, 1)) return;
    auto boards = boardsOf(c, 0);
    if (!boards) return;
    const QString out = renderTemperatures(c.dev(), c.lang(), *boards);
    if (out.isEmpty()) return c.say(text::BoardNotNormal);
    c.print(out);
}

void power(Call &c) {
    if (!c.need(1, 1)) return;
    const bool one = c.arg(0).contains('/');
    auto boards = boardsOf(c, 0);
    if (!boards) return;
    c.print(one ? renderBoardPower(c.lang(), *boards->front()) : renderPowerTable(c.lang(), *boards));
}

void ioPacketFiles(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "information")) return c.paramError(0);
    withFilterPrompt(c, [](Call &c) { c.print(renderIoPacketFiles(c.dev(), c.lang())); });
}

void progress(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "load") && !c.is(0, "upgrade")) return c.paramError(0);
    withFilterPrompt(c, [](Call &c) { c.say(c.is(0, "load") ? text::NoLoading : text::NoUpgrade); });
}

void dataSync(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "state")) return c.paramError(0);
    withFilterPrompt(c, [](Call &c) {
        const Board *active = activeControlBoard(c.dev()), *standby = nullptr;
        for (const Board &b : c.dev().boards)
            if (b.present() && b.kind == BoardKind::Control && b.state == BoardState::StandbyNormal)
                standby = &b;
        if (!active || !standby) return c.fail(Failure::StandbyNotReady);
        c.print(renderDataSync(c.dev(), c.lang(), *active, *standby));
    });
}

void globalStatistics(Call &c) {
    if (!c.need(1, 1)) return;
    if (!c.is(0, "global")) return c.paramError(0);
    c.print(renderStatistics(c.dev(), c.lang()));
}

void rogueOnts(Call &c) {
    if (!c.need(2, 2)) return;
    if (!c.number(0, 0, 7)) return c.paramError(0);
    if (!c.is(1, "all")) return c.paramError(1);
    c.say(text::NoRogueOnt);
}

} // namespace

const CommandTable &monitorCommands() {
    static const CommandTable table = {
        {{"display", "version"}, version},
        {{"display", "dba-profile"}, dbaProfiles},
        {{"display", "ont-lineprofile"}, [](Call &c) { profiles(c, true); }},
        {{"display", "ont-srvprofile"}, [](Call &c) { profiles(c, false); }},
        {{"display", "temperature"}, temperature},
        {{"display", "power"}, power},
        {{"display", "runstat", "callinfo"},
         [](Call &c) {
             if (c.need(0, 0)) c.print(renderCpuOccupancy(c.lang()));
         }},
        {{"display", "io-packetfile"}, ioPacketFiles},
        {{"display", "progress"}, progress},
        {{"display", "data", "sync"}, dataSync},
        {{"display", "statistics"}, globalStatistics},
        {{"display", "rogueont"}, rogueOnts},
        {{"display", "ont-load"}, ontLoadDisplay},
        {{"display", "time"}, [](Call &c) { c.print(renderTime(c.dev())); }},
    };
    return table;
}

} // namespace tw::sim
