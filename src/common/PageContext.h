#pragma once
// What every page's flows work with, made once by the main window: the operator's boxes, where
// commands go, the activity log, the settings, the router's shared values, and the console.

#include <QString>

#include <functional>

namespace tw {

class ActivityLog;
class CommandSink;
class Operator;
class SettingsStore;
struct SharedValues;

struct PageContext {
    Operator &op;
    CommandSink &sink;
    ActivityLog &log;
    SettingsStore &settings;
    SharedValues &shared;
    std::function<void()> clearConsole = {}; // the console's Clear
};

// Sends the script in one write; only when the write was made, writes the log line (`logText`
// after the time stamp, none when empty) and shows the notice (none when empty). A lost write is
// told once, and nothing is logged or notified as done.
bool sendLogNotify(PageContext &c, const QString &script, const QString &logText = {},
                   const QString &notice = {}, const QString &noticeTitle = {});

} // namespace tw
