#include "common/ScriptOutcome.h"

#include "common/Gbk.h"

namespace tw {

QString LineAnswer::text() const {
    return fromGbk(untilNul(answer));
}

const LineAnswer *ScriptOutcome::firstFailure() const {
    for (const LineAnswer &l : lines)
        if (l.failed()) return &l;
    return nullptr;
}

QString ScriptOutcome::answerTo(QStringView command) const {
    for (const LineAnswer &l : lines)
        if (l.line.startsWith(command)) return l.text();
    return {};
}

QString ScriptOutcome::allText() const {
    QString out;
    for (const LineAnswer &l : lines)
        out += l.text();
    return out;
}

QString ScriptOutcome::summary() const {
    switch (status) {
    case Done:
        return {};
    case Failed: {
        const LineAnswer *f = firstFailure();
        return f ? f->command.trimmed() + QStringLiteral("：") + f->failure : reason;
    }
    case Interrupted:
        return QStringLiteral("已中断：") + reason;
    case TimedOut:
        return QStringLiteral("OLT无应答：") + reason;
    }
    return reason;
}

QString answerFailure(QStringView answer) {
    int seen = 0;
    for (QStringView line : answer.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty()) continue;
        // A failure is told at once, before any listing: a listing's own rows are never read.
        if (++seen > 6) break;
        if (line.startsWith(u"Failure") || line.startsWith(u"失败") || line.startsWith(u'%') ||
            line.startsWith(u"Error") || line.startsWith(u"错误"))
            return line.toString();
        for (const char16_t *marker : {u"失败", u"错误", u"不存在", u"Failure:", u"Error:"})
            if (line.contains(QStringView(marker))) return line.toString();
    }
    return {};
}

} // namespace tw
