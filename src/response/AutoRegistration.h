#pragma once
// The unattended registration of the first ONT of a discovery reply: one "ont add" per discovery
// cycle, remembered in the shared values so that its reply can be recognised.

#include <QString>

namespace tw {

class ActivityLog;
class CommandSink;
class SettingsStore;
struct SharedValues;

// `text` is a completed "display ont autofind" reply that lists at least one ONT. Registers the
// first GPON ONT (by SN) or, when the reply names none, the first EPON ONT (by MAC).
void autoRegister(const QString &text, SharedValues &shared, const SettingsStore &settings, CommandSink &sink,
                  const ActivityLog &log);

} // namespace tw
