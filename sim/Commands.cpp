#include "Commands.h"

#include <algorithm>
#include <set>

namespace tw::sim {

std::vector<Token> tokenize(const QString &line) {
    std::vector<Token> out;
    int column = 0;
    qsizetype i = 0;
    const qsizetype n = line.size();
    auto width = [](QChar c) { return c.unicode() < 0x80 ? 1 : 2; };
    while (i < n) {
        if (line[i].isSpace()) {
            column += width(line[i]);
            ++i;
            continue;
        }
        Token t;
        t.column = column;
        if (line[i] == '"') {
            column += 1;
            ++i;
            while (i < n && line[i] != '"') {
                t.text += line[i];
                column += width(line[i]);
                ++i;
            }
            if (i < n) {
                column += 1;
                ++i;
            }
        } else {
            while (i < n && !line[i].isSpace()) {
                t.text += line[i];
                column += width(line[i]);
                ++i;
            }
        }
        out.push_back(t);
    }
    return out;
}

bool Call::is(int i, const char *keyword) const {
    return arg(i).compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

std::optional<int> Call::number(int i, int min, int max) const {
    bool ok = false;
    const int v = arg(i).toInt(&ok);
    if (!ok || v < min || v > max) return std::nullopt;
    return v;
}

std::optional<PortRef> Call::port(int i) const {
    return PortRef::parse(arg(i));
}

void Call::paramError(int i) {
    const int index = first + i;
    if (index >= int(tokens.size())) {
        incomplete();
        return;
    }
    s.error(CliError::Parameter, tokens[index].column);
}

void Call::unknownAt(int i) {
    const int index = first + i;
    if (index >= int(tokens.size())) {
        incomplete();
        return;
    }
    s.error(CliError::Unknown, tokens[index].column);
}

void Call::incomplete() {
    int end = 0;
    if (!tokens.empty()) end = tokens.back().column + displayWidth(tokens.back().text) + 1;
    s.error(CliError::Incomplete, end);
}

bool Call::need(int min, int max) {
    if (argc() < min) {
        incomplete();
        return false;
    }
    if (argc() > max) {
        unknownAt(max);
        return false;
    }
    return true;
}

KeywordIndex::KeywordIndex(const std::vector<const CommandTable *> &tables) {
    for (const CommandTable *table : tables)
        for (const CommandDef &def : *table)
            for (size_t i = 0; i < def.words.size(); ++i) {
                if (whole.size() <= i) whole.resize(i + 1);
                whole[i].insert(def.words[i].toLower());
            }
}

bool KeywordIndex::matches(const QString &token, const QString &word, size_t position, bool *exact) const {
    const bool same = token.compare(word, Qt::CaseInsensitive) == 0;
    if (exact) *exact = same;
    if (same) return true;
    // So "ont" never stands for "ont-srvprofile".
    return token.size() >= 2 && word.startsWith(token, Qt::CaseInsensitive) &&
           (position >= whole.size() || !whole[position].count(token.toLower()));
}

const std::vector<ModeTables> &modeTables() {
    static const std::vector<ModeTables> table = [] {
        // Past the user mode every mode has the display, monitoring and network commands.
        auto with = [](std::vector<const CommandTable *> own) {
            for (const CommandTable *t :
                 {&displayCommands(), &monitorCommands(), &networkCommands(), &anyModeCommands()})
                own.push_back(t);
            return own;
        };
        return std::vector<ModeTables>{
            {ModeKind::User, "user", {&userCommands(), &anyModeCommands()}},
            {ModeKind::Privileged, "privileged", with({&privilegedCommands()})},
            {ModeKind::Config, "config",
             with({&configCommands(), &vlanCommands(), &profileSetupCommands(), &systemCommands(),
                   &transferCommands()})},
            {ModeKind::InterfacePon, "pon",
             with({&ponInterfaceCommands(), &ponRegistrationCommands(), &ponDisplayCommands()})},
            {ModeKind::InterfaceGiu, "giu", with({&giuInterfaceCommands()})},
            {ModeKind::InterfaceEmu, "emu", with({&emuInterfaceCommands()})},
            {ModeKind::InterfaceOther, "if", with({&otherInterfaceCommands()})},
            {ModeKind::InterfaceIp, "ip", with({&ipInterfaceCommands()})},
            {ModeKind::Btv, "btv", with({&btvCommands()})},
            {ModeKind::Diagnose, "diagnose", with({&diagnoseCommands()})},
            {ModeKind::LineProfile, "line", with({&lineProfileCommands()})},
            {ModeKind::SrvProfile, "srv", with({&srvProfileCommands()})},
            {ModeKind::VlanSrvProfile, "vlansrv", with({&vlanSrvProfileCommands()})},
            {ModeKind::MulticastVlan, "mvlan", with({&multicastVlanCommands()})},
        };
    }();
    return table;
}

const ModeTables &modeTablesOf(ModeKind kind) {
    const auto &all = modeTables();
    return *std::find_if(all.begin(), all.end(), [kind](const ModeTables &m) { return m.kind == kind; });
}

namespace {

struct Match {
    const CommandDef *def = nullptr;
    int words = 0;
    int exact = 0;
};

} // namespace

void dispatchCommand(Session &s, const QString &line) {
    Call call{s, tokenize(line), 0};
    // Another session may have deleted the board this one is configuring.
    const auto *pon = s.modeAs<mode::PonInterface>();
    const auto *uplink = s.modeAs<mode::UplinkInterface>();
    if (const BoardSlot *b = pon      ? &pon->board
                             : uplink ? &uplink->board
                                      : nullptr;
        b && !s.device().board(b->frame, b->slot)) {
        call.fail(Failure::NoBoard);
        s.leaveToConfig();
        return;
    }
    const auto &tokens = call.tokens;
    const auto &tables = modeTablesOf(kindOf(s.mode())).tables;
    const KeywordIndex keywords(tables);

    Match best;
    int deepest = 0;
    for (const CommandTable *table : tables) {
        for (const CommandDef &def : *table) {
            int matched = 0, exact = 0;
            for (const QString &word : def.words) {
                bool isExact = false;
                if (matched >= int(tokens.size()) ||
                    !keywords.matches(tokens[matched].text, word, matched, &isExact))
                    break;
                exact += isExact;
                ++matched;
            }
            deepest = std::max(deepest, matched);
            if (matched != int(def.words.size())) continue;
            if (matched > best.words || (matched == best.words && exact > best.exact))
                best = {&def, matched, exact};
        }
    }
    if (!best.def) {
        if (deepest >= int(tokens.size()))
            call.incomplete();
        else
            s.error(CliError::Unknown, tokens[deepest].column);
        return;
    }
    call.first = best.words;
    best.def->run(call);
}

// Commands of every mode.
const CommandTable &anyModeCommands() {
    static const CommandTable table = {
        {{"switch", "language-mode"},
         [](Call &c) {
             if (!c.need(0, 0)) return;
             c.s.setLang(c.lang() == Lang::English ? Lang::Chinese : Lang::English);
             c.say(text::LanguageSwitched);
         }},
        {{"scroll"},
         [](Call &c) {
             if (c.argc() == 0) {
                 c.s.setScreenLength(c.dev().screenLength);
                 return;
             }
             auto n = c.number(0, 0, 512);
             if (!n || c.argc() > 1) return c.paramError(n ? 1 : 0);
             c.s.setScreenLength(*n);
         }},
        {{"quit"},
         [](Call &c) {
             if (!c.need(0, 0)) return;
             if (c.s.modeAs<mode::User>() || c.s.modeAs<mode::Privileged>()) {
                 c.say(text::SaveBeforeLogout);
                 Session &s = c.s;
                 c.s.confirm(tr(c.lang(), text::ConfirmLogout), [&s] { s.logout(); });
                 return;
             }
             c.s.popMode();
         }},
        {{"return"},
         [](Call &c) {
             if (!c.need(0, 0)) return;
             while (!c.s.modeAs<mode::User>() && !c.s.modeAs<mode::Privileged>())
                 c.s.popMode();
         }},
    };
    return table;
}

const CommandTable &userCommands() {
    static const CommandTable table = {
        {{"enable"},
         [](Call &c) {
             if (c.need(0, 0)) c.s.pushMode(mode::Privileged{});
         }},
        {{"display", "version"}, [](Call &c) { c.say(text::UserModeVersion); }},
    };
    return table;
}

const CommandTable &privilegedCommands() {
    static const CommandTable table = {
        {{"enable"}, [](Call &c) { c.need(0, 0); }},
        {{"config"},
         [](Call &c) {
             if (c.need(0, 0)) c.s.pushMode(mode::Config{});
         }},
        {{"diagnose"},
         [](Call &c) {
             if (c.need(0, 0)) c.s.pushMode(mode::Diagnose{});
         }},
    };
    return table;
}

} // namespace tw::sim

namespace tw::sim {

void afterConfirm(Call &c, const Text &question, std::function<void(Call &)> then) {
    Session *s = &c.s;
    c.s.confirm(tr(c.lang(), question), [s, tokens = c.tokens, first = c.first, then] {
        Call again{*s, tokens, first};
        then(again);
    });
}

void afterOptions(Call &c, const QString &choices, std::function<void(Call &)> then) {
    Session *s = &c.s;
    c.s.askOptions(choices, [s, tokens = c.tokens, first = c.first, then] {
        Call again{*s, tokens, first};
        then(again);
    });
}

void afterChoice(Call &c, const QString &question, std::function<void(Call &)> then) {
    Session *s = &c.s;
    c.s.ask(question, [s, tokens = c.tokens, first = c.first, then](const QString &reply) {
        if (reply.trimmed() != "1") return;
        Call again{*s, tokens, first};
        then(again);
    });
}

std::optional<std::pair<int, int>> boardRef(const QString &text) {
    const QStringList parts = text.split('/');
    if (parts.size() != 2) return std::nullopt;
    bool okF = false, okS = false;
    const int frame = parts[0].toInt(&okF), slot = parts[1].toInt(&okS);
    if (!okF || !okS || frame < 0 || slot < 0 || slot > 22) return std::nullopt;
    return std::pair(frame, slot);
}

} // namespace tw::sim
