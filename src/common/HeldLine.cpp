#include "common/HeldLine.h"

#include <utility>

namespace tw {

QString HeldLine::help(const QString &entry) {
    const QString out = prepare(entry + u'?');
    // Lines before the last one were run by their line ends; the last one stays on the line.
    const qsizetype lastBreak = entry.lastIndexOf(QStringLiteral("\r\n"));
    held_ = lastBreak < 0 ? entry : entry.mid(lastBreak + 2);
    asked_ = entry;
    return out;
}

QString HeldLine::prepare(const QString &script) {
    const QString held = std::exchange(held_, QString());
    const QString asked = std::exchange(asked_, QString());
    if (held.isEmpty()) return script;
    // The entry the help was asked for, completed: only its new part goes.
    if (script.startsWith(asked)) return script.mid(asked.size());
    if (script.startsWith(held)) return script.mid(held.size());
    return QString(held.size(), u'\b') + script;
}

} // namespace tw
