#include "common/GridModel.h"

namespace tw {

GridRow::GridRow(const QStringList &cells) {
    qsizetype chars = 0;
    for (const QString &c : cells)
        chars += c.size();
    text_.reserve(chars);
    for (const QString &c : cells)
        append(c);
}

QStringView GridRow::cell(int c) const {
    if (c < 0 || c >= size()) return {};
    return QStringView(text_).sliced(start(c), ends_[c] - start(c));
}

QStringList GridRow::cells() const {
    QStringList out;
    out.reserve(size());
    for (int c = 0; c < size(); ++c)
        out.append(cell(c).toString());
    return out;
}

void GridRow::append(QStringView cell) {
    text_ += cell;
    endCell(text_.size());
}

void GridRow::setCell(int c, QStringView cell) {
    if (c < 0 || c >= size()) return;
    const int from = start(c);
    const int delta = int(cell.size()) - (ends_[c] - from);
    text_.replace(from, ends_[c] - from, cell.data(), cell.size());
    for (int k = c; k < size(); ++k)
        ends_[k] += delta;
}

void GridRow::fit(int columns) {
    if (size() > columns) {
        text_.truncate(start(columns));
        ends_.resize(columns);
    }
    while (size() < columns)
        endCell(text_.size());
}

GridModel::GridModel(QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void GridModel::resetHeader() {
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(columns_.size()) - 1);
    emit headerReset();
}

void GridModel::clearRows() {
    if (rows_.isEmpty()) return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

GridRow GridModel::fitted(GridRow row) const {
    row.fit(static_cast<int>(columns_.size()));
    return row;
}

void GridModel::replaceRows(QList<GridRow> rows) {
    if (rows_.isEmpty() && rows.isEmpty()) return;
    for (GridRow &r : rows)
        r.fit(static_cast<int>(columns_.size()));
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void GridModel::appendRow(const QStringList &cells) {
    const int r = count();
    beginInsertRows({}, r, r);
    rows_.append(fitted(GridRow(cells)));
    endInsertRows();
}

void GridModel::appendRows(const QList<QStringList> &rows) {
    if (rows.isEmpty()) return;
    const int first = count();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.reserve(rows_.size() + rows.size());
    for (const QStringList &cells : rows)
        rows_.append(fitted(GridRow(cells)));
    endInsertRows();
}

void GridModel::setCell(int row, int column, const QString &text) {
    if (row < 0 || row >= count() || column < 0 || column >= columns_.size()) return;
    rows_[row].setCell(column, text);
    emit dataChanged(index(row, column), index(row, column));
}

QStringView GridModel::cellView(int r, int c) const {
    if (r < 0 || r >= count()) return {};
    return rows_[r].cell(c);
}

int GridModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : count();
}

int GridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    return cell(index.row(), index.column());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role != Qt::DisplayRole || section < 0 || section >= columns_.size()) return {};
    return columns_[section].caption;
}

QList<GridColumn> ontListColumns() {
    using enum ColumnKind;
    return {{QStringLiteral("框/槽/端口"), 150, Port}, {QStringLiteral("ONT编号"), 100, Number},
            {QStringLiteral("序列号"), 200, Text},     {QStringLiteral("控制标志"), 100, Text},
            {QStringLiteral("运行标志"), 100, Text},   {QStringLiteral("配置状态"), 100, Text},
            {QStringLiteral("匹配状态"), 100, Text},   {QStringLiteral("保护侧"), 100, Text}};
}

QList<GridColumn> ontVersionColumns() {
    using enum ColumnKind;
    return {{QStringLiteral("框/槽/端口"), 150, Port}, {QStringLiteral("ONT编号"), 100, Number},
            {QStringLiteral("生产厂商ID"), 150, Text}, {QStringLiteral("ONT类型"), 200, Text},
            {QStringLiteral("软件版本"), 220, Text},   {QStringLiteral("OUI版本"), 100, Text}};
}

QList<GridColumn> ontDiscoveryColumns() {
    using enum ColumnKind;
    // "序列号" here is the autofind list's running number, not a serial number.
    return {{QStringLiteral("序列号"), 50, Number},         {QStringLiteral("框/槽/端口 "), 80, Port},
            {QStringLiteral("ONT SN/MAC"), 150, Text},      {QStringLiteral("密码"), 100, Text},
            {QStringLiteral("逻辑标识"), 150, Text},        {QStringLiteral("校验码"), 80, Text},
            {QStringLiteral("生产厂商ID"), 80, Text},       {QStringLiteral("ONT版本"), 80, Text},
            {QStringLiteral("ONT软件版本"), 120, Text},     {QStringLiteral("ONT设备ID"), 80, Text},
            {QStringLiteral("ONT自动发现时间"), 200, Text}, {QStringLiteral("注册状态"), 200, Text}};
}

} // namespace tw
