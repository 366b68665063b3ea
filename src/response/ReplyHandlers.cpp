#include "response/ReplyHandlers.h"

#include "common/Gbk.h"
#include "common/GridModel.h"
#include "olt/SharedValues.h"
#include "response/ChassisDrawing.h"
#include "response/DiscoveryParser.h"
#include "response/OntRowParser.h"

namespace tw {

QString failureLine(QStringView text) {
    for (QStringView line : text.split(u'\n')) {
        line = line.trimmed();
        for (const char16_t *marker : {u"失败", u"Failure", u"% ", u"不存在", u"错误"})
            if (line.contains(QStringView(marker))) return line.toString();
    }
    return {};
}

namespace {

// `text` gives the output's text; it is decoded only when no row came, to look for a failure.
template <typename Text>
QString outcome(qsizetype rows, const QString &none, const QString &some, Text text) {
    if (rows > 0) return some.arg(rows);
    const QString failure = failureLine(text());
    return failure.isEmpty() ? none : QStringLiteral("查询失败：") + failure;
}

QList<GridRow> gridRows(const QList<QStringList> &rows) {
    QList<GridRow> out;
    out.reserve(rows.size());
    for (const QStringList &cells : rows)
        out.append(GridRow(cells));
    return out;
}

} // namespace

void ReplyHandlers::tell(const QString &message) const {
    if (report) report(message);
}

void ReplyHandlers::redrawChassis(QByteArrayView output) {
    const QString text = fromGbk(output);
    // The listing is of frame 0 ("display board 0"); it replaces what an earlier one said.
    shared_.boardNames.clear();
    for (const BoardLine &b : boardLines(text))
        shared_.boardNames.insert(QStringLiteral("0/") + QString::number(b.slot),
                                  QString(b.name).remove(QStringLiteral("\r\n")));
    if (chassis) chassis(text);
}

qsizetype ReplyHandlers::fillOntList(QByteArrayView output) {
    QList<GridRow> rows = ontListRows(output, static_cast<int>(ontList_.columns().size()));
    const qsizetype n = rows.size();
    ontList_.replaceRows(std::move(rows));
    return n;
}

void ReplyHandlers::ontList(QByteArrayView output) {
    const qsizetype n = fillOntList(output);
    tell(outcome(n, QStringLiteral("查询完成：没有找到ONT"), QStringLiteral("查询完成：共 %1 个ONT"),
                 [&] { return fromGbk(output); }));
}

void ReplyHandlers::ontListCut(QByteArrayView output) {
    tell(QStringLiteral("已中断：已收到 %1 个ONT").arg(fillOntList(output)));
}

void ReplyHandlers::discovery(const QString &text) {
    const Discovery found = parseDiscovery(text, shared_.ponKindFlag == 1);
    discovery_.replaceRows(gridRows(found.rows));
    const QString none = QStringLiteral("没有等待注册的ONT（自动发现列表为空）");
    tell(text.contains(NoDiscoveredOnt)
             ? none
             : outcome(found.rows.size(), none, QStringLiteral("发现 %1 个等待注册的ONT"),
                       [&] { return text; }));
    if (discoveredKey) discoveredKey(found.firstKey);
    if (autoRegisterOn && autoRegisterOn() && !text.contains(NoDiscoveredOnt) && autoRegister)
        autoRegister(text);
}

void ReplyHandlers::addReply(const QString &text) {
    if (onAddReply) onAddReply(text);
}

qsizetype ReplyHandlers::fillVersions(QByteArrayView output) {
    // Rows are written from the top without clearing: the query buttons cut the grid before
    // sending, so a reply that arrives without one (a typed command) replaces the rows it
    // covers and leaves the rest.
    QList<GridRow> rows = ontVersionRows(output, static_cast<int>(versions_.columns().size()));
    const qsizetype n = rows.size();
    if (n == 0) return 0;
    for (qsizetype r = n; r < versions_.count(); ++r)
        rows.append(versions_.rows()[r]);
    versions_.replaceRows(std::move(rows));
    return n;
}

void ReplyHandlers::versionList(QByteArrayView output) {
    const qsizetype n = fillVersions(output);
    tell(outcome(n, QStringLiteral("查询完成：没有ONT版本信息"),
                 QStringLiteral("查询完成：共 %1 个ONT的版本"), [&] { return fromGbk(output); }));
}

void ReplyHandlers::versionListCut(QByteArrayView output) {
    tell(QStringLiteral("已中断：已收到 %1 个ONT的版本").arg(fillVersions(output)));
}

} // namespace tw
