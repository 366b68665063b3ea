#include "response/ReplyHandlers.h"

#include "common/Gbk.h"
#include "common/GridModel.h"
#include "olt/SharedValues.h"
#include "response/DiscoveryParser.h"
#include "response/OntRowParser.h"

namespace tw {

void ReplyHandlers::redrawChassis(QByteArrayView output) {
    if (chassis) chassis(fromGbk(output));
}

void ReplyHandlers::ontList(QByteArrayView output) {
    ontList_.clearRows();
    ontList_.appendRows(parseOntList(output, static_cast<int>(ontList_.columns().size())));
}

void ReplyHandlers::discovery(const QString &text) {
    discovery_.clearRows();
    const Discovery found = parseDiscovery(text, shared_.ponKindFlag == 1);
    discovery_.appendRows(found.rows);
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
