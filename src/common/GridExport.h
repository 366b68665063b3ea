#pragma once
// A grid's rows as text for the clipboard (tab-separated) or for a spreadsheet (CSV).

#include <QByteArray>
#include <QList>
#include <QString>

class QAbstractItemModel;

namespace tw {

// The header line and the given rows of `model` (in its order), cells separated by tabs, lines by
// LF. A tab or line break inside a cell becomes a blank.
QString gridTsv(const QAbstractItemModel &model, const QList<int> &rows);

// Every row of `model` as CSV: UTF-8 with a byte-order mark (spreadsheet programs then read the
// Chinese right), CR LF line ends, cells quoted where they hold a comma, quote or line break.
QByteArray gridCsv(const QAbstractItemModel &model);

} // namespace tw
