#pragma once
// The service flows of a registered ONT, built from the templates in config.ini, and what a
// registration reply ("ont add" echo and the OLT's answer) leads to: the flows of every ONT the OLT
// confirms. The automatic registration's own replies are its own business (AutoRegistrar).

#include <QString>

#include <functional>

namespace tw {

class ActivityLog;
class CommandSink;
class SettingsStore;

// The manual-registration fields of the registration tab.
struct AddReplyFields {
    bool autoRegisterTicked = false; // "开启自动注册"
    QString frame;                   // "机框："
    QString board;                   // "业务板：" (the slot number)
    QString port;                    // "端口："
    QString outerVlan;               // "外层VLAN："
    QString serviceVlan;             // "业务VLAN："
    bool gpon = true;                // the kind when the echo's prompt does not show it
};

// One "ont add" echo as found in a reply.
struct AddEcho {
    QString board;   // frame/slot from the interface prompt, empty when the line shows none
    QString ponPort; // the first argument of "ont add"
    QString key;     // the argument of sn-auth or mac-auth
};
// Reads the echo from a line containing "nt add ".
AddEcho parseAddEcho(const QString &line);

// One registered ONT that gets its service flows.
struct FlowTarget {
    bool gpon = true;
    QString board;   // frame/slot
    QString ponPort; // the port number on the board
    QString ontId;
    QString key;     // SN, MAC, LOID or password, for the log
};

// The ONT's part of a service-flow script (the 缺省 block and the flows, placeholders filled, the
// counters advanced in config.ini) and its log line. `typed` holds the registration tab's values
// when the flows follow a registration made by hand with "开启自动注册" off; null otherwise.
QString serviceFlowPart(const FlowTarget &ont, SettingsStore &settings, const AddReplyFields *typed,
                        QString &logLine);
// The whole script from the parts: the closing blank block, the BTV lines with IPTV on, the IPTV
// values and "#" as line breaks.
QString finishFlowScript(QString parts, const SettingsStore &settings);

// Handles one completed output containing "nt add " for the registrations made by hand or in a
// batch: the flows of every ONT it confirms go out in one script, on the port its echo names. An
// echo whose key `ownedElsewhere` claims (the automatic registration's) is left alone.
void handleAddReply(const QString &text, SettingsStore &settings, CommandSink &sink, const ActivityLog &log,
                    const AddReplyFields &fields,
                    const std::function<bool(const QString &key)> &ownedElsewhere = {});

} // namespace tw
