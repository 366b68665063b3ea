#pragma once
// The command tables of the CLI modes, and the helpers the handlers share.

#include "Render.h"
#include "Session.h"
#include "Texts.h"

#include <QString>

#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace tw::sim {

struct Token {
    QString text;   // quotes removed
    int column = 0; // display column of its first character in the line
};

// Splits at blanks; a double-quoted piece is one token.
std::vector<Token> tokenize(const QString &line);

struct Call {
    Session &s;
    std::vector<Token> tokens;
    int first = 0; // index of the first token after the command's keywords

    Device &dev() { return s.device(); }
    Lang lang() const { return s.lang(); }
    int argc() const { return int(tokens.size()) - first; }
    QString arg(int i) const { return first + i < int(tokens.size()) ? tokens[first + i].text : QString(); }
    bool is(int i, const char *keyword) const; // argument i is this keyword
    std::optional<int> number(int i, int min, int max) const;
    std::optional<PortRef> port(int i) const; // "f/s/p"

    // The mode the command runs in, for commands of that mode's own tables.
    template <class M> const M &in() const { return std::get<M>(s.mode()); }

    void print(const QString &text) { s.print(text); }
    void line(const QString &text) { s.print(text + "\r\n"); }
    void say(const Text &text) { line(tr(lang(), text)); }
    void fail(Failure f) { line(failureText(f, lang())); }
    // Errors with the caret under argument i (or past the end).
    void paramError(int i);
    void unknownAt(int i);
    void incomplete();
    // Checks the argument count; reports the error itself when it does not fit.
    bool need(int min, int max = 99);
};

using Handler = std::function<void(Call &)>;

struct CommandDef {
    std::vector<QString> words;
    Handler run;
};

using CommandTable = std::vector<CommandDef>;

// Handlers that tables in several files use.
void servicePortAdd(Call &c);
void undoServicePort(Call &c);
void servicePortDisplay(Call &c);
// Keeps the line for the saved configuration, for commands with no model of their own.
void recordLine(Call &c);
// display alarm active all [detail]; alarm active clear all.
void alarmDisplay(Call &c);
void alarmClear(Call &c);
// multicast-vlan <V>, from configuration mode and from another multicast VLAN's mode.
void enterMulticastVlan(Call &c);
// native-vlan <port>|all vlan <V> in an uplink board's interface mode.
void nativeVlanCommand(Call &c);
// display ont-load info; display ont-load select <f/s> [<port> [<ont>]].
void ontLoadDisplay(Call &c);

// Runs one command line in the session's current mode.
void dispatchCommand(Session &s, const QString &line);
// What "?" typed after `partial` lists: the keywords or parameters that may come next, or the
// error of a word the mode does not know. Printed into the session; the partial line stays.
void showHelp(Session &s, const QString &partial);

// Every mode kind: the scope its own help texts and parameter forms are filed under ("pon",
// "srv", ...), and the tables it runs commands from.
struct ModeTables {
    ModeKind kind;
    const char *scope;
    std::vector<const CommandTable *> tables;
};
const std::vector<ModeTables> &modeTables();
const ModeTables &modeTablesOf(ModeKind kind);

// The keyword matching the tables of a mode share: a keyword may be shortened to two or more
// characters unless the short form is a keyword of its own there.
struct KeywordIndex {
    explicit KeywordIndex(const std::vector<const CommandTable *> &tables);
    bool matches(const QString &token, const QString &word, size_t position, bool *exact = nullptr) const;
    std::vector<std::set<QString>> whole; // complete keywords at each position, lower case
};

// Tables, one per mode, and the ones shared by several modes.
const CommandTable &userCommands();
const CommandTable &privilegedCommands();
const CommandTable &configCommands();
const CommandTable &systemCommands();
const CommandTable &transferCommands();
const CommandTable &ponInterfaceCommands();
const CommandTable &ponRegistrationCommands();
const CommandTable &ponDisplayCommands();
const CommandTable &giuInterfaceCommands();
const CommandTable &emuInterfaceCommands();
const CommandTable &otherInterfaceCommands();
const CommandTable &ipInterfaceCommands();
const CommandTable &btvCommands();
const CommandTable &diagnoseCommands();
const CommandTable &vlanCommands();
const CommandTable &profileSetupCommands();
const CommandTable &lineProfileCommands();
const CommandTable &srvProfileCommands();
const CommandTable &vlanSrvProfileCommands();
const CommandTable &multicastVlanCommands();
// The display commands of every mode past the user mode, in three tables.
const CommandTable &displayCommands();
const CommandTable &monitorCommands();
const CommandTable &networkCommands();
const CommandTable &anyModeCommands();

} // namespace tw::sim

namespace tw::sim {

// Runs `then` on a copy of the call after the device's "(y/n)[n]:" question is answered "y".
void afterConfirm(Call &c, const Text &question, std::function<void(Call &)> then);
// Runs `then` on a copy of the call after a "{ <cr>|...}:" prompt is answered with Enter.
void afterOptions(Call &c, const QString &choices, std::function<void(Call &)> then);
// Runs `then` on a copy of the call after a numbered choice is answered "1"; other answers cancel.
void afterChoice(Call &c, const QString &question, std::function<void(Call &)> then);
// "frame/slot" of a board argument, or nothing when it is not one.
std::optional<std::pair<int, int>> boardRef(const QString &text);

// Arguments of the PON interface modes.
PortRef portOf(Call &c, int port);
// The PON port argument i of the interface's board, or nothing (the error is reported).
std::optional<int> ponPort(Call &c, int i);
// "<port> <id>" or "<port> all": the ONTs addressed, or nothing when the error was reported.
std::optional<std::vector<std::pair<PortRef, int>>> ontTargets(Call &c, bool *all = nullptr);

} // namespace tw::sim
