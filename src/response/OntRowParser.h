#pragma once
// The ONT list and the ONT version list: one grid row per selected output line, the
// frame/slot/port field closed up and the line split into words.

#include "common/GridModel.h"

#include <QByteArrayView>
#include <QList>
#include <QStringList>

namespace tw {

// Rows of "display ont info <f> [<s> [<p>]] all": every line with a control flag containing "激活".
QList<GridRow> ontListRows(QByteArrayView output, int columns = 8);
// Rows of "display ont version <f> [<s> [<p>]] all": every line containing "0/".
QList<GridRow> ontVersionRows(QByteArrayView output, int columns = 6);

// The same rows as lists of cells.
QList<QStringList> parseOntList(QByteArrayView output, int columns = 8);
QList<QStringList> parseOntVersionList(QByteArrayView output, int columns = 6);

// One line made a row: the first 8 bytes with blanks removed replace every copy of themselves, then
// the words in order, cut to `columns`.
QStringList ontRowCells(QByteArrayView line, int columns);

} // namespace tw
