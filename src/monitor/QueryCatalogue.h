#pragma once
// Read-only display commands fired without typing CLI: the "功能查询：" catalogue and the fixed
// buttons of "查询功能", and the display buttons of "上行管理".

#include "common/PageContext.h"

#include <QList>
#include <QString>

#include <functional>

namespace tw {

// What an entry asks before it sends.
enum class QueryInput { None, Kind, Text };

struct QueryEntry {
    const char16_t *caption; // a separator row when empty
    QueryInput input;
    const char16_t *prompt;  // the input box
    const char16_t *initial; // its initial text
    const char16_t *before;  // the script: before, then the kind word or the typed text, then after
    const char16_t *after;
    bool notice = false; // "命令已执行…" once the write was made
};

inline const QString CatalogueSeparator = QStringLiteral("--------------------");
inline const QString ExecutedNotice = QStringLiteral("命令已执行，请在命令行查看详细信息！");

// The 24 catalogue rows in order (separators have an empty caption), the eight fixed buttons of
// "查询功能" and the eight display buttons of "上行管理".
const QList<QueryEntry> &queryCatalogue();
const QList<QueryEntry> &fixedQueries();
const QList<QueryEntry> &uplinkDisplays();

// Asks what the entry needs, then sends; a separator, Cancel or a refused value sends nothing.
bool runQuery(PageContext &c, const QueryEntry &entry);

// "查询": `clearPane` empties the query pane first (always); then the selected row runs (-1: none).
bool runCatalogue(PageContext &c, int index, const std::function<void()> &clearPane);

} // namespace tw
