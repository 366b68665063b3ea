#include "response/ReplyHandlers.h"

#include "common/Gbk.h"
#include "common/GridModel.h"
#include "olt/SharedValues.h"
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

QString outcome(QStringView text, qsizetype rows, const QString &none, const QString &some) {
    if (rows > 0) return some.arg(rows);
    const QString failure = failureLine(text);
    return failure.isEmpty() ? none : QStringLiteral("查询失败：") + failure;
}

} // namespace

void ReplyHandlers::tell(const QString &message) const {
    if (report) report(message);
}

void ReplyHandlers::redrawChassis(QByteArrayView output) {
    if (chassis) chassis(fromGbk(output));
}

void ReplyHandlers::ontList(QByteArrayView output) {
    ontList_.clearRows();
    const QList<QStringList> rows = parseOntList(output, static_cast<int>(ontList_.columns().size()));
    ontList_.appendRows(rows);
    tell(outcome(fromGbk(output), rows.size(), QStringLiteral("查询完成：没有找到ONT"),
                 QStringLiteral("查询完成：共 %1 个ONT")));
}

void ReplyHandlers::discovery(const QString &text) {
    discovery_.clearRows();
    const Discovery found = parseDiscovery(text, shared_.ponKindFlag == 1);
    discovery_.appendRows(found.rows);
    const QString none = QStringLiteral("没有等待注册的ONT（自动发现列表为空）");
    tell(text.contains(NoDiscoveredOnt)
             ? none
             : outcome(text, found.rows.size(), none, QStringLiteral("发现 %1 个等待注册的ONT")));
    if (discoveredKey) discoveredKey(found.firstKey);
    if (autoRegisterOn && autoRegisterOn() && !text.contains(NoDiscoveredOnt) && autoRegister)
        autoRegister(text);
}

void ReplyHandlers::searchMoveCheck(const QString &text, QByteArrayView output) {
    if (onSearch) onSearch(text, output);
}

void ReplyHandlers::addReply(const QString &text) {
    if (onAddReply) onAddReply(text);
}

void ReplyHandlers::versionList(QByteArrayView output) {
    // Rows are written from the top without clearing: the query buttons cut the grid before
    // sending, so a reply that arrives without one (a typed command) replaces the rows it
    // covers and leaves the rest.
    const QList<QStringList> rows = parseOntVersionList(output, static_cast<int>(versions_.columns().size()));
    tell(outcome(fromGbk(output), rows.size(), QStringLiteral("查询完成：没有ONT版本信息"),
                 QStringLiteral("查询完成：共 %1 个ONT的版本")));
    for (int r = 0; r < rows.size(); ++r) {
        if (r < versions_.count()) {
            for (int c = 0; c < versions_.columns().size(); ++c)
                versions_.setCell(r, c, rows[r].value(c));
        } else {
            versions_.appendRow(rows[r]);
        }
    }
}

void ReplyHandlers::iptvCleanup(const QString &text) {
    if (onIptvCleanup) onIptvCleanup(text);
}

void ReplyHandlers::iptvCleanupWithMove(const QString &text) {
    if (onIptvCleanupWithMove) onIptvCleanupWithMove(text);
}

} // namespace tw
