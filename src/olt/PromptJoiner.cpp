#include "olt/PromptJoiner.h"

#include "common/Bytes.h"
#include "common/Gbk.h"

#include <QList>

namespace tw {

namespace {

const QList<QByteArray> &watched() {
    static const QList<QByteArray> patterns = [] {
        const QByteArray chineseErase = "\x1b[39D" + QByteArray(39, ' ') + "\x1b[39D";
        const QByteArray englishErase = "\x1b[37D" + QByteArray(37, ' ') + "\x1b[37D";
        return QList<QByteArray>{toGbk(u"---- 任意键继续显示 ( 'Q' 键退出 ) ----"),
                                 "---- More ( Press 'Q' to break ) ----",
                                 "(config)#",
                                 "User name:",
                                 "User password:",
                                 "{ <cr>||<K> }",
                                 toGbk(u"请重建连接后登录"),
                                 chineseErase,
                                 englishErase};
    }();
    return patterns;
}

} // namespace

qsizetype unfinishedPromptTail(const QByteArray &bytes) {
    // A prompt that is already whole stays whole: only bytes after the last complete one count
    // (the paging prompt ends with the very dashes it starts with).
    qsizetype settled = 0;
    for (const QByteArray &p : watched()) {
        const qsizetype at = lastIndexOfBytes(bytes, p);
        if (at >= 0) settled = qMax(settled, at + p.size());
    }
    qsizetype longest = 0;
    for (const QByteArray &p : watched()) {
        const qsizetype most = qMin(bytes.size() - settled, p.size() - 1);
        for (qsizetype n = most; n > longest; --n) {
            if (QByteArrayView(bytes).last(n) == QByteArrayView(p).first(n)) {
                longest = n;
                break;
            }
        }
    }
    return longest;
}

QByteArray PromptJoiner::feed(const QByteArray &chunk) {
    QByteArray all = held_.isEmpty() ? chunk : held_ + chunk;
    const qsizetype tail = unfinishedPromptTail(all);
    held_ = all.last(tail);
    all.chop(tail);
    return all;
}

QByteArray PromptJoiner::flush() {
    QByteArray out;
    out.swap(held_);
    return out;
}

} // namespace tw
