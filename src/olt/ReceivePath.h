#pragma once
// What the console does with the bytes the OLT sends, up to the response router: the telnet layer,
// the prompt joiner and the chunk stage, with the answers they give. The connection and the replay
// tool both drive this one piece, so a capture replays exactly as the console receives it.

#include "olt/ChunkStage.h"
#include "olt/PromptJoiner.h"
#include "olt/TelnetFilter.h"

#include <QByteArray>
#include <QByteArrayView>

namespace tw {

class SettingsStore;

// What the receive path asks of its driver, called in the order the answers must happen.
class ReceiveActions {
  public:
    virtual ~ReceiveActions() = default;
    // Telnet refusals, paging answers, login lines, fixed answers: one write each.
    virtual void write(const QByteArray &bytes) = 0;
    // The idle notice with 自动重连 on: connect anew (the driver resets the path).
    virtual void reconnect() = 0;
    // The account answered the user-name prompt; the password prompt is to come.
    virtual void accountSent() {}
    // The password went out: the post-login lines are for the driver to send.
    virtual void passwordSent() = 0;
    // A fixed answer typed `lines` command lines into the CLI (their prompts will come back).
    virtual void typedLines(int lines) { (void)lines; }
    // The OLT rejected the login (the chunk itself is discarded).
    virtual void loginRejected() = 0;
    // A paging prompt was answered with the break key after breakPaging(): the output ends there.
    virtual void pagingBroken() {}
    // A chunk that passed the chunk stage: for the response router.
    virtual void deliver(const QByteArray &chunk) = 0;
};

class ReceivePath {
  public:
    explicit ReceivePath(const SettingsStore &settings) : settings_(settings) {}

    // One read from the socket (any size, cut anywhere).
    void feed(QByteArrayView bytes, ReceiveActions &to);
    // The stream ended: the tail the joiner held back (the start of a prompt that never came
    // whole) goes through the chunk stage as it is.
    void finish(ReceiveActions &to);
    // A new connection starts a new stream.
    void reset();

    // Whether what was delivered last ends at the privileged prompt ("MA5680T#", outside
    // configuration mode), where no later output would ever complete.
    bool atPrivilegedPrompt() const;
    // Whether it ends at the user prompt ("MA5680T>"), where the CLI waits right after a login.
    bool atUserPrompt() const;

    // Whether the output under way stopped at a pager that was answered (a break key can end it).
    bool pagedOutput() const { return pager_.paged; }
    // The pager the OLT waits at next, once the keys on their way are taken, is answered with the
    // break key instead of a page key. Forgotten when the output ends first.
    void breakPaging() { pager_.breaking = true; }

  private:
    void stage(QByteArray data, ReceiveActions &to);

    const SettingsStore &settings_;
    TelnetFilter telnet_;
    PromptJoiner joiner_;
    Pager pager_;
    QByteArray lastLine_; // the end of the delivered stream since its last line break
};

} // namespace tw
