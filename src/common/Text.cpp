#include "common/Text.h"

#include <algorithm>
#include <limits>

namespace tw {

QString textBetween(QStringView text, QStringView left, QStringView right) {
    if (left.isEmpty() || right.isEmpty()) return {};
    const qsizetype l = text.indexOf(left);
    if (l < 0) return {};
    const qsizetype from = l + left.size();
    // The right marker never overlaps the left one.
    const qsizetype r = text.indexOf(right, from);
    if (r < 0) return {};
    return text.sliced(from, r - from).toString();
}

QStringList splitCommaList(QStringView text) {
    QStringList pieces;
    for (const QString &piece : text.toString().replace(u'，', u',').split(u','))
        if (!trimBlanks(piece).isEmpty()) pieces << piece;
    return pieces;
}

QString withCrLf(QStringView text) {
    QString out;
    out.reserve(text.size() + text.count(u'\n'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QChar(0x3000);
}

QString removeBlanks(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c)) out += c;
    return out;
}

QString trimBlanks(QStringView text) {
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.sliced(b, e - b).toString();
}

qint64 leadingInt64(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    constexpr qint64 Max = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        const int digit = text[i].unicode() - '0';
        if (value > (Max - digit) / 10) return negative ? -Max : Max;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int leadingInt(QStringView text) {
    return static_cast<int>(std::clamp<qint64>(leadingInt64(text), -2147483647, 2147483647));
}

int minutesToMs(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && text[i] == QLatin1Char('+')) ++i;
    auto digit = [&](qsizetype at) {
        return at < text.size() && text[at].unicode() >= '0' && text[at].unicode() <= '9';
    };
    const qsizetype start = i;
    while (digit(i))
        ++i;
    if (i < text.size() && text[i] == QLatin1Char('.'))
        for (++i; digit(i);)
            ++i;
    const double minutes = text.sliced(start, i - start).toString().toDouble(); // "" and "." give 0
    const double ms = minutes * 60000.0;
    return ms >= 2147483647.0 ? 2147483647 : static_cast<int>(ms);
}

} // namespace tw
