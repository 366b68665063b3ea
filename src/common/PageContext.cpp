#include "common/PageContext.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/InputCheck.h"
#include "common/Operator.h"

namespace tw {

QString outcomeLogLine(const QString &logText, const ScriptOutcome &outcome) {
    if (outcome.ok()) return logText;
    return QStringLiteral("   未完成：") + logText.trimmed() + QStringLiteral("（") + outcome.summary() + QStringLiteral("）");
}

bool sendLogNotify(PageContext &c, const QString &script, const QString &logText, const QString &notice,
                   const QString &noticeTitle, RunOptions options) {
    ActivityLog *log = &c.log;
    const std::function<void(const QString &)> report = c.report;
    const bool sent = c.sink.run(
        script,
        [log, logText, report](const ScriptOutcome &outcome) {
            if (!logText.isEmpty()) log->write(outcomeLogLine(logText, outcome));
            if (!outcome.ok() && report) report(QStringLiteral("命令未完成：") + outcome.summary());
        },
        options);
    if (!sent) {
        c.op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
        return false;
    }
    if (!notice.isEmpty()) c.op.notice(notice, noticeTitle.isEmpty() ? DefaultBoxTitle : noticeTitle);
    return true;
}

} // namespace tw
