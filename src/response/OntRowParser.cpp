#include "response/OntRowParser.h"

#include "common/Gbk.h"

namespace tw {

namespace {

const QByteArray Active = toGbk(u"激活");

// The bytes without blanks: spaces and the GBK full-width blank (A1 A1) on a character boundary.
QByteArray withoutBlanks(QByteArrayView bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == ' ') {
            ++i;
        } else if (b >= 0x81 && b <= 0xFE && i + 1 < bytes.size()) {
            if (!(b == 0xA1 && static_cast<unsigned char>(bytes[i + 1]) == 0xA1))
                out.append(bytes.sliced(i, 2));
            i += 2;
        } else {
            out.append(char(b));
            ++i;
        }
    }
    return out;
}

template <typename Select> QList<QStringList> parseRows(QByteArrayView output, int columns, Select selected) {
    QList<QStringList> rows;
    const QByteArrayView text = untilNul(output);
    qsizetype pos = 0;
    while (pos <= text.size()) {
        qsizetype end = text.indexOf("\r\n", pos);
        if (end < 0) end = text.size();
        const QByteArrayView line = text.sliced(pos, end - pos);
        if (selected(line)) rows.append(ontRowCells(line, columns));
        pos = end + 2;
    }
    return rows;
}

} // namespace

QStringList ontRowCells(QByteArrayView line, int columns) {
    QByteArray closed = line.toByteArray();
    const QByteArrayView head = line.first(qMin<qsizetype>(8, line.size()));
    const QByteArray compact = withoutBlanks(head);
    if (!head.isEmpty() && compact != head) closed.replace(head, compact);
    QStringList cells;
    for (const QByteArray &word : closed.split(' ')) {
        if (word.isEmpty()) continue;
        if (cells.size() == columns) break;
        cells.append(fromGbk(word));
    }
    return cells;
}

QList<QStringList> parseOntList(QByteArrayView output, int columns) {
    return parseRows(output, columns, [](QByteArrayView line) { return line.contains(Active); });
}

QList<QStringList> parseOntVersionList(QByteArrayView output, int columns) {
    return parseRows(output, columns, [](QByteArrayView line) { return line.contains("0/"); });
}

} // namespace tw
