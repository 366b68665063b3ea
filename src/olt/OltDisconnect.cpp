#include "olt/OltDisconnect.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "olt/OltTexts.h"

namespace tw {

bool disconnectOlt(const SettingsStore &settings, CommandSink &sink, Operator &op, const ActivityLog &log) {
    if (settings.isOn(settings::AutoReconnect)) {
        op.notice(olt::DisconnectRefused);
        return false;
    }
    sink.send(olt::Logout);
    log.write(olt::DisconnectLogLine);
    return true;
}

} // namespace tw
