#pragma once
// Finds a fixed byte pattern in long received output. memchr (which scans many bytes per step)
// looks for the pattern's rarest byte, its anchor, and each candidate is compared whole: the
// patterns start with blanks and dashes that listings are full of, where a search by the first
// byte would stop at every other byte.

#include <QByteArray>
#include <QByteArrayView>

#include <cstring>

namespace tw {

class ByteFinder {
  public:
    explicit ByteFinder(QByteArray pattern) : pattern_(std::move(pattern)), anchor_(anchorOf(pattern_)) {}

    const QByteArray &pattern() const { return pattern_; }
    qsizetype size() const { return pattern_.size(); }
    // The start of the first occurrence at or after `from`, -1 when there is none.
    qsizetype indexIn(QByteArrayView data, qsizetype from = 0) const {
        return indexIn(data, pattern_, anchor_, from);
    }
    bool in(QByteArrayView data) const { return indexIn(data) >= 0; }

    // The same for a pattern used once, with its anchor from anchorOf().
    static qsizetype indexIn(QByteArrayView data, QByteArrayView pattern, qsizetype anchor,
                             qsizetype from = 0) {
        const qsizetype n = pattern.size();
        if (n == 0) return from <= data.size() ? from : -1;
        const char *const bytes = data.data();
        for (qsizetype start = qMax<qsizetype>(from, 0); start + n <= data.size(); ++start) {
            const auto *hit = static_cast<const char *>(
                std::memchr(bytes + start + anchor, pattern[anchor], size_t(data.size() - n - start + 1)));
            if (!hit) return -1;
            start = hit - bytes - anchor;
            if (std::memcmp(bytes + start, pattern.data(), size_t(n)) == 0) return start;
        }
        return -1;
    }

    // The index of the pattern's rarest byte (the first of equally rare ones).
    static qsizetype anchorOf(QByteArrayView pattern) {
        qsizetype anchor = 0;
        for (qsizetype i = 1; i < pattern.size(); ++i)
            if (rarity(uchar(pattern[i])) < rarity(uchar(pattern[anchor]))) anchor = i;
        return anchor;
    }

  private:
    // How common a byte is in what an OLT prints, rarest first: control bytes, punctuation,
    // letters, GBK bytes and hex digits, path and time separators, digits and dashes and line
    // ends, blanks.
    static int rarity(uchar b) {
        if (b == ' ') return 6;
        if ((b >= '0' && b <= '9') || b == '-' || b == '\r' || b == '\n') return 5;
        if (b == '/' || b == '_' || b == '.' || b == ':') return 4;
        if (b >= 0x80 || (b >= 'A' && b <= 'F')) return 3;
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return 2;
        if (b >= 0x20) return 1;
        return 0;
    }

    QByteArray pattern_;
    qsizetype anchor_;
};

} // namespace tw
