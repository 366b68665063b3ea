#include "response/OntRowParser.h"

#include "common/ByteFinder.h"
#include "common/Gbk.h"

#include <algorithm>
#include <cstring>

namespace tw {

namespace {

const ByteFinder Active(toGbk(u"激活"));
const ByteFinder VersionMarker(QByteArrayLiteral("0/"));
const ByteFinder LineEnd(QByteArrayLiteral("\r\n"));

// The bytes of a line's head (at most 8) without blanks: spaces and the GBK full-width blank
// (A1 A1) on a character boundary. Returns how many were written to `out`.
qsizetype withoutBlanks(QByteArrayView head, char *out) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < head.size();) {
        const auto b = static_cast<unsigned char>(head[i]);
        if (b == ' ') {
            ++i;
        } else if (b >= 0x81 && b <= 0xFE && i + 1 < head.size()) {
            if (!(b == 0xA1 && static_cast<unsigned char>(head[i + 1]) == 0xA1)) {
                out[n++] = head[i];
                out[n++] = head[i + 1];
            }
            i += 2;
        } else {
            out[n++] = head[i++];
        }
    }
    return n;
}

// A line's head (its first 8 bytes), closed up, and the byte to find its copies by. The lines of
// one port share their head: it is worked out once for them.
struct Head {
    QByteArray bytes;
    char compact[8] = {};
    qsizetype compactSize = 0;
    qsizetype anchor = 0;

    void of(QByteArrayView line) {
        const QByteArrayView head = line.first(qMin<qsizetype>(8, line.size()));
        if (head == bytes) return;
        bytes = head.toByteArray();
        compactSize = withoutBlanks(head, compact);
        anchor = ByteFinder::anchorOf(head);
    }
    bool hasBlanks() const { return compactSize != bytes.size(); } // blanks are only ever dropped
};

// The line with every copy of its first 8 bytes closed up (left to right, copies not overlapping),
// written into `scratch`; the line itself when its head has no blank.
QByteArrayView closedLine(QByteArrayView line, Head &head, QByteArray &scratch) {
    head.of(line);
    if (!head.hasBlanks()) return line;
    scratch.resize(line.size());
    char *out = scratch.data();
    // The head stands at the start; further copies are rare.
    out = std::copy(head.compact, head.compact + head.compactSize, out);
    qsizetype from = head.bytes.size();
    for (qsizetype copy; (copy = ByteFinder::indexIn(line, head.bytes, head.anchor, from)) >= 0;
         from = copy + head.bytes.size()) {
        out = std::copy(line.data() + from, line.data() + copy, out);
        out = std::copy(head.compact, head.compact + head.compactSize, out);
    }
    out = std::copy(line.data() + from, line.data() + line.size(), out);
    return QByteArrayView(scratch.constData(), out - scratch.constData());
}

// The words of a closed line decoded straight into one row, in one pass. False when the line holds
// bytes the pair table does not decode: those lines are decoded word by word.
bool wordsInto(QByteArrayView line, int columns, const GbkPairs &pairs, GridRow &row) {
    QString &text = row.text();
    text.resize(line.size()); // a byte gives at most one UTF-16 unit
    auto *const begin = reinterpret_cast<char16_t *>(text.data());
    char16_t *out = begin;
    const auto *s = reinterpret_cast<const uchar *>(line.data());
    const uchar *const end = s + line.size();
    int cells = 0;
    bool inWord = false;
    while (s < end && cells < columns) {
        const uchar b = *s;
        if (b == ' ') {
            if (inWord) {
                row.endCell(out - begin);
                ++cells;
                inWord = false;
            }
            ++s;
        } else if (b < 0x80) {
            *out++ = b;
            ++s;
            inWord = true;
        } else if (const char16_t unit = end - s >= 2 ? pairs(b, s[1]) : 0) {
            *out++ = unit;
            s += 2;
            inWord = true;
        } else {
            return false;
        }
    }
    if (inWord) row.endCell(out - begin);
    text.truncate(out - begin);
    return true;
}

GridRow rowOf(QByteArrayView line, int columns, const GbkPairs &pairs, Head &head, QByteArray &scratch) {
    const QByteArrayView closed = closedLine(line, head, scratch);
    GridRow row;
    if (wordsInto(closed, columns, pairs, row)) return row;
    return GridRow(ontRowCells(line, columns));
}

// Where the line holding `at` starts: after the last "\r\n" before it, or at `from` (a line's
// start) when there is none in between.
qsizetype lineStartBefore(QByteArrayView text, qsizetype from, qsizetype at) {
    const char *const data = text.data();
    while (at > from) {
        const auto *nl = static_cast<const char *>(memrchr(data + from, '\n', size_t(at - from)));
        if (!nl) break;
        if (nl - data > from && nl[-1] == '\r') return nl + 1 - data;
        at = nl - data;
    }
    return from;
}

// Every line (the text split at "\r\n") that contains `marker`, made a row. The marker is searched
// in the whole text, not line by line: most lines of a long listing are rows.
QList<GridRow> rowsWith(QByteArrayView output, const ByteFinder &marker, int columns) {
    QList<GridRow> rows;
    const QByteArrayView text = untilNul(output);
    const GbkPairs pairs;
    Head head;
    QByteArray scratch;
    qsizetype lineStart = 0; // where the line after the last row starts
    while (lineStart <= text.size()) {
        const qsizetype hit = marker.indexIn(text, lineStart);
        if (hit < 0) break;
        // The marker holds no line end, so the line around it starts and ends at one.
        const qsizetype start = lineStartBefore(text, lineStart, hit);
        qsizetype end = LineEnd.indexIn(text, hit);
        if (end < 0) end = text.size();
        rows.append(rowOf(text.sliced(start, end - start), columns, pairs, head, scratch));
        lineStart = end + 2;
    }
    return rows;
}

QList<QStringList> cellLists(const QList<GridRow> &rows) {
    QList<QStringList> out;
    out.reserve(rows.size());
    for (const GridRow &r : rows)
        out.append(r.cells());
    return out;
}

} // namespace

QStringList ontRowCells(QByteArrayView line, int columns) {
    Head head;
    QByteArray scratch;
    const QByteArrayView closed = closedLine(line, head, scratch);
    QStringList cells;
    for (const QByteArray &word : closed.toByteArray().split(' ')) {
        if (word.isEmpty()) continue;
        if (cells.size() == columns) break;
        cells.append(fromGbk(word));
    }
    return cells;
}

QList<GridRow> ontListRows(QByteArrayView output, int columns) {
    return rowsWith(output, Active, columns);
}

QList<GridRow> ontVersionRows(QByteArrayView output, int columns) {
    return rowsWith(output, VersionMarker, columns);
}

QList<QStringList> parseOntList(QByteArrayView output, int columns) {
    return cellLists(ontListRows(output, columns));
}

QList<QStringList> parseOntVersionList(QByteArrayView output, int columns) {
    return cellLists(ontVersionRows(output, columns));
}

} // namespace tw
