#pragma once

#include "common/ScriptOutcome.h"

#include <QString>

namespace tw {

// Where operations send their command scripts.
class CommandSink {
  public:
    virtual ~CommandSink() = default;
    // Sends the script (the connection paces it a line at a time); false when it cannot go (not
    // connected).
    virtual bool send(const QString &script) = 0;
    // The same, and `done` is told how each line was answered once the script has ended. False,
    // and `done` never called, when it cannot go. A sink that reads no answers reports success
    // at once.
    virtual bool run(const QString &script, ScriptDone done, RunOptions options = {}) {
        (void)options;
        if (!send(script)) return false;
        if (done) done(ScriptOutcome{});
        return true;
    }
    // Keys that must reach the OLT at once, ahead of whatever is paced ("Q" that breaks a listing).
    virtual bool sendNow(const QString &keys) { return send(keys); }
    // Whether nothing is running or waiting to be written: work of its own (a periodic reading)
    // waits while the operator's commands are still going out. A sink that paces nothing is idle.
    virtual bool idle() const { return true; }
    // "中断命令": ends the output under way. The plain form types the OLT's break key at once; a
    // connection that answers the pager itself answers the next paging prompt with it instead.
    virtual bool breakOutput() { return sendNow(QStringLiteral("Q\r\n")); }
};

} // namespace tw
