#include "common/PageContext.h"

#include "common/ActivityLog.h"
#include "common/InputCheck.h"
#include "common/Operator.h"

namespace tw {

bool sendLogNotify(PageContext &c, const QString &script, const QString &logText, const QString &notice,
                   const QString &noticeTitle) {
    if (!sendOrTell(c.sink, c.op, script)) return false;
    if (!logText.isEmpty()) c.log.write(logText);
    if (!notice.isEmpty()) c.op.notice(notice, noticeTitle.isEmpty() ? DefaultBoxTitle : noticeTitle);
    return true;
}

} // namespace tw
