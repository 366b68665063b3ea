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
                                 "(diagnose)%%",
                                 "User name:",
                                 "User password:",
                                 "{ <cr>||<K> }",
                                 toGbk(u"请重建连接后登录"),
                                 chineseErase,
                                 englishErase};
    }();
    return patterns;
}

qsizetype longestWatched() {
    static const qsizetype longest = [] {
        qsizetype n = 0;
        for (const QByteArray &p : watched())
            n = qMax(n, p.size());
        return n;
    }();
    return longest;
}

} // namespace

namespace {

// The longest tail of `bytes`, at most `room` long, that is a proper prefix of a watched pattern.
qsizetype longestPrefixTail(const QByteArray &bytes, qsizetype room) {
    qsizetype longest = 0;
    for (const QByteArray &p : watched()) {
        const qsizetype most = qMin(room, p.size() - 1);
        for (qsizetype n = most; n > longest; --n) {
            if (bytes[bytes.size() - n] == p[0] &&
                QByteArrayView(bytes).last(n) == QByteArrayView(p).first(n)) {
                longest = n;
                break;
            }
        }
    }
    return longest;
}

} // namespace

qsizetype unfinishedPromptTail(const QByteArray &bytes) {
    // Most reads end inside a line that starts no prompt: then nothing is held.
    if (longestPrefixTail(bytes, bytes.size()) == 0) return 0;
    // A prompt that is already whole stays whole: only bytes after the last complete one count
    // (the paging prompt ends with the very dashes it starts with). Only the end of the bytes
    // matters: a complete prompt can cut a tail only when it ends within it, and a tail is shorter
    // than the longest pattern. Searching just that window keeps a read of megabytes from being
    // searched again for every pattern.
    const QByteArrayView window = QByteArrayView(bytes).last(qMin(bytes.size(), 2 * longestWatched()));
    const qsizetype windowStart = bytes.size() - window.size();
    qsizetype settled = 0;
    for (const QByteArray &p : watched()) {
        const qsizetype at = lastIndexOfBytes(window, p);
        if (at >= 0) settled = qMax(settled, windowStart + at + p.size());
    }
    return longestPrefixTail(bytes, bytes.size() - settled);
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
