#pragma once
// What a registration reply ("ont add" echo and the OLT's answer) leads to: a location query when
// the ONT of the automatic registration is registered elsewhere, and the service flows of every
// ONT the OLT confirms, built from the templates in config.ini.

#include <QString>

namespace tw {

class ActivityLog;
class CommandSink;
class SettingsStore;
struct SharedValues;

// The manual-registration fields of the registration tab.
struct AddReplyFields {
    bool autoRegisterTicked = false; // "开启自动注册"
    QString frame;                   // "机框："
    QString board;                   // "业务板：" (the slot number)
    QString port;                    // "端口："
    QString outerVlan;               // "外层VLAN："
    QString serviceVlan;             // "业务VLAN："
};

// One "ont add" echo as found in a reply.
struct AddEcho {
    QString board;   // frame/slot from the interface prompt, empty when the line shows none
    QString ponPort; // the first argument of "ont add"
    QString key;     // the argument of sn-auth or mac-auth
};
// Reads the echo from a line containing "nt add ".
AddEcho parseAddEcho(const QString &line);

// Handles one completed output containing "nt add ". Sends the move queries as they arise and the
// collected service-flow script in one write at the end; updates the counters in config.ini.
void handleAddReply(const QString &text, SharedValues &shared, SettingsStore &settings, CommandSink &sink,
                    const ActivityLog &log, const AddReplyFields &fields);

} // namespace tw
