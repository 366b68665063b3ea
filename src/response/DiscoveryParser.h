#pragma once
// The reply to "display ont autofind": one grid row per discovered ONT, and the key (SN or MAC)
// of the first one for the registration boxes.

#include <QList>
#include <QString>
#include <QStringList>

namespace tw {

inline const QString NoDiscoveredOnt = QStringLiteral("不存在自动发现的ONT");

struct Discovery {
    QList<QStringList> rows; // in the columns of the discovery grid
    QString firstKey;        // the first record's SN (GPON) or MAC (EPON), vendor form cut off
};

// `gpon` selects which key the first ONT is known by.
Discovery parseDiscovery(const QString &text, bool gpon);

// An ONT waiting in the autofind list, as the automatic registration takes it.
struct WaitingOnt {
    QString port; // frame/slot/port
    QString key;  // SN (GPON) or MAC (EPON)
    bool gpon = true;
};
// Every record of the reply that names its port and an SN or a MAC, in the reply's order.
QList<WaitingOnt> waitingOnts(const QString &text);

// The key as the registration boxes want it: no blanks or colons, anything from the last "(" cut.
QString cleanOntKey(const QString &value);

} // namespace tw
