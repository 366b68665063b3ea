#pragma once
// "提取所有ONT数据(需提前备份OLT)": every registered ONT of a configuration backup (MA5680T.cfg in
// the run directory) as one line in GPON.txt or EPON.txt beside it.

#include "common/PageContext.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

namespace tw {

// The fixed names of the backup files on the TFTP server and of the extracted lists.
inline const QString BackupConfigFile = QStringLiteral("MA5680T.cfg");
inline const QString BackupDataFile = QStringLiteral("MA5680T.dat");
inline const QString GponListFile = QStringLiteral("GPON.txt");
inline const QString EponListFile = QStringLiteral("EPON.txt");

// The extractors: the configuration's bytes in (GBK CLI lines), one "\r\n"-ended line per
// registered ONT out, every field copied byte for byte from its registration line.
// GPON: the frame (only when it is not 0), slot, port, ONT id, the quoted SN, the description, one
// space between each. EPON: the same with the MAC address in place of the SN.
QByteArray extractGponOnts(QByteArrayView config);
QByteArray extractEponOnts(QByteArrayView config);

struct OntExtraction {
    enum Status { Done, NoBackup, Unreadable, Unwritable };
    Status status = Done;
    QString problem; // why, naming the file, when not Done
    int gponOnts = 0;
    int eponOnts = 0;
    QDateTime backupModified; // of the MA5680T.cfg that was read
};

// Reads MA5680T.cfg of the run directory and replaces GPON.txt and EPON.txt there, each written
// whole or not at all. Nothing is written when the backup is missing or unreadable.
OntExtraction extractOntData(const QString &runDir);

// The button: the extraction, then the error box, or the success box (with the counts and the
// backup's time, so a stale backup shows) and the log line.
bool extractAllOntData(PageContext &c, const QString &runDir);

// The run directory of a page's flows: the directory config.ini lives in.
QString runDirectoryOf(const PageContext &c);

} // namespace tw
