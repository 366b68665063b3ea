#include "common/IniText.h"

#include "common/Gbk.h"

#include <QList>

namespace tw::ini {

namespace {

struct Line {
    qsizetype begin; // first byte of the line
    qsizetype end;   // one past its last content byte (before CR/LF)
    qsizetype next;  // first byte of the following line
};

QList<Line> splitLines(const QByteArray &file) {
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < file.size()) {
        qsizetype nl = file.indexOf('\n', pos);
        const qsizetype next = nl < 0 ? file.size() : nl + 1;
        qsizetype end = nl < 0 ? file.size() : nl;
        if (end > pos && file[end - 1] == '\r') --end;
        lines.append({pos, end, next});
        pos = next;
    }
    return lines;
}

QByteArrayView trimmed(QByteArrayView v) {
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

bool sameName(QByteArrayView bytes, QStringView name) {
    return fromGbk(trimmed(bytes)).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// The section name of a header line "[name]", or a null view when the line is no header.
QByteArrayView headerName(QByteArrayView line) {
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[') return {};
    const qsizetype close = line.indexOf(']');
    if (close < 0) return {};
    return line.sliced(1, close - 1);
}

bool isComment(QByteArrayView line) {
    line = trimmed(line);
    return line.startsWith(';') || line.startsWith('#');
}

struct Location {
    qsizetype sectionLine = -1; // index of the header line
    qsizetype sectionEnd = -1;  // index of the first line after the section
    qsizetype keyLine = -1;     // index of the key's line
};

Location locate(const QByteArray &file, const QList<Line> &lines, QStringView section, QStringView key) {
    Location loc;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView text(file.constData() + lines[i].begin, lines[i].end - lines[i].begin);
        const QByteArrayView name = headerName(text);
        if (!name.isNull()) {
            if (loc.sectionLine >= 0) {
                loc.sectionEnd = i;
                return loc;
            }
            if (sameName(name, section)) loc.sectionLine = i;
            continue;
        }
        if (loc.sectionLine < 0 || loc.keyLine >= 0 || isComment(text)) continue;
        const qsizetype eq = text.indexOf('=');
        if (eq > 0 && sameName(text.first(eq), key)) loc.keyLine = i;
    }
    if (loc.sectionLine >= 0) loc.sectionEnd = lines.size();
    return loc;
}

QByteArray lineEnding(const QByteArray &file) {
    return file.contains("\r\n") || !file.contains('\n') ? "\r\n" : "\n";
}

// What ends the file's last line before a line is added after it: nothing when it ends with LF;
// LF alone after a lone CR, which counts as the first half of CR LF (another CR would become part
// of the line's value); otherwise the file's own line ending.
QByteArray lastLineEnd(const QByteArray &file, const QByteArray &eol) {
    if (file.isEmpty() || file.endsWith('\n')) return {};
    return file.endsWith('\r') ? QByteArray("\n") : eol;
}

} // namespace

QByteArray findValue(const QByteArray &file, QStringView section, QStringView key) {
    const QList<Line> lines = splitLines(file);
    const Location loc = locate(file, lines, section, key);
    if (loc.keyLine < 0) return {};
    const Line &l = lines[loc.keyLine];
    const QByteArrayView text(file.constData() + l.begin, l.end - l.begin);
    QByteArray value = trimmed(text.sliced(text.indexOf('=') + 1)).toByteArray();
    if (value.isNull()) value = QByteArray("");
    return value;
}

QByteArray withValue(const QByteArray &file, QStringView section, QStringView key, const QByteArray &value) {
    const QList<Line> lines = splitLines(file);
    const Location loc = locate(file, lines, section, key);
    const QByteArray eol = lineEnding(file);
    const QByteArray entry = toGbk(key) + '=' + value;

    if (loc.keyLine >= 0) {
        const Line &l = lines[loc.keyLine];
        return file.first(l.begin) + entry + file.sliced(l.end);
    }
    if (loc.sectionLine >= 0) {
        // After the section's last non-empty line, so blank separator lines stay between sections.
        qsizetype after = loc.sectionLine;
        for (qsizetype i = loc.sectionLine + 1; i < loc.sectionEnd; ++i)
            if (!trimmed(QByteArrayView(file.constData() + lines[i].begin, lines[i].end - lines[i].begin))
                     .isEmpty())
                after = i;
        const Line &l = lines[after];
        const QByteArray insert =
            (l.next == file.size() ? lastLineEnd(file, eol) : QByteArray()) + entry + eol;
        return file.first(l.next) + insert + file.sliced(l.next);
    }
    QByteArray out = file + lastLineEnd(file, eol);
    out += '[' + toGbk(section) + ']' + eol + entry + eol;
    return out;
}

} // namespace tw::ini
