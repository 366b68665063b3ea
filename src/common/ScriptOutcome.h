#pragma once
// What became of a script sent to the OLT: each line it wrote and what the OLT answered to it, and
// how the script ended. Operations read it to tell the operator what really happened.

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace tw {

struct LineAnswer {
    QString line;      // as written, without its line end
    QString command;   // the command this line belongs to: itself, or the one whose question it answered
    QByteArray answer; // what the OLT printed after the echo, up to the next prompt or question (GBK)
    QString failure;   // the OLT's failure text, empty when the line succeeded

    bool failed() const { return !failure.isEmpty(); }
    QString text() const;
};

struct ScriptOutcome {
    enum Status {
        Done,        // every line was answered and none failed
        Failed,      // a line failed (reason: the OLT's text); with stopAtFailure nothing after it went
        Interrupted, // the connection dropped or the operator broke off
        TimedOut     // a line got no answer in time
    };
    Status status = Done;
    QList<LineAnswer> lines; // the lines written, in order
    QString reason;          // the first failure, or why the script was cut short
    int skipped = 0;         // lines never written

    bool ok() const { return status == Done; }
    // The first failed line, or nullptr.
    const LineAnswer *firstFailure() const;
    // The answer to the first line that starts with `command` (decoded); null when none ran.
    QString answerTo(QStringView command) const;
    // Every answer, decoded, in order.
    QString allText() const;
    // "…：<reason>" for a log line or a status message; empty when ok.
    QString summary() const;
};

using ScriptDone = std::function<void(const ScriptOutcome &)>;

struct RunOptions {
    // Later lines depend on earlier ones: after a failed line nothing more of the script goes.
    // Without it the lines are taken as independent (a batch, a template), except that nothing
    // goes after a failed "interface", "btv" or "diagnose": the lines after it were meant for a
    // mode the CLI is not in.
    bool stopAtFailure = false;
    // After the script, a CLI left in an interface, profile or btv mode is brought back to
    // configuration mode. Off for what the operator types at the console.
    bool homeMode = true;
};

// The first line of `answer` (among its first few) that tells of a failure ("Failure: …", "失败…",
// "% …", "Error…", "…错误", "…不存在"), trimmed; empty when there is none.
QString answerFailure(QStringView answer);

} // namespace tw
