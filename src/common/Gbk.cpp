#include "common/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>

namespace tw {

namespace {

QStringEncoder &encoder() {
    thread_local QStringEncoder enc("GBK");
    return enc;
}

// A fresh decoder per call: the ICU-backed one keeps state that resetState() does not clear.
// It also keeps back a lead byte that ends the text, for a next call that never comes: that byte
// becomes a replacement character here, so that a cell or pane never silently loses it (a serial
// cut that way would name another ONT).
QString decodeWithDecoder(QByteArrayView bytes) {
    const qsizetype whole = completeGbkPrefix(bytes);
    QStringDecoder dec("GBK");
    QString out = dec.decode(bytes.first(whole));
    if (whole < bytes.size()) out += QChar::ReplacementCharacter;
    return out;
}

using Units = std::array<char16_t, GbkPairs::LeadCount * GbkPairs::TrailCount>;

bool isMapped(QChar c) {
    return c.unicode() >= 0x80 && c != QChar::ReplacementCharacter && !c.isSurrogate();
}

// What the decoder gives for each pair on its own, asked once. GBK has no shift states, so a pair
// decodes the same wherever it stands. The pairs of one lead byte go in one call when every one
// of them is a mapped character (one character each, so they line up); otherwise one by one.
const Units &pairUnits() {
    static const Units units = [] {
        Units u{};
        constexpr uchar Invalid = 0x7F;
        for (int lead = 0; lead < GbkPairs::LeadCount; ++lead) {
            QByteArray pairs;
            for (int trail = 0; trail < GbkPairs::TrailCount; ++trail) {
                if (GbkPairs::TrailFirst + trail == Invalid) continue;
                pairs += char(GbkPairs::LeadFirst + lead);
                pairs += char(GbkPairs::TrailFirst + trail);
            }
            const QString all = decodeWithDecoder(pairs);
            const bool lined =
                all.size() * 2 == pairs.size() && std::all_of(all.begin(), all.end(), isMapped);
            qsizetype k = 0;
            for (int trail = 0; trail < GbkPairs::TrailCount; ++trail) {
                if (GbkPairs::TrailFirst + trail == Invalid) continue;
                const QString one = lined ? all.sliced(k, 1) : decodeWithDecoder(pairs.sliced(2 * k, 2));
                ++k;
                if (one.size() == 1 && isMapped(one[0]))
                    u[lead * GbkPairs::TrailCount + trail] = one[0].unicode();
            }
        }
        return u;
    }();
    return units;
}

// Decodes ASCII and mapped pairs into `out` (room for one unit per byte); nullptr as soon as a
// byte is anything else, the end of what was written otherwise.
char16_t *decodeByTable(QByteArrayView bytes, char16_t *out) {
    const auto *s = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = s + bytes.size();
    while (s < end) {
        // Runs of ASCII, eight bytes at a time.
        for (quint64 word; end - s >= 8; s += 8, out += 8) {
            std::memcpy(&word, s, 8);
            if (word & 0x8080808080808080ULL) break;
            for (int k = 0; k < 8; ++k)
                out[k] = s[k];
        }
        if (s == end) break;
        if (*s < 0x80) {
            *out++ = *s++;
            continue;
        }
        if (end - s < 2) return nullptr;
        static const GbkPairs pairs; // the table is made at the first non-ASCII byte ever met
        const char16_t u = pairs(s[0], s[1]);
        if (!u) return nullptr;
        *out++ = u;
        s += 2;
    }
    return out;
}

char16_t *unitsOf(QString &text) {
    return reinterpret_cast<char16_t *>(text.data());
}

// Decodes every byte, NUL included. Text the table decodes (ASCII and mapped pairs: all an OLT
// prints) never meets the decoder, which costs far more per call than a whole cell takes.
QString fromGbkWhole(QByteArrayView bytes) {
    if (bytes.isEmpty()) return {};
    QString out(bytes.size(), Qt::Uninitialized);
    if (const char16_t *end = decodeByTable(bytes, unitsOf(out))) {
        out.truncate(end - unitsOf(out));
        return out;
    }
    return decodeWithDecoder(bytes);
}

} // namespace

GbkPairs::GbkPairs() : units_(pairUnits().data()) {}

QByteArrayView untilNul(QByteArrayView bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.first(nul);
}

QByteArray toGbk(QStringView text) {
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLatin1(); // ASCII is the same in GBK
    QStringEncoder &enc = encoder();
    enc.resetState();
    QByteArray out = enc.encode(text);
    return out;
}

QString fromGbk(QByteArrayView bytes) {
    return fromGbkWhole(untilNul(bytes));
}

qsizetype firstNonGbk(QStringView text) {
    for (qsizetype i = 0; i < text.size();) {
        if (text[i].unicode() < 0x80) {
            ++i;
            continue;
        }
        // One character at a time, a surrogate pair whole: the encoder writes "?" for what it
        // cannot map, so a character is encodable when its bytes decode back to it.
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView one = text.sliced(i, n);
        if (fromGbkWhole(toGbk(one)) != one) return i;
        i += n;
    }
    return -1;
}

qsizetype completeGbkPrefix(QByteArrayView bytes) {
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n) {
        // ASCII eight bytes at a time.
        for (quint64 word; n - i >= 8; i += 8) {
            std::memcpy(&word, bytes.data() + i, 8);
            if (word & 0x8080808080808080ULL) break;
        }
        if (i == n) break;
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
