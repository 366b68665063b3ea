#pragma once
// Whole-OLT commands of "基本设置" ("系统功能", "其他", the autosave boxes) and "写入OLT(&S)".

#include "common/PageContext.h"

#include <QString>

namespace tw {

enum class SystemAction { EraseDatabase, Reboot, SwitchOver, Save };

// Asks (OK/Cancel), sends; only after a successful send, logs and notifies.
bool runSystemAction(PageContext &c, SystemAction action);

// "系统更名": the name is one CLI word (no blanks, quotes or line breaks).
bool renameSystem(PageContext &c, const QString &name);

// "设置" of "其他": the CLI idle time-out in minutes.
bool setIdleTimeout(PageContext &c, const QString &minutes);

// "定时保存" (at `time`) and "间隔保存" (every `minutes`), switched on or off. The switch is stored
// in config.ini only when the OLT got the script; false leaves the box to go back.
bool setTimedSave(PageContext &c, bool on, const QString &time);
bool setIntervalSave(PageContext &c, bool on, const QString &minutes);

} // namespace tw
