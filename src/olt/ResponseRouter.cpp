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
    PaneAndAdd,     // registration pane := text, then the add-reply handling
    VersionList     // the version grid, unless the text shows a single ONT's versions
};

using Fragments = QStringList (*)(const RouterFields &);

using R = RouterRule;

struct Rule {
    RouterRule name;
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
constexpr Rule Rules[] = {
    {R::Chassis, u"isplay board 0", nullptr, Action::PaneAndChassis, Pane::QueryPane},
    {R::OntList, nullptr, ontListForms, Action::OntList},
    {R::OntDetail, nullptr, ontDetailForms, Action::ReplacePane, Pane::OntDetailPane},
    {R::Discovery, u"isplay ont autofind", nullptr, Action::Discovery},
    {R::Alarms, u"isplay alarm active all detail", nullptr, Action::ReplacePane, Pane::AlarmPane},
    {R::Arp, u"isplay arp all", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::RogueOnts, u"isplay rogueont 0 all", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::Version, u"isplay version", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::OntSearch, u"isplay ont info by", nullptr, Action::ReplacePane, Pane::OntSearchPane},
    {R::OntAdd, u"nt add ", nullptr, Action::PaneAndAdd, Pane::RegistrationPane},
    {R::Statistics, u"isplay  statistics  global", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::DbaProfiles, u"isplay DBA-profile all", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::GponLineProfiles, u"isplay ont-lineprofile gpon all", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::GponServiceProfiles, u"isplay ont-srvprofile gpon all", nullptr, Action::ReplacePane,
     Pane::QueryPane},
    {R::Boards, u"isplay board", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::Vlans, u"isplay vlan", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::Routes, u"isplay ip routing-table", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::IpInterfaces, u"isplay ip interface", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::IpStatistics, u"isplay ip statistics", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::Temperature, u"isplay temperature", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::Power, u"isplay power", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::CallInfo, u"isplay runstat callinfo", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::BoardConfirm, u"oard confirm", nullptr, Action::ReplacePane, Pane::BoardPane},
    {R::AutoFindSwitch, u"nt-auto-find enable", nullptr, Action::ReplacePane, Pane::BoardPane},
    {R::PacketFiles, u"isplay io-packetfile", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::Progress, u"isplay progress", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::OntVersions, nullptr, ontVersionForms, Action::VersionList},
    {R::ServicePorts, u"isplay service-port port", nullptr, Action::ReplacePane, Pane::OntDetailPane},
    // The catalogue empties the query pane before these; their answers fill it like the GPON ones.
    {R::EponLineProfiles, u"isplay ont-lineprofile epon all", nullptr, Action::ReplacePane, Pane::QueryPane},
    {R::EponServiceProfiles, u"isplay ont-srvprofile epon all", nullptr, Action::ReplacePane,
     Pane::QueryPane},
    {R::PortDdm, u"isplay port ddm-info", nullptr, Action::ReplacePane, Pane::QueryPane},
};
static_assert(std::size(Rules) == ResponseRouter::RuleCount);

constexpr bool eachRuleNamedOnce() {
    for (std::size_t i = 0; i < std::size(Rules); ++i)
        for (std::size_t j = i + 1; j < std::size(Rules); ++j)
            if (Rules[i].name == Rules[j].name || Rules[i].name == R::None) return false;
    return true;
}
static_assert(eachRuleNamedOnce());

bool matches(const Rule &rule, QByteArrayView text, const RouterFields &fields) {
    if (rule.fragment) return ByteFinder(toGbk(QStringView(rule.fragment))).in(text);
    const QStringList forms = rule.build(fields);
    for (const QString &form : forms)
        if (ByteFinder(toGbk(form)).in(text)) return true;
    return false;
}

const Rule &ruleNamed(RouterRule name) {
    return *std::find_if(std::begin(Rules), std::end(Rules),
                         [name](const Rule &r) { return r.name == name; });
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

RouterRule ResponseRouter::matchRule(QByteArrayView text, const RouterFields &fields) {
    for (const Rule &rule : Rules)
        if (matches(rule, text, fields)) return rule.name;
    return R::None;
}

QString routerRuleName(RouterRule rule) {
    switch (rule) {
    case R::None:
        return QStringLiteral("none");
    case R::Chassis:
        return QStringLiteral("chassis");
    case R::OntList:
        return QStringLiteral("ont-list");
    case R::OntDetail:
        return QStringLiteral("ont-detail");
    case R::Discovery:
        return QStringLiteral("discovery");
    case R::Alarms:
        return QStringLiteral("alarms");
    case R::Arp:
        return QStringLiteral("arp");
    case R::RogueOnts:
        return QStringLiteral("rogue-onts");
    case R::Version:
        return QStringLiteral("version");
    case R::OntSearch:
        return QStringLiteral("ont-search");
    case R::OntAdd:
        return QStringLiteral("ont-add");
    case R::Statistics:
        return QStringLiteral("statistics");
    case R::DbaProfiles:
        return QStringLiteral("dba-profiles");
    case R::GponLineProfiles:
        return QStringLiteral("gpon-line-profiles");
    case R::GponServiceProfiles:
        return QStringLiteral("gpon-service-profiles");
    case R::Boards:
        return QStringLiteral("boards");
    case R::Vlans:
        return QStringLiteral("vlans");
    case R::Routes:
        return QStringLiteral("routes");
    case R::IpInterfaces:
        return QStringLiteral("ip-interfaces");
    case R::IpStatistics:
        return QStringLiteral("ip-statistics");
    case R::Temperature:
        return QStringLiteral("temperature");
    case R::Power:
        return QStringLiteral("power");
    case R::CallInfo:
        return QStringLiteral("call-info");
    case R::BoardConfirm:
        return QStringLiteral("board-confirm");
    case R::AutoFindSwitch:
        return QStringLiteral("auto-find-switch");
    case R::PacketFiles:
        return QStringLiteral("packet-files");
    case R::Progress:
        return QStringLiteral("progress");
    case R::OntVersions:
        return QStringLiteral("ont-versions");
    case R::ServicePorts:
        return QStringLiteral("service-ports");
    case R::EponLineProfiles:
        return QStringLiteral("epon-line-profiles");
    case R::EponServiceProfiles:
        return QStringLiteral("epon-service-profiles");
    case R::PortDdm:
        return QStringLiteral("port-ddm");
    }
    return {};
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
        targets_.receiving(buffer_.lines(), buffer_.onts());
    else if (receiving_)
        targets_.receiving(-1, -1);
    receiving_ = now;
}

void ResponseRouter::complete(const QByteArray &output) {
    const QByteArrayView textBytes = untilNul(output);
    const RouterRule name = matchRule(textBytes, fields_);
    const bool cut = std::exchange(cut_, false);
    if (name != R::None) handle(name, output, textBytes, cut);
    if (completed_) completed_(name);
}

void ResponseRouter::handle(RouterRule name, const QByteArray &output, QByteArrayView textBytes, bool cut) {
    const Rule &rule = ruleNamed(name);
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
    }
}

} // namespace tw
