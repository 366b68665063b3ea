#include "common/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace tw {

namespace {
QStringEncoder &encoder() {
    thread_local QStringEncoder enc("GBK");
    return enc;
}
} // namespace

QByteArrayView untilNul(QByteArrayView bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.first(nul);
}

QByteArray toGbk(QStringView text) {
    QStringEncoder &enc = encoder();
    enc.resetState();
    QByteArray out = enc.encode(text);
    return out;
}

namespace {
// Decodes every byte, NUL included. A fresh decoder per call: the ICU-backed one keeps state
// that resetState() does not clear.
QString fromGbkWhole(QByteArrayView bytes) {
    if (bytes.isEmpty()) return {};
    // Most of what an OLT prints is ASCII, which GBK leaves as it is: no decoder needed (making
    // one costs more than decoding a short cell).
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder dec("GBK");
    return dec.decode(bytes);
}
} // namespace

QString fromGbk(QByteArrayView bytes) {
    return fromGbkWhole(untilNul(bytes));
}

qsizetype completeGbkPrefix(QByteArrayView bytes) {
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x81 && b <= 0xFE) {
            if (i + 1 >= n) return i;
            i += 2;
        } else {
            ++i;
        }
    }
    return n;
}

QString GbkStreamDecoder::decode(QByteArrayView chunk) {
    // The ICU-backed decoder does not keep a split lead byte between calls, so the carry is ours.
    if (carry_.isEmpty()) {
        const qsizetype whole = completeGbkPrefix(chunk);
        QString out = fromGbkWhole(chunk.first(whole));
        carry_ = chunk.sliced(whole).toByteArray();
        return out;
    }
    QByteArray joined = carry_ + chunk.toByteArray();
    const qsizetype whole = completeGbkPrefix(joined);
    carry_ = joined.sliced(whole);
    joined.truncate(whole);
    return fromGbkWhole(joined);
}

void GbkStreamDecoder::reset() {
    carry_.clear();
}

} // namespace tw
