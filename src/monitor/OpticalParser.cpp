#include "monitor/OpticalParser.h"

#include "common/ByteFinder.h"
#include "common/Gbk.h"
#include "olt/ChunkStage.h"
#include "olt/OltTexts.h"

#include <cmath>
#include <cstring>

namespace tw {

namespace {

enum class Field { Id, Rx, Tx, OltRx, Temperature, Voltage, Bias, Distance, Other };

struct Column {
    qsizetype start = 0; // display column: a byte each, so a GBK character takes two, as on screen
    Field field = Field::Other;
};

// What a column holds, by the words of its two heading lines, in either CLI language.
Field fieldOf(const QString &label) {
    auto has = [&](const char *word) { return label.contains(QString::fromUtf8(word)); };
    if (has("OLT")) return Field::OltRx;
    if (has("Rx") || has("接收")) return Field::Rx;
    if (has("Tx") || has("发送")) return Field::Tx;
    if (has("Temperature") || has("温度")) return Field::Temperature;
    if (has("Voltage") || has("电压")) return Field::Voltage;
    if (has("Current") || has("电流") || has("Bias") || has("偏置")) return Field::Bias;
    if (has("Distance") || has("距离")) return Field::Distance;
    if (has("ONT") || has("ID") || has("编号")) return Field::Id;
    return Field::Other;
}

bool blankAt(QByteArrayView line, qsizetype i) {
    return i >= line.size() || line[i] == ' ';
}

// The columns of a two-line heading: runs of text in either line, apart by two blanks or more
// ("Rx power" is one column, "Temperature  Voltage" two).
std::vector<Column> columnsOf(QByteArrayView first, QByteArrayView second) {
    std::vector<Column> columns;
    const qsizetype width = qMax(first.size(), second.size());
    qsizetype i = 0;
    while (i < width) {
        while (i < width && blankAt(first, i) && blankAt(second, i))
            ++i;
        if (i == width) break;
        const qsizetype start = i;
        while (i < width &&
               !(blankAt(first, i) && blankAt(second, i) && blankAt(first, i + 1) && blankAt(second, i + 1)))
            ++i;
        auto part = [&](QByteArrayView line) {
            return start < line.size() ? fromGbk(line.sliced(start, qMin(i, line.size()) - start))
                                       : QString();
        };
        columns.push_back({start, fieldOf(part(first) + QLatin1Char(' ') + part(second))});
    }
    return columns;
}

struct Word {
    qsizetype start;
    QByteArrayView text;
};

std::vector<Word> wordsOf(QByteArrayView line) {
    std::vector<Word> words;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) words.push_back({start, line.sliced(start, i - start)});
    }
    return words;
}

std::optional<int> smallNumber(QByteArrayView word, int most) {
    if (word.isEmpty() || word.size() > 4) return std::nullopt;
    int n = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n <= most ? std::optional(n) : std::nullopt;
}

// A level as printed; "-", "--", "N/A" and anything else that is no finite number give no value.
std::optional<double> level(QByteArrayView word) {
    bool ok = false;
    const double v = word.toByteArray().toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional(v) : std::nullopt;
}

void put(OpticalRow &row, Field field, QByteArrayView word) {
    switch (field) {
    case Field::Rx:
        row.rxPower = level(word);
        break;
    case Field::Tx:
        row.txPower = level(word);
        break;
    case Field::OltRx:
        row.oltRxPower = level(word);
        break;
    case Field::Temperature:
        row.temperature = level(word);
        break;
    case Field::Voltage:
        row.voltage = level(word);
        break;
    case Field::Bias:
        row.biasCurrent = level(word);
        break;
    case Field::Distance:
        if (const std::optional<double> d = level(word); d && *d >= 0 && *d <= 1e6) row.distance = int(*d);
        break;
    case Field::Id:
    case Field::Other:
        break;
    }
}

// The row's words put in their columns: one word per column when the counts agree, else each word
// under the column it starts in (a value left out as blanks leaves its column without one). The
// first word is the ONT ID, printed right-aligned under its heading.
void fill(OpticalRow &row, const std::vector<Word> &words, const std::vector<Column> &columns) {
    if (words.size() == columns.size()) {
        for (size_t i = 1; i < words.size(); ++i)
            put(row, columns[i].field, words[i].text);
        return;
    }
    size_t last = 0; // the column the previous word went to
    for (size_t w = 1; w < words.size(); ++w) {
        size_t c = columns.size();
        while (c > 0 && columns[c - 1].start > words[w].start + 1)
            --c;
        if (c == 0 || c - 1 <= last) continue; // before the values, or a second word in one column
        last = c - 1;
        put(row, columns[last].field, words[w].text);
    }
}

// "0/1" after "(config-if-gpon-" or "(config-if-epon-" in a prompt.
bool readInterface(QByteArrayView line, OpticalOrigin &at) {
    for (const char *mode : {"(config-if-gpon-", "(config-if-epon-"}) {
        const qsizetype i = line.indexOf(QByteArrayView(mode));
        if (i < 0) continue;
        const QByteArrayView rest = line.sliced(i + qsizetype(std::strlen(mode)));
        const qsizetype close = rest.indexOf(')');
        const QByteArrayView inside = close < 0 ? rest : rest.first(close);
        const qsizetype slash = inside.indexOf('/');
        if (slash < 0) return false;
        const auto frame = smallNumber(inside.first(slash), 99);
        const auto slot = smallNumber(inside.sliced(slash + 1), 99);
        if (!frame || !slot) return false;
        at.frame = *frame;
        at.slot = *slot;
        return true;
    }
    return false;
}

