#pragma once
// What every page's flows work with, made once by the main window: the operator's boxes, where
// commands go, the activity log, the settings, the router's shared values, and the console.

#include "common/ScriptOutcome.h"

#include <QString>

#include <functional>

namespace tw {

class ActivityLog;
class CommandSink;
class Operator;
class RouterView;
class SettingsStore;
struct SharedValues;

struct PageContext {
    Operator &op;
    CommandSink &sink;
    ActivityLog &log;
    SettingsStore &settings;
    SharedValues &shared;
    std::function<void()> clearConsole = {}; // the console's Clear
    // An operation's late outcome (a failure, an interruption) for the status bar and the console.
    std::function<void(const QString &message)> report = {};
    // Where a page registers the text panes it shows and the fields the router reads.
    RouterView *view = nullptr;
};

// Sends the script and shows the notice (none when empty) once it went; the log line (`logText`
// after the time stamp, none when empty) is written when the OLT has answered: as it is when every
// line succeeded, else saying what failed (also reported). A lost write is told once, and nothing
// is logged or notified as done.
bool sendLogNotify(PageContext &c, const QString &script, const QString &logText = {},
                   const QString &notice = {}, const QString &noticeTitle = {}, RunOptions options = {});

// The log line for an operation's outcome: `logText` when it succeeded, else the same with what
// was left undone.
QString outcomeLogLine(const QString &logText, const ScriptOutcome &outcome);

} // namespace tw
