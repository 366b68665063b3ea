#pragma once
// What an operation or reply handler works with in a flow test: a fresh run directory and its
// settings, an activity log on a fixed clock (2024-05-06 09:00:00), an operator answering from a
// script, a sink recording every write, and the program-wide values.

#include "TestDoubles.h"
#include "common/ActivityLog.h"
#include "common/Gbk.h"
#include "common/PageContext.h"
#include "common/SettingsStore.h"
#include "olt/SharedValues.h"

#include <QStringList>

namespace tw::test {

struct Flow {
    TempRunDir run;
    SettingsStore settings{run.config()};
    ActivityLog log{settings, run.path(), FixedClock{QDateTime(QDate(2024, 5, 6), QTime(9, 0, 0))}};
    ScriptedOperator op;
    RecordingSink sink;
    SharedValues shared;

    QString logText() const { return fromGbk(run.readFile(QStringLiteral("日志/2024-05-06.txt"))); }
    QString sent() const { return fromGbk(sink.all()); }
    QStringList writes() const {
        QStringList out;
        for (const QByteArray &w : sink.writes)
            out << fromGbk(w);
        return out;
    }
    QString lastBox() const { return op.boxes.isEmpty() ? QString() : op.boxes.last().text; }
};

// Scripted answers: Yes, No (or Cancel of an OK/Cancel box), a typed text, Cancel of an input box.
using Answer = ScriptedOperator::Answer;
inline const Answer Y = true;
inline const Answer N = false;
inline const Answer Cancel = std::optional<QString>();
inline const Answer Esc = Escape{};
inline Answer T(const char *utf8) {
    return std::optional<QString>(QString::fromUtf8(utf8));
}

// A flow of a page: the same, with the context the page's operations take.
struct PageFlow : Flow {
    int cleared = 0;
    PageContext context{op, sink, log, settings, shared, [this] { ++cleared; }};
};

} // namespace tw::test
