#include "common/GridSortFilter.h"

#include "common/GridModel.h"

#include <QCollator>

#include <cmath>

namespace tw {

namespace {

// "0/1/3", "0/11" or a lone number: its parts.
bool numericParts(QStringView text, QVarLengthArray<qint64, 4> &parts) {
    const QStringView t = text.trimmed();
    if (t.isEmpty()) return false;
    for (qsizetype from = 0;;) {
        const qsizetype slash = t.indexOf(u'/', from);
        const QStringView p = t.sliced(from, (slash < 0 ? t.size() : slash) - from).trimmed();
        if (p.isEmpty() || p.size() > 10) return false;
        bool ok = false;
        const qint64 value = p.toLongLong(&ok);
        if (!ok) return false;
        parts.append(value);
        if (slash < 0) return true;
        from = slash + 1;
    }
}

// A number; never NaN, which would leave the order undefined.
bool numberOf(QStringView text, double &value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && !std::isnan(value);
}

const QCollator &collator() {
    // As QString::localeAwareCompare orders texts: the default locale's collation.
    thread_local const QCollator c;
    return c;
}

} // namespace

SortKey::SortKey(const QString &text, ColumnKind kind) : text_(text), kind_(kind) {
    switch (kind) {
    case ColumnKind::Text:
        break;
    case ColumnKind::Number:
        isValue_ = numberOf(text, number_);
        break;
    case ColumnKind::Port:
        isValue_ = numericParts(text, parts_);
        if (!isValue_) parts_.clear();
        break;
    }
}

const QCollatorSortKey &SortKey::textKey() const {
    if (!textKey_) textKey_ = collator().sortKey(text_);
    return *textKey_;
}

int SortKey::compare(const SortKey &a, const SortKey &b) {
    if (a.isValue_ && b.isValue_) {
        if (a.kind_ == ColumnKind::Number) return a.number_ < b.number_ ? -1 : a.number_ > b.number_ ? 1 : 0;
        for (qsizetype i = 0; i < qMin(a.parts_.size(), b.parts_.size()); ++i)
            if (a.parts_[i] != b.parts_[i]) return a.parts_[i] < b.parts_[i] ? -1 : 1;
        return int(a.parts_.size() - b.parts_.size());
    }
    if (a.isValue_ != b.isValue_) return a.isValue_ ? -1 : 1;
    return a.textKey().compare(b.textKey());
}

int compareCells(const QString &a, const QString &b, ColumnKind kind) {
    return SortKey::compare(SortKey(a, kind), SortKey(b, kind));
}

GridSortFilter::GridSortFilter(QObject *parent) : QSortFilterProxyModel(parent) {}

void GridSortFilter::setSourceModel(QAbstractItemModel *model) {
    for (const QMetaObject::Connection &c : std::as_const(sourceConnections_))
        disconnect(c);
    sourceConnections_.clear();
    forgetKeys();
    // Connected before the base class connects its own handlers, so the keys are forgotten before
    // it sorts what changed.
    if (model) {
        const auto forget = [this] { forgetKeys(); };
        sourceConnections_ = {
            connect(model, &QAbstractItemModel::modelReset, this, forget),
            connect(model, &QAbstractItemModel::layoutChanged, this, forget),
            connect(model, &QAbstractItemModel::rowsInserted, this, forget),
            connect(model, &QAbstractItemModel::rowsRemoved, this, forget),
            connect(model, &QAbstractItemModel::rowsMoved, this, forget),
            connect(model, &QAbstractItemModel::dataChanged, this, forget),
        };
    }
    QSortFilterProxyModel::setSourceModel(model);
}

void GridSortFilter::setFilterText(const QString &text) {
    if (text == filter_) return;
    filter_ = text;
    invalidateRowsFilter();
}

void GridSortFilter::forgetKeys() const {
    keys_.clear();
    keyColumn_ = -1;
}

ColumnKind GridSortFilter::kindOf(int column) const {
    // The grid declares its columns' kinds; any other model's cells sort as texts.
    const auto *grid = qobject_cast<const GridModel *>(sourceModel());
    return grid && column >= 0 && column < grid->columns().size() ? grid->columns()[column].kind
                                                                  : ColumnKind::Text;
}

const SortKey &GridSortFilter::keyOf(const QModelIndex &sourceIndex) const {
    if (sourceIndex.column() != keyColumn_) {
        keys_.clear();
        keyColumn_ = sourceIndex.column();
        keyKind_ = kindOf(keyColumn_);
    }
    const auto row = size_t(sourceIndex.row());
    if (row >= keys_.size()) keys_.resize(qMax(row + 1, size_t(sourceModel()->rowCount())));
    std::unique_ptr<SortKey> &key = keys_[row]; // kept where it is while the vector grows
    if (!key) key = std::make_unique<SortKey>(sourceIndex.data().toString(), keyKind_);
    return *key;
}

bool GridSortFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const {
    const int c = SortKey::compare(keyOf(left), keyOf(right));
    // Equal cells keep the OLT's order.
    return c != 0 ? c < 0 : left.row() < right.row();
}

bool GridSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const {
    if (filter_.isEmpty()) return true;
    const QAbstractItemModel *m = sourceModel();
    if (const auto *grid = qobject_cast<const GridModel *>(m)) {
        // The cells as they are stored: no string made per cell.
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->cellView(sourceRow, c).contains(filter_, Qt::CaseInsensitive)) return true;
        return false;
    }
    for (int c = 0; c < m->columnCount(sourceParent); ++c)
        if (m->index(sourceRow, c, sourceParent).data().toString().contains(filter_, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace tw
