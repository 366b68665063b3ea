#pragma once
// The one value that the registration operations and the reply handlers share across events: which
// kind of PON the operator last chose. Operations keep their own state (ports, keys, steps to come)
// with themselves, never here.

#include <QByteArray>
#include <QString>

namespace tw {

struct SharedValues {
    int ponKindFlag = 0;        // 1: the ONT being discovered or registered is GPON; 0: EPON
};

} // namespace tw
