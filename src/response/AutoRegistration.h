#pragma once
// The script that registers one ONT of the autofind list unattended, and its log line.

#include <QString>

namespace tw {

class ActivityLog;
class SettingsStore;
struct WaitingOnt;

// "interface gpon|epon F/S", "ont add P sn-auth|mac-auth KEY omci|oam ont-lineprofile-id …
// ont-srvprofile-id … desc "<date>_<默认描述>"", an empty line and "quit".
QString autoAddScript(const WaitingOnt &ont, const SettingsStore &settings, const ActivityLog &log);
// "自动注册GPON-ONT，注册到…" as the activity log tells it.
QString autoAddLogLine(const WaitingOnt &ont, const SettingsStore &settings);

} // namespace tw
