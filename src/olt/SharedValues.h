#pragma once
// The few values that the registration operations and the reply handlers share across events.
// One object for the whole program, passed to whoever reads or writes them.

#include <QByteArray>
#include <QString>

namespace tw {

struct SharedValues {
    int ponKindFlag = 0;        // 1: the ONT being discovered or registered is GPON; 0: EPON
    QString pendingAddKey;      // SN or MAC the automatic registration last tried to add
    QString pendingAddPort;     // its frame/slot/port
    int iptvCleanupPending = 0; // 1 while a service-port reply is awaited for multicast cleanup
    int moveStashReady = 0;     // 1 while moveStash holds an ONT-info reply to finish a move with
    QByteArray moveStash;       // the collected output of that ONT-info reply
    int autoAddAwaited = 0;     // 1 from an automatic "ont add" until its reply has been handled
    QString moveQueryKey;       // SN or MAC of the location query sent to move an ONT; empty when none
    // The service-port listing a pending multicast clean-up waits for ("display service-port port
    // P ont N"): only the reply to that very command may clean up, never an operator's own query.
    QString cleanupListing;
    // An ONT deletion that goes out once the clean-up has been sent, and its log line.
    QString deletionAfterCleanup;
    QString deletionLog;
};

} // namespace tw
