#pragma once
// The backup group of "基本设置": the OLT's configuration or database file to a TFTP server and
// back ("备份", "还原"), and the activation of a loaded configuration ("激活").

#include "common/PageContext.h"

#include <QString>

namespace tw {

// "操作类型：" items, by index.
enum class BackupType { Configuration = 0, Database = 1 };

struct BackupFields {
    QString address = QStringLiteral("10.11.104.1"); // "TFTP地址：" as typed
    int typeIndex = 0;                               // "操作类型："; -1 when nothing is selected
};

// Asks nothing; logs once the OLT got the script. True when it was sent.
bool backupToTftp(PageContext &c, const BackupFields &fields);
// Asks first (OK/Cancel); logs nothing.
bool restoreFromTftp(PageContext &c, const BackupFields &fields);
// Sends at once; no address needed.
bool activateConfiguration(PageContext &c);

} // namespace tw
