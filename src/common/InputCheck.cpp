#include "common/InputCheck.h"

#include "common/CommandSink.h"
#include "common/Operator.h"

#include <algorithm>
#include <utility>

namespace tw {

QString controlCharacterProblem(const QString &value, const QString &field) {
    for (const QChar c : value) {
        // C0 controls, DEL and C1 controls; the line and paragraph separators of pasted text too.
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0x2028 || u == 0x2029)
            return QStringLiteral("“") + field +
                   QStringLiteral("”中含有换行符或控制字符，命令没有发送！请删除后重试。");
    }
    return {};
}

bool acceptTyped(Operator &op, const QString &value, const QString &field) {
    const QString problem = controlCharacterProblem(value, field);
    if (problem.isEmpty()) return true;
    op.notice(problem, ErrorBoxTitle, BoxIcon::Warning);
    return false;
}

std::optional<QString> quotedWord(Operator &op, const QString &value, const QString &field) {
    if (!acceptTyped(op, value, field)) return std::nullopt;
    if (value.contains(u'"')) {
        op.notice(QStringLiteral("“") + field + QStringLiteral("”中不能含有双引号（\"），命令没有发送！"),
                  ErrorBoxTitle, BoxIcon::Warning);
        return std::nullopt;
    }
    return u'"' + value + u'"';
}

bool isBoardRef(const QString &text) {
    const qsizetype slash = text.indexOf(u'/');
    const auto digits = [](QStringView part) {
        return !part.isEmpty() && part.size() <= 3 &&
               std::all_of(part.begin(), part.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
    };
    return slash > 0 && digits(QStringView(text).left(slash)) && digits(QStringView(text).mid(slash + 1));
}

bool sendOrTell(CommandSink &sink, Operator &op, const QString &script) {
    if (sink.send(script)) return true;
    op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
    return false;
}

bool runOrTell(CommandSink &sink, Operator &op, const QString &script, ScriptDone done, RunOptions options) {
    if (sink.run(script, std::move(done), options)) return true;
    op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
    return false;
}

} // namespace tw
