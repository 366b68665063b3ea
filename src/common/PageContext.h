#pragma once
// What every page's flows work with, made once by the main window: the operator's boxes, where
// commands go, the activity log, the settings, the router's shared values, and the console.

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

} // namespace tw
