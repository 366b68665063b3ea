#include "olt/ResponseRouter.h"

#include "common/ByteFinder.h"
#include "common/SettingsStore.h"
#include "olt/OltTexts.h"
#include "olt/SharedValues.h"

#include <QStringList>

#include <iterator>
#include <utility>

namespace tw {

namespace {

using F = RouterFields;
using Pane = RouterTargets::Pane;

enum class Action {
    ReplacePane,    // the pane := text
    PaneAndChassis, // query pane := text, then redraw the chassis
    OntList,        // the ONT list grid from the output
    Discovery,      // discovery handling of the text
    PaneAndMove,    // search pane := text, then the move check
    PaneAndAdd,     // registration pane := text, then the add-reply handling
    VersionList,    // the version grid, unless the text shows a single ONT's versions
    PaneAndIptv     // detail pane := text, then the multicast cleanup when one is pending
};

using Fragments = QStringList (*)(const RouterFields &);

struct Rule {
    const char16_t *fragment; // a fixed fragment, or
    Fragments build;          // fragments from the fields' current texts, tried in order
    Action action;
    Pane pane = Pane::QueryPane;
};

QStringList ontListForms(const RouterFields &f) {
    const QString head = QStringLiteral("isplay ont info ") + f.text(F::ListFrame);
    const QString board = head + u' ' + f.text(F::ListBoard);
    return {board + u' ' + f.text(F::ListPort) + QStringLiteral(" all"), head + QStringLiteral(" all"),
            board + QStringLiteral(" all")};
}

QStringList ontDetailForms(const RouterFields &f) {
    return {QStringLiteral("isplay ont info ") + f.text(F::DetailFrame) + u' ' + f.text(F::DetailBoard) +
                u' ' + f.text(F::DetailPort) + u' ' + f.text(F::DetailOnt),
            QStringLiteral("isplay current-configuration")};
}

QStringList ontVersionForms(const RouterFields &f) {
    return {QStringLiteral("isplay ont version ") + f.text(F::VersionFrame)};
}

// In this order: the first rule whose fragment occurs in the output decides.
const Rule Rules[] = {
    {u"isplay board 0", nullptr, Action::PaneAndChassis, Pane::QueryPane},               // 1
    {nullptr, ontListForms, Action::OntList},                                            // 2
    {nullptr, ontDetailForms, Action::ReplacePane, Pane::OntDetailPane},                 // 3
    {u"isplay ont autofind", nullptr, Action::Discovery},                                // 4
    {u"isplay alarm active all detail", nullptr, Action::ReplacePane, Pane::AlarmPane},  // 5
    {u"isplay arp all", nullptr, Action::ReplacePane, Pane::QueryPane},                  // 6
    {u"isplay rogueont 0 all", nullptr, Action::ReplacePane, Pane::QueryPane},           // 7
    {u"isplay version", nullptr, Action::ReplacePane, Pane::QueryPane},                  // 8
    {u"isplay ont info by", nullptr, Action::PaneAndMove, Pane::OntSearchPane},          // 9
    {u"nt add ", nullptr, Action::PaneAndAdd, Pane::RegistrationPane},                   // 10
    {u"isplay  statistics  global", nullptr, Action::ReplacePane, Pane::QueryPane},      // 11
    {u"isplay DBA-profile all", nullptr, Action::ReplacePane, Pane::QueryPane},          // 12
    {u"isplay ont-lineprofile gpon all", nullptr, Action::ReplacePane, Pane::QueryPane}, // 13
    {u"isplay ont-srvprofile gpon all", nullptr, Action::ReplacePane, Pane::QueryPane},  // 14
    {u"isplay board", nullptr, Action::ReplacePane, Pane::QueryPane},                    // 15
    {u"isplay vlan", nullptr, Action::ReplacePane, Pane::QueryPane},                     // 16
    {u"isplay ip routing-table", nullptr, Action::ReplacePane, Pane::QueryPane},         // 17
    {u"isplay ip interface", nullptr, Action::ReplacePane, Pane::QueryPane},             // 18
    {u"isplay ip statistics", nullptr, Action::ReplacePane, Pane::QueryPane},            // 19
    {u"isplay temperature", nullptr, Action::ReplacePane, Pane::QueryPane},              // 20
    {u"isplay power", nullptr, Action::ReplacePane, Pane::QueryPane},                    // 21
    {u"isplay runstat callinfo", nullptr, Action::ReplacePane, Pane::QueryPane},         // 22
    {u"oard confirm", nullptr, Action::ReplacePane, Pane::BoardPane},                    // 23
    {u"nt-auto-find enable", nullptr, Action::ReplacePane, Pane::BoardPane},             // 24
    {u"isplay io-packetfile", nullptr, Action::ReplacePane, Pane::QueryPane},            // 25
    {u"isplay progress", nullptr, Action::ReplacePane, Pane::QueryPane},                 // 26
    {nullptr, ontVersionForms, Action::VersionList},                                     // 27
    {u"isplay service-port port", nullptr, Action::PaneAndIptv, Pane::OntDetailPane},    // 28
    // The catalogue empties the query pane before these; their answers fill it like the GPON ones.
    {u"isplay ont-lineprofile epon all", nullptr, Action::ReplacePane, Pane::QueryPane}, // 29
    {u"isplay ont-srvprofile epon all", nullptr, Action::ReplacePane, Pane::QueryPane},  // 30
    {u"isplay port ddm-info", nullptr, Action::ReplacePane, Pane::QueryPane},            // 31
};
static_assert(std::size(Rules) == ResponseRouter::RuleCount);

// Whether a line of the output is exactly `command` (the echo, possibly after the prompt, or the
// OLT's "Command:" repetition): "… sort-by port" or another ONT's listing is not.
bool echoesLine(QStringView text, QStringView command) {
    if (command.isEmpty()) return false;
    for (QStringView line : text.split(u'\n')) {
        line = line.trimmed();
        if (line == command || (line.endsWith(command) && line.at(line.size() - command.size() - 1) == u'#'))
            return true;
    }
    return false;
}

bool matches(const Rule &rule, QByteArrayView text, const RouterFields &fields) {
    if (rule.fragment) return ByteFinder(toGbk(QStringView(rule.fragment))).in(text);
    const QStringList forms = rule.build(fields);
    for (const QString &form : forms)
        if (ByteFinder(toGbk(form)).in(text)) return true;
    return false;
}

const ByteFinder EndOfOutput(olt::EndOfOutput);
const ByteFinder DiagnoseEndOfOutput(olt::DiagnoseEndOfOutput);

// Where the first prompt at or after `from` ends, or -1.
qsizetype nextPromptEnd(QByteArrayView chunk, qsizetype from) {
    const qsizetype config = EndOfOutput.indexIn(chunk, from);
    const qsizetype diagnose = DiagnoseEndOfOutput.indexIn(chunk, from);
    if (diagnose >= 0 && (config < 0 || diagnose < config)) return diagnose + DiagnoseEndOfOutput.size();
    return config < 0 ? -1 : config + EndOfOutput.size();
}

} // namespace

ResponseRouter::ResponseRouter(const RouterFields &fields, RouterTargets &targets, RouterHandlers &handlers,
                               SharedValues &shared, const SettingsStore &settings)
    : fields_(fields), targets_(targets), handlers_(handlers), shared_(shared), settings_(settings) {}

int ResponseRouter::matchRule(QByteArrayView text, const RouterFields &fields) {
    for (int i = 0; i < RuleCount; ++i)
        if (matches(Rules[i], text, fields)) return i + 1;
    return 0;
}

void ResponseRouter::newSession() {
    buffer_.clear();
    console_.reset();
    queryStream_.reset();
    cut_ = false;
    showReceiving();
}

void ResponseRouter::outputBroken() {
    // The next output to complete is the one the key broke: the one under way, or one whose echo
    // has not come yet (the key then waits at the OLT for its first pager). Typed while nothing ran,
    // the key is a command line of its own, and its own output takes the mark away.
    cut_ = true;
}

void ResponseRouter::route(QByteArrayView chunk) {
    const QByteArrayView chunkText = untilNul(chunk);
    const bool cutAtNul = chunkText.size() < chunk.size();

    // The console first: a handler below may open a box, and chunks that arrive meanwhile must
    // show after this one.
    targets_.appendConsole(console_.decode(chunkText));
    if (cutAtNul) console_.reset(); // a lead byte before the NUL has no partner

    // Every prompt inside the chunk ends one output; what follows the last one (commands typed
    // ahead: their echo and the start of their output) begins the next. Two replies that arrive in
    // one read are thus routed each by its own rule, as they would be in two reads. All of them are
    // taken from the buffer before any handler runs: what arrives meanwhile joins the next output.
    QList<QByteArray> outputs;
    qsizetype from = 0;
    for (qsizetype end; (end = nextPromptEnd(chunk, from)) >= 0;) {
        buffer_.append(chunk.sliced(from, end - from));
        outputs.append(buffer_.take());
        from = end;
    }
    const QByteArrayView rest = chunk.sliced(from);
    buffer_.append(rest);
    if (!outputs.isEmpty()) queryStream_.reset();

    // The completed outputs are handled before the rest is streamed: a handler that replaces the
    // query pane must not wipe the head of a configuration listing typed ahead.
    for (const QByteArray &output : std::as_const(outputs))
        complete(output);
    if (buffer_.holdsConfigurationEcho()) {
        const QByteArrayView restText = untilNul(rest);
        targets_.appendQueryPane(queryStream_.decode(restText));
        if (restText.size() < rest.size()) queryStream_.reset();
    }
    showReceiving();
}

void ResponseRouter::showReceiving() {
    const bool now = buffer_.holdsGridEcho();
    if (now)
        targets_.receiving(buffer_.lines());
    else if (receiving_)
        targets_.receiving(-1);
    receiving_ = now;
}

void ResponseRouter::complete(const QByteArray &output) {
    const QByteArrayView textBytes = untilNul(output);
    const int number = matchRule(textBytes, fields_);
    handle(number, output, textBytes, std::exchange(cut_, false));
    if (completed_) completed_(number);
}

void ResponseRouter::handle(int number, const QByteArray &output, QByteArrayView textBytes, bool cut) {
    if (number == 0) return;
    const Rule &rule = Rules[number - 1];
    // The ONT list is parsed from the bytes: a listing of megabytes is not decoded for nothing.
    const QString text = rule.action == Action::OntList ? QString() : fromGbk(textBytes);

    switch (rule.action) {
    case Action::ReplacePane:
        targets_.replacePaneText(rule.pane, text);
        break;
    case Action::PaneAndChassis:
        targets_.replacePaneText(rule.pane, text);
        handlers_.redrawChassis(output);
        break;
    case Action::OntList:
        if (cut)
            handlers_.ontListCut(output);
        else
            handlers_.ontList(output);
        break;
    case Action::Discovery:
        handlers_.discovery(text);
        break;
    case Action::PaneAndMove:
        // A move's location query is answered to the move itself (through the script runner).
        targets_.replacePaneText(rule.pane, text);
        break;
    case Action::PaneAndAdd:
        targets_.replacePaneText(rule.pane, text);
        handlers_.addReply(text);
        break;
    case Action::VersionList:
        if (text.contains(QStringLiteral("主用软件版本"))) break;
        if (cut)
            handlers_.versionListCut(output);
        else
            handlers_.versionList(output);
        break;
    case Action::PaneAndIptv:
        // A multicast clean-up reads the listing it asked for from its own script's answer.
        targets_.replacePaneText(rule.pane, text);
        break;
    }
}

} // namespace tw
