#pragma once
// Faults injected through the control channel. One set per simulator, read by every connection.

#include <QtGlobal>

namespace tw::sim {

struct Faults {
    int chunkBytes = 0;        // > 0: every write goes out in pieces of this size
    int chunkDelayMs = 0;      // pause between those pieces
    bool splitPaging = false;  // the paging prompt is split across two writes
    qint64 dropAfter = -1;     // >= 0: the connection drops after this many more bytes
    bool alarmPending = false; // an alarm notice goes into the middle of the next output
    bool rejectLogins = false;

    void clear() { *this = Faults{.rejectLogins = rejectLogins}; }
};

} // namespace tw::sim
