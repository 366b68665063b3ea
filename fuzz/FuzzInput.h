#pragma once
// How a fuzz input is read: a flags byte, a count of cut sizes and the sizes, then the body.
//
//   byte 0          flags (each target gives its bits a meaning)
//   byte 1          n: the low four bits are the number of cut sizes that follow
//   bytes 2..n+1    cut sizes, 1 to 256 bytes each (byte + 1), used in turn, round and round
//   the rest        the body: the bytes the target feeds
//
// With no cut sizes the body goes in whole. Inputs shorter than the header are read as far as
// they go, so every input means something.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tw::fuzz {

struct Input {
    std::uint8_t flags = 0;
    QList<int> cuts; // sizes of the pieces, used in turn
    QByteArrayView body;

    bool flag(int bit) const { return (flags >> bit) & 1; }

    // The body cut into pieces of the given sizes; joined they give the body back.
    QList<QByteArrayView> pieces() const { return cutInto(body); }

    QList<QByteArrayView> cutInto(QByteArrayView bytes) const {
        QList<QByteArrayView> out;
        qsizetype at = 0;
        for (int i = 0; at < bytes.size(); ++i) {
            const qsizetype size = cuts.isEmpty() ? bytes.size() : cuts[i % cuts.size()];
            const qsizetype take = qMin(size, bytes.size() - at);
            out.append(bytes.sliced(at, take));
            at += take;
        }
        return out;
    }
};

inline Input readInput(const std::uint8_t *data, std::size_t size) {
    Input in;
    const auto *bytes = reinterpret_cast<const char *>(data);
    qsizetype at = 0;
    const auto n = qsizetype(size);
    if (at < n) in.flags = std::uint8_t(bytes[at++]);
    int count = 0;
    if (at < n) count = std::uint8_t(bytes[at++]) & 0x0F;
    for (int i = 0; i < count && at < n; ++i)
        in.cuts.append(int(std::uint8_t(bytes[at++])) + 1);
    in.body = QByteArrayView(bytes + at, n - at);
    return in;
}

// A check that must hold: on failure libFuzzer records the input as a crash.
[[noreturn]] inline void fail(const char *what, const QByteArray &detail = {}) {
    std::fprintf(stderr, "check failed: %s\n%s\n", what, detail.constData());
    std::abort();
}
inline void require(bool ok, const char *what, const QByteArray &detail = {}) {
    if (!ok) fail(what, detail);
}

} // namespace tw::fuzz
