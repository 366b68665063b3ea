#pragma once
// Collects the filtered chunks until one brings the configuration-mode prompt, then recognises
// the command the output answers by fragments of its echo and hands it on. Every chunk is also
// appended to the operator console.

#include "common/Gbk.h"
#include "olt/ResponseBuffer.h"
#include "olt/RouterInterfaces.h"

#include <QByteArrayView>

#include <functional>

namespace tw {

class SettingsStore;
struct SharedValues;

// What a completed output is taken for, by a fragment of its echo; the router's table lists the
// fragments in the order they are tried (the first that occurs decides).
enum class RouterRule {
    None, // no fragment occurs: the output goes to the console only
    Chassis,
    OntList,
    OntDetail,
    Discovery,
    Alarms,
    Arp,
    RogueOnts,
    Version,
    OntSearch,
    OntAdd,
    Statistics,
    DbaProfiles,
    GponLineProfiles,
    GponServiceProfiles,
    Boards,
    Vlans,
    Routes,
    IpInterfaces,
    IpStatistics,
    Temperature,
    Power,
    CallInfo,
    BoardConfirm,
    AutoFindSwitch,
    PacketFiles,
    Progress,
    OntVersions,
    ServicePorts,
    EponLineProfiles,
    EponServiceProfiles,
    PortDdm
};

// The rule's name as the replay tool prints it ("ont-list", "none").
QString routerRuleName(RouterRule rule);

class ResponseRouter {
  public:
    ResponseRouter(const RouterFields &fields, RouterTargets &targets, RouterHandlers &handlers,
                   SharedValues &shared, const SettingsStore &settings);

    // One chunk that passed the chunk stage.
    void route(QByteArrayView chunk);
    // A new connection: the output the old one left unfinished is dropped. Completed by the new
    // session's first prompt, it would reach the handlers as a reply to nothing that is running.
    void newSession();
    // The break key went to the OLT: the next output to complete was cut short, and a grid listing
    // is handled so.
    void outputBroken();
    // Told of every completed output after it was handled, with its rule.
    void setCompletionHook(std::function<void(RouterRule rule)> hook) { completed_ = std::move(hook); }

    // The first rule whose fragment occurs in `text`; None when none does.
    static RouterRule matchRule(QByteArrayView text, const RouterFields &fields);
    static constexpr int RuleCount = 31;

    const ResponseBuffer &buffer() const { return buffer_; }

  private:
    void complete(const QByteArray &output);
    void handle(RouterRule rule, const QByteArray &output, QByteArrayView textBytes, bool cut);
    // Tells the targets how far a grid listing has come, or that none is arriving any more.
    void showReceiving();

    const RouterFields &fields_;
    RouterTargets &targets_;
    RouterHandlers &handlers_;
    SharedValues &shared_;
    const SettingsStore &settings_;
    ResponseBuffer buffer_;
    GbkStreamDecoder console_;
    GbkStreamDecoder queryStream_;
    std::function<void(RouterRule)> completed_;
    bool receiving_ = false;
    bool cut_ = false; // the output being collected was broken off
};

} // namespace tw
