#pragma once
// The order every operation that changes the OLT follows: confirm, ask its own questions, ask the
// kind, build the script, send, log, notify. Any answer but Yes (or Cancel) ends it with nothing sent.

#include "ont/OntRef.h"

#include <QString>

#include <functional>
#include <optional>

namespace tw {

class ActivityLog;
class CommandSink;
class Operator;

struct OperationContext {
    Operator &op;
    CommandSink &sink;
    ActivityLog &log;
};

struct OntOperation {
    QString confirmation;
    // Questions and input boxes after the confirmation; false ends the operation.
    std::function<bool(Operator &)> ownQuestions;
    // The script for the kind answered; nullopt ends the operation (an input box cancelled).
    std::function<std::optional<QString>(PonKind)> script;
    QString logText; // after the time stamp; starts with three blanks
    QString notice;

    // True when the script was sent.
    bool run(OperationContext &ctx) const;
};

// The closing notice of the operations that change ONTs.
QString requeryNotice(const QString &what);

} // namespace tw