// The port of an echoed "display ont optical-info <p> ...".
void readEcho(QByteArrayView line, OpticalOrigin &at) {
    static const QByteArrayView command("optical-info");
    const qsizetype i = line.indexOf(command);
    if (i < 0) return;
    const std::vector<Word> words = wordsOf(line.sliced(i + command.size()));
    if (!words.empty())
        if (const auto port = smallNumber(words.front().text, 255)) at.port = *port;
}

bool isHeading(const std::vector<Word> &words) {
    static const QByteArray receive = toGbk(u"接收");
    if (words.size() < 2 || words.front().text != "ONT") return false;
    for (const Word &w : words)
        if (w.text == "Rx" || w.text.toByteArray().contains(receive)) return true;
    return false;
}

// The output without terminal controls and paging prompts: a row printed after an answered prompt
// stands on the prompt's line once the prompt and its erasing are gone.
QByteArray cleaned(QByteArrayView output) {
    static const ByteFinder prompts[] = {
        ByteFinder(olt::pagingPrompt()),
        ByteFinder(QByteArrayLiteral("---- More ( Press 'Q' to break ) ----"))};
    QByteArray text = removeTerminalControls(untilNul(output));
    for (const ByteFinder &prompt : prompts)
        for (qsizetype at; (at = prompt.indexIn(text)) >= 0;)
            text.remove(at, prompt.size());
    return text;
}

} // namespace

QString OpticalRow::portText() const {
    if (frame < 0 || slot < 0 || port < 0) return {};
    return QStringLiteral("%1/%2/%3").arg(frame).arg(slot).arg(port);
}

std::vector<OpticalRow> parseOpticalInfo(QByteArrayView output, const OpticalOrigin &origin) {
    const QByteArray text = cleaned(output);
    // Complete lines only: a row the output was cut off in could give a wrong ID or level.
    std::vector<QByteArrayView> lines;
    for (qsizetype from = 0, end; (end = text.indexOf('\n', from)) >= 0; from = end + 1) {
        QByteArrayView line(text.constData() + from, end - from);
        if (line.endsWith('\r')) line.chop(1);
        lines.push_back(line);
    }
    lines.push_back(QByteArrayView(text).sliced(text.lastIndexOf('\n') + 1)); // for prompt and echo
    const size_t complete = lines.size() - 1;
    std::vector<OpticalRow> rows;
    OpticalOrigin at = origin;
    std::vector<Column> columns;
    size_t unplaced = 0; // rows from here on were read before any prompt named their interface
    for (size_t i = 0; i < lines.size(); ++i) {
        // An output starts with the echo and ends with the prompt: the prompt that follows rows names
        // their interface when none came before them (the mode does not change within a listing).
        if (readInterface(lines[i], at)) {
            for (size_t r = unplaced; r < rows.size(); ++r)
                if (rows[r].frame < 0 || rows[r].slot < 0) {
                    rows[r].frame = at.frame;
                    rows[r].slot = at.slot;
                }
            unplaced = rows.size();
        }
        readEcho(lines[i], at);
        const std::vector<Word> words = wordsOf(lines[i]);
        if (isHeading(words) && i + 1 < lines.size()) {
            columns = columnsOf(lines[i], lines[i + 1]);
            ++i;
            continue;
        }
        if (i >= complete || columns.empty() || words.size() < 2 || columns.front().field != Field::Id)
            continue;
        const std::optional<int> id = smallNumber(words.front().text, 1023);
        if (!id) continue;
        OpticalRow row;
        row.frame = at.frame;
        row.slot = at.slot;
        row.port = at.port;
        row.ontId = *id;
        fill(row, words, columns);
        rows.push_back(row);
    }
    return rows;
}

QStringList opticalCells(const OpticalRow &row) {
    auto text = [](const auto &v) { return v ? QString::number(*v) : QStringLiteral("-"); };
    const QString port = row.portText();
    return {port.isEmpty() ? QStringLiteral("-") : port,
            QString::number(row.ontId),
            text(row.rxPower),
            text(row.txPower),
            text(row.oltRxPower),
            text(row.temperature),
            text(row.voltage),
            text(row.biasCurrent),
            text(row.distance)};
}

RxLevel classifyRx(std::optional<double> rx, const OpticalThresholds &limits) {
    if (!rx) return RxLevel::NoValue;
    if (*rx > limits.overload) return RxLevel::Overload;
    if (*rx < limits.tooLow) return RxLevel::TooLow;
    if (*rx < limits.low) return RxLevel::Low;
    return RxLevel::Normal;
}

QString rxLevelText(RxLevel level) {
    switch (level) {
    case RxLevel::Normal:
        return QString::fromUtf8("正常");
    case RxLevel::Low:
        return QString::fromUtf8("偏低");
    case RxLevel::TooLow:
        return QString::fromUtf8("过低");
    case RxLevel::Overload:
        return QString::fromUtf8("过载");
    case RxLevel::NoValue:
        break;
    }
    return {};
}

Severity severityOf(RxLevel level) {
    switch (level) {
    case RxLevel::Low:
        return Severity::Amber;
    case RxLevel::TooLow:
    case RxLevel::Overload:
        return Severity::Red;
    case RxLevel::NoValue:
    case RxLevel::Normal:
        break;
    }
    return Severity::None;
}

} // namespace tw
