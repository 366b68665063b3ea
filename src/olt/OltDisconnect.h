#pragma once
// The main window's "断开OLT(&D)": log out of the OLT, which then closes the connection.
// ("重连OLT(&R)" is OltConnection::connectToOlt() alone.)

namespace tw {

class ActivityLog;
class CommandSink;
class Operator;
class SettingsStore;

// Refused with a notice while 自动重连 is on (the OLT would only be dialled again); otherwise sends
// the logout and writes the log line. Returns false when refused.
bool disconnectOlt(const SettingsStore &settings, CommandSink &sink, Operator &op, const ActivityLog &log);

} // namespace tw
