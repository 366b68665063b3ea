#include "wizards/SecurityToggles.h"

#include "common/InputCheck.h"
#include "common/SettingsStore.h"

namespace tw {

bool applySecurityToggle(PageContext &c, const SecurityToggle &toggle, bool on) {
    if (!sendOrTell(c.sink, c.op, QString::fromUtf16(on ? toggle.enable : toggle.disable))) return false;
    c.settings.writeSwitch(settings::other(toggle.key), on);
    return true;
}

} // namespace tw
