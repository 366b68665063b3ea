#include "common/GridExport.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace tw {

namespace {

QStringList header(const QAbstractItemModel &m) {
    QStringList cells;
    for (int c = 0; c < m.columnCount(); ++c)
        cells << m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return cells;
}

QStringList rowCells(const QAbstractItemModel &m, int r) {
    QStringList cells;
    for (int c = 0; c < m.columnCount(); ++c)
        cells << m.index(r, c).data().toString();
    return cells;
}

QString tsvCell(const QString &cell) {
    QString out = cell;
    for (QChar &ch : out)
        if (ch == u'\t' || ch == u'\r' || ch == u'\n') ch = u' ';
    return out;
}

QString csvCell(const QString &cell) {
    if (!cell.contains(u',') && !cell.contains(u'"') && !cell.contains(u'\r') && !cell.contains(u'\n'))
        return cell;
    return u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString joined(const QStringList &cells, QString (*cell)(const QString &), QChar separator) {
    QStringList out;
    for (const QString &c : cells)
        out << cell(c);
    return out.join(separator);
}

} // namespace

QString gridTsv(const QAbstractItemModel &model, const QList<int> &rows) {
    QString text = joined(header(model), tsvCell, u'\t') + u'\n';
    for (int r : rows)
        text += joined(rowCells(model, r), tsvCell, u'\t') + u'\n';
    return text;
}

QByteArray gridCsv(const QAbstractItemModel &model) {
    QString text = joined(header(model), csvCell, u',') + QStringLiteral("\r\n");
    for (int r = 0; r < model.rowCount(); ++r)
        text += joined(rowCells(model, r), csvCell, u',') + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace tw
