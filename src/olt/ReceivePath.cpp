#include "olt/ReceivePath.h"

#include "olt/ChunkStage.h"
#include "olt/ScriptRunner.h"

namespace tw {

namespace {

// Whether a line of `bytes` is a CLI prompt: an output ended in it.
bool holdsPromptLine(QByteArrayView bytes) {
    qsizetype from = 0;
    while (from <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0) end = bytes.size();
        QByteArrayView line = bytes.sliced(from, end - from);
        while (!line.isEmpty() && (line.front() == '\r' || line.front() == ' '))
            line = line.sliced(1);
        if (ScriptRunner::isPrompt(line)) return true;
        from = end + 1;
    }
    return false;
}

} // namespace

void ReceivePath::feed(QByteArrayView bytes, ReceiveActions &to) {
    TelnetFilter::Result telnet = telnet_.feed(bytes);
    if (!telnet.reply.isEmpty()) to.write(telnet.reply);
    if (telnet.data.isEmpty()) return; // only option negotiation
    QByteArray data = joiner_.feed(telnet.data);
    if (data.isEmpty()) return; // all of it may be the start of a prompt: wait for the rest
    stage(std::move(data), to);
}

void ReceivePath::finish(ReceiveActions &to) {
    QByteArray held = joiner_.flush();
    if (!held.isEmpty()) stage(std::move(held), to);
}

void ReceivePath::reset() {
    telnet_.reset();
    joiner_.reset();
    lastLine_.clear();
    pager_.outputEnded();
}

namespace {

// A prompt is the system name and its mark: no blanks, no mode in parentheses, nothing after it.
bool endsAtPrompt(const QByteArray &lastLine, char mark) {
    const QByteArray line = lastLine.trimmed();
    if (line.size() < 2 || !line.endsWith(mark)) return false;
    for (const char c : line.first(line.size() - 1))
        if (c == '#' || c == '(' || c == ')' || c == '>' || static_cast<unsigned char>(c) <= ' ')
            return false;
    return true;
}

} // namespace

bool ReceivePath::atPrivilegedPrompt() const {
    return endsAtPrompt(lastLine_, '#');
}

bool ReceivePath::atUserPrompt() const {
    return endsAtPrompt(lastLine_, '>');
}

void ReceivePath::stage(QByteArray data, ReceiveActions &to) {
    // Computed whole before any action runs: a reconnect resets this path in the middle.
    const ChunkOutcome out = runChunkStage(std::move(data), settings_, &pager_);
    if ((pager_.paged || pager_.breaking) && holdsPromptLine(out.passOn)) pager_.outputEnded();
    for (qsizetype i = 0; i < out.sends.size(); ++i) {
        if (out.reconnect && i == out.sendsBeforeReconnect) to.reconnect();
        to.write(out.sends[i]);
    }
    if (out.reconnect && out.sendsBeforeReconnect == out.sends.size()) to.reconnect();
    if (out.typedLines > 0) to.typedLines(out.typedLines);
    if (out.accountAnswered) to.accountSent();
    if (out.loginAnswered) to.passwordSent();
    if (out.loginRejected) to.loginRejected();
    if (out.pagingBroken) to.pagingBroken();
    if (out.discarded) return;
    const qsizetype lineStart = out.passOn.lastIndexOf('\n');
    if (lineStart >= 0)
        lastLine_ = out.passOn.sliced(lineStart + 1);
    else
        lastLine_ += out.passOn;
    if (lastLine_.size() > 256) lastLine_ = " "; // no prompt is that long, and a blank rules one out
    to.deliver(out.passOn);
}

} // namespace tw
