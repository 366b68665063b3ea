#include "common/GridSortFilter.h"

#include <QList>

#include <optional>

namespace tw {

namespace {

// "0/1/3", "0/11" or a lone number: its parts. A 16-digit serial is no number to sort by.
std::optional<QList<qint64>> numericParts(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    QList<qint64> parts;
    for (const QString &part : t.split(u'/')) {
        const QString p = part.trimmed();
        if (p.isEmpty() || p.size() > 10) return std::nullopt;
        bool ok = false;
        const qint64 value = p.toLongLong(&ok);
        if (!ok) return std::nullopt;
        parts << value;
    }
    return parts;
}

std::optional<double> decimal(const QString &text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && text.trimmed().size() <= 16 ? std::optional<double>(value) : std::nullopt;
}

} // namespace

int compareCells(const QString &a, const QString &b) {
    const auto pa = numericParts(a), pb = numericParts(b);
    if (pa && pb) {
        for (qsizetype i = 0; i < qMin(pa->size(), pb->size()); ++i)
            if ((*pa)[i] != (*pb)[i]) return (*pa)[i] < (*pb)[i] ? -1 : 1;
        return int(pa->size() - pb->size());
    }
    const auto da = decimal(a), db = decimal(b);
    if (da && db) return *da < *db ? -1 : *da > *db ? 1 : 0;
    if ((pa || da) != (pb || db)) return (pa || da) ? -1 : 1;
    return QString::localeAwareCompare(a, b);
}

GridSortFilter::GridSortFilter(QObject *parent) : QSortFilterProxyModel(parent) {}

void GridSortFilter::setFilterText(const QString &text) {
    if (text == filter_) return;
    filter_ = text;
    invalidateRowsFilter();
}

bool GridSortFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const {
    const int c = compareCells(left.data().toString(), right.data().toString());
    // Equal cells keep the OLT's order.
    return c != 0 ? c < 0 : left.row() < right.row();
}

bool GridSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const {
    if (filter_.isEmpty()) return true;
    const QAbstractItemModel *m = sourceModel();
    for (int c = 0; c < m->columnCount(sourceParent); ++c)
        if (m->index(sourceRow, c, sourceParent).data().toString().contains(filter_, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace tw
