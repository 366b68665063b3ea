#pragma once
// The one value that the registration operations and the reply handlers share across events: which
// kind of PON the operator last chose. Operations keep their own state (ports, keys, steps to come)
// with themselves, never here.

#include <QByteArray>
#include <QMap>
#include <QString>

namespace tw {

struct SharedValues {
    int ponKindFlag = 0;        // 1: the ONT being discovered or registered is GPON; 0: EPON
    // The boards of the last chassis listing ("display board 0"): "frame/slot" -> board name,
    // e.g. "0/1" -> "H806GPBD". Questions about a board's PON kind take their default from it.
    QMap<QString, QString> boardNames;
};

} // namespace tw
