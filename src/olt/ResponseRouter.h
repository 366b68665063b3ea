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
    // Told of every completed output after it was handled, with its rule (0: none matched).
    void setCompletionHook(std::function<void(int rule)> hook) { completed_ = std::move(hook); }

    // The number (1 to RuleCount) of the first rule whose fragment occurs in `text`, 0 when none does.
    static int matchRule(QByteArrayView text, const RouterFields &fields);
    static constexpr int RuleCount = 31;

    const ResponseBuffer &buffer() const { return buffer_; }

  private:
    void complete(const QByteArray &output);
    void handle(int rule, const QByteArray &output, QByteArrayView textBytes, bool cut);
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
    std::function<void(int)> completed_;
    bool receiving_ = false;
    bool cut_ = false; // the output being collected was broken off
};

} // namespace tw
