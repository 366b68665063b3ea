#pragma once
// What an operation or reply handler works with in a flow test: a fresh run directory and its
// settings, an activity log on a fixed clock (2024-05-06 09:00:00), an operator answering from a
// script, a sink recording every write, and the program-wide values.

#include "TestDoubles.h"
#include "common/ActivityLog.h"
#include "common/Gbk.h"
#include "common/SettingsStore.h"
#include "olt/SharedValues.h"

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
};

} // namespace tw::test
