#include "ont/OntOperation.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Operator.h"

namespace tw {

bool OntOperation::run(OperationContext &ctx) const {
    if (!ctx.op.askYesNo(confirmation)) return false;
    if (ownQuestions && !ownQuestions(ctx.op)) return false;
    const PonKind kind = askPonKind(ctx.op);
    const std::optional<QString> text = script(kind);
    if (!text) return false;
    ctx.sink.send(*text); // operations that change the OLT log and notify even when not connected
    ctx.log.write(logText);
    ctx.op.notice(notice);
    return true;
}

QString requeryNotice(const QString &what) {
    return what + QStringLiteral("请等待程序执行完毕后重新查询以更新列表！");
}

} // namespace tw
