#include "common/InputCheck.h"

#include "common/CommandSink.h"
#include "common/Gbk.h"
#include "common/Operator.h"
#include "common/Text.h"

#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace tw {

QString controlCharacterProblem(const QString &value, const QString &field) {
    for (const QChar c : value) {
        // C0 controls, DEL and C1 controls; the line and paragraph separators of pasted text too.
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0x2028 || u == 0x2029)
            return QStringLiteral("“") + field +
                   QStringLiteral("”中含有换行符或控制字符，命令没有发送！请删除后重试。");
    }
    return {};
}

namespace {

QString textProblem(const QString &value, const QString &field) {
    QString problem = controlCharacterProblem(value, field);
    if (!problem.isEmpty()) return problem;
    const qsizetype bad = firstNonGbk(value);
    if (bad < 0) return {};
    const qsizetype n = value[bad].isHighSurrogate() && bad + 1 < value.size() ? 2 : 1;
    return QStringLiteral("“") + field + QStringLiteral("”中含有OLT不能接收的字符“") + value.mid(bad, n) +
           QStringLiteral("”，命令没有发送！请删除后重试。");
}

bool tell(Operator &op, const QString &problem) {
    if (problem.isEmpty()) return true;
    op.notice(problem, ErrorBoxTitle, BoxIcon::Warning);
    return false;
}

enum class Shape { Text, Word, Number, Decimal, Pattern, Board, PortRef, Span, Clock };

// How each kind is checked after the text checks every kind makes. `least`/`most` bound a number
// or, for a word, its length (most 0: no bound); `expected` ends the notice "“field”应为…".
struct Rule {
    FieldKind kind;
    Shape shape;
    qint64 least, most;
    const char16_t *expected;
    const char16_t *pattern = nullptr;
};

const Rule Rules[] = {
    {FieldKind::Text, Shape::Text, 0, 0, u""},
    {FieldKind::Word, Shape::Word, 1, 0, u"不含空格和双引号的文字"},
    {FieldKind::Number, Shape::Number, 0, 999999999, u"整数"},
    {FieldKind::Vlan, Shape::Number, 1, 4094, u"1到4094之间的整数"},
    {FieldKind::VlanSpan, Shape::Span, 1, 4094, u"VLAN（1到4094）或VLAN范围，例如 200-202"},
    {FieldKind::Frame, Shape::Number, 0, 7, u"0到7之间的整数"},
    {FieldKind::Slot, Shape::Number, 0, 22, u"0到22之间的整数"},
    {FieldKind::Port, Shape::Number, 0, 15, u"0到15之间的整数"},
    {FieldKind::PortSpan, Shape::Span, 0, 15, u"端口号（0到15）、端口范围（例如 0-3）或 all"},
    {FieldKind::Board, Shape::Board, 0, 0, u"“框/槽”，例如 0/1"},
    {FieldKind::PortRef, Shape::PortRef, 0, 0, u"“框/槽/端口”，例如 0/19/0"},
    {FieldKind::OntId, Shape::Number, 0, 127, u"0到127之间的整数"},
    {FieldKind::ProfileId, Shape::Number, 0, 8192, u"0到8192之间的整数"},
    {FieldKind::DbaProfileId, Shape::Number, 1, 512, u"1到512之间的整数"},
    {FieldKind::ServicePort, Shape::Number, 0, 65535, u"0到65535之间的整数"},
    {FieldKind::GemPort, Shape::Number, 0, 1023, u"0到1023之间的整数"},
    {FieldKind::Serial, Shape::Pattern, 0, 0, u"16位十六进制数字（例如 4857544300000001）或 XXXX-XXXXXXXX",
     u"[0-9A-Fa-f]{16}|[0-9A-Za-z]{4}-[0-9A-Fa-f]{8}"},
    {FieldKind::Mac, Shape::Pattern, 0, 0, u"MAC地址，格式 xxxx-xxxx-xxxx",
     u"[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}"},
    {FieldKind::Loid, Shape::Word, 1, 24, u"1到24个字符，不含空格和双引号"},
    {FieldKind::OntPassword, Shape::Word, 1, 10, u"1到10个字符，不含空格和双引号"},
    {FieldKind::Ipv4, Shape::Pattern, 0, 0, u"IP地址，例如 192.168.1.1",
     u"((25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])\\.){3}(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])"},
    {FieldKind::Period, Shape::Decimal, 1, 999999, u"不小于1的分钟数"},
    {FieldKind::IdleMinutes, Shape::Number, 0, 35791, u"0到35791之间的分钟数"},
    {FieldKind::SaveInterval, Shape::Number, 10, 10080, u"10到10080之间的分钟数"},
    {FieldKind::ClockTime, Shape::Clock, 0, 0, u"时间，格式 hh:mm:ss，例如 02:00:00"},
};

const Rule &ruleOf(FieldKind kind) {
    for (const Rule &r : Rules)
        if (r.kind == kind) return r;
    return Rules[0];
}

// Digits only (no sign, no blank), at most nine of them, within [least, most].
bool inRange(QStringView text, qint64 least, qint64 most) {
    if (text.isEmpty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    const qint64 n = text.toLongLong();
    return n >= least && n <= most;
}

bool isWord(const QString &value, qint64 least, qint64 most) {
    return value.size() >= least && (most == 0 || value.size() <= most) &&
           std::none_of(value.begin(), value.end(), [](QChar c) { return isBlank(c) || c == u'"'; });
}

bool matches(const QString &value, const char16_t *pattern) {
    const QRegularExpression re(QRegularExpression::anchoredPattern(QString::fromUtf16(pattern)));
    return re.match(value).hasMatch();
}

bool fits(const Rule &r, const QString &value) {
    const QStringList parts = value.split(u'/');
    switch (r.shape) {
    case Shape::Text:
        return true;
    case Shape::Word:
        return isWord(value, r.least, r.most);
    case Shape::Number:
        return inRange(value, r.least, r.most);
    case Shape::Decimal: {
        if (!matches(value, u"[0-9]{1,6}(\\.[0-9]{1,6})?")) return false;
        const double minutes = value.toDouble();
        return minutes >= double(r.least) && minutes <= double(r.most);
    }
    case Shape::Pattern:
        return matches(value, r.pattern);
    case Shape::Board:
        return parts.size() == 2 && inRange(parts[0], 0, 7) && inRange(parts[1], 0, 22);
    case Shape::PortRef:
        return parts.size() == 3 && inRange(parts[0], 0, 7) && inRange(parts[1], 0, 22) &&
               inRange(parts[2], 0, 15);
    case Shape::Span: {
        if (r.kind == FieldKind::PortSpan && value == u"all") return true;
        const QStringList ends = value.split(u'-');
        if (ends.size() == 1) return inRange(value, r.least, r.most);
        return ends.size() == 2 && inRange(ends[0], r.least, r.most) && inRange(ends[1], r.least, r.most) &&
               ends[0].toInt() <= ends[1].toInt();
    }
    case Shape::Clock: {
        const QStringList hms = value.split(u':');
        return hms.size() == 3 && std::all_of(hms.begin(), hms.end(), [](const QString &p) { return p.size() == 2; }) &&
               inRange(hms[0], 0, 23) && inRange(hms[1], 0, 59) && inRange(hms[2], 0, 59);
    }
    }
    return false;
}

} // namespace

bool acceptTyped(Operator &op, const QString &value, const QString &field) {
    return tell(op, textProblem(value, field));
}

QString fieldProblem(const QString &value, const QString &field, FieldKind kind) {
    const QString problem = textProblem(value, field);
    if (!problem.isEmpty()) return problem;
    const Rule &r = ruleOf(kind);
    if (fits(r, value)) return {};
    return QStringLiteral("“") + field + QStringLiteral("”应为") + QString::fromUtf16(r.expected) +
           QStringLiteral("，命令没有发送！请检查后重试。");
}

bool acceptField(Operator &op, const QString &value, const QString &field, FieldKind kind) {
    return tell(op, fieldProblem(value, field, kind));
}

bool checkFields(Operator &op, std::initializer_list<CheckedField> fields) {
    return std::all_of(fields.begin(), fields.end(), [&op](const CheckedField &f) {
        return acceptField(op, f.value, QString::fromUtf16(f.field), f.kind);
    });
}

std::optional<QStringList> acceptList(Operator &op, const QString &value, const QString &field, FieldKind kind) {
    if (!acceptTyped(op, value, field)) return std::nullopt;
    const QStringList pieces = splitCommaList(value);
    // Blanks beside a comma are the CLI's separators, not part of the value.
    for (const QString &piece : pieces)
        if (!acceptField(op, trimBlanks(piece), field, kind)) return std::nullopt;
    return pieces;
}

std::optional<QString> quotedWord(Operator &op, const QString &value, const QString &field) {
    if (!acceptTyped(op, value, field)) return std::nullopt;
    if (value.contains(u'"')) {
        op.notice(QStringLiteral("“") + field + QStringLiteral("”中不能含有双引号（\"），命令没有发送！"),
                  ErrorBoxTitle, BoxIcon::Warning);
        return std::nullopt;
    }
    return u'"' + value + u'"';
}

bool sendOrTell(CommandSink &sink, Operator &op, const QString &script) {
    if (sink.send(script)) return true;
    op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
    return false;
}

bool runOrTell(CommandSink &sink, Operator &op, const QString &script, ScriptDone done, RunOptions options) {
    if (sink.run(script, std::move(done), options)) return true;
    op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
    return false;
}

} // namespace tw
