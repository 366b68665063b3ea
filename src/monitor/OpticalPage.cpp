#include "monitor/OpticalPage.h"

#include "admin/OntDataExtraction.h"
#include "common/CommandSink.h"
#include "common/GridModel.h"
#include "common/GridSortFilter.h"
#include "common/InputCheck.h"
#include "common/Operator.h"
#include "common/PageContext.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "monitor/OpticalLevelChartWidget.h"
#include "monitor/OpticalTable.h"
#include "monitor/OpticalTrendWidget.h"
#include "widgets/GridPanelWidget.h"

#include <QBrush>
#include <QColor>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace tw {

namespace {

// The grid with each row's colour: red for 过低 and 过载, amber for 偏低, grey text for offline.
class OpticalGridModel : public GridModel {
  public:
    OpticalGridModel(QObject *parent) : GridModel(opticalColumns(), parent) {}
    std::vector<Severity> severities;
    std::vector<bool> offline;

    QVariant data(const QModelIndex &index, int role) const override {
        const size_t r = size_t(index.row());
        if (index.isValid() && r < severities.size()) {
            if (role == Qt::BackgroundRole && severities[r] == Severity::Red)
                return QBrush(QColor(0xF4, 0xB4, 0xAE));
            if (role == Qt::BackgroundRole && severities[r] == Severity::Amber)
                return QBrush(QColor(0xFF, 0xDE, 0x8A));
            if (role == Qt::ForegroundRole && offline[r]) return QBrush(QColor(0x80, 0x80, 0x80));
        }
        return GridModel::data(index, role);
    }
};

int settingInt(const SettingsStore &s, const Setting &setting, int low, int high) {
    bool ok = false;
    const int v = s.read(setting).trimmed().toInt(&ok);
    return ok && v >= low && v <= high ? v : low;
}

QDoubleSpinBox *dbmField(QWidget *parent, double value) {
    auto *f = new QDoubleSpinBox(parent);
    f->setRange(-60, 20);
    f->setDecimals(1);
    f->setSingleStep(0.5);
    f->setSuffix(QStringLiteral(" dBm"));
    f->setValue(value);
    return f;
}

} // namespace

OpticalPage::OpticalPage(PageContext &context, const GridModel &ontList, QWidget *parent)
    : QWidget(parent), context_(context), history_(RunDirectory{runDirectoryOf(context)}),
      reading_(context.sink, &history_, &ontList), limits_(readThresholds(context.settings)) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildControls());

    auto *model = new OpticalGridModel(this);
    grid = model;
    gridPanel = new GridPanelWidget(*grid, QStringLiteral("OpticalGrid"), -1, this);
    auto *menu = new QMenu(this);
    menu->addAction(gridPanel->copyAction);
    menu->addAction(gridPanel->exportAction);
    connect(gridPanel->view, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint &pos) { menu->popup(gridPanel->view->viewport()->mapToGlobal(pos)); });
    levelChart = new OpticalLevelChartWidget(this);
    trendChart = new OpticalTrendWidget(this);
    auto *charts = new QSplitter(Qt::Horizontal, this);
    charts->addWidget(levelChart);
    charts->addWidget(trendChart);
    charts->setStretchFactor(0, 1);
    charts->setStretchFactor(1, 1);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(gridPanel);
    split->addWidget(charts);
    // The charts take as much height as the grid: their bars and axes need it to be read.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);

    connect(levelChart, &OpticalLevelChartWidget::barClicked, this,
            [this](int row) { selectSourceRow(gridPanel->view, row); });
    connect(gridPanel->view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &) { showTrendOf(currentSourceRow(gridPanel->view)); });
    // The bars follow the grid's order and filter, redrawn once per event-loop turn however many
    // ranges a filter change removes and inserts.
    const auto queueChart = [this] {
        if (chartQueued_) return;
        chartQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            chartQueued_ = false;
            refreshChart();
        });
    };
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(gridPanel->proxy, signal, this, queueChart);
    connect(gridPanel->proxy, &QAbstractItemModel::layoutChanged, this, queueChart);

    reading_.progress = [this](int done, int total) {
        progressLabel->setText(readingProgressText(done, total));
    };
    reading_.finished = [this](const OpticalResult &r) { finished(r); };
    reading_.retentionDays = retentionField->value();
    periodicTimer.setObjectName(QStringLiteral("OpticalPeriodicTimer"));
    connect(&periodicTimer, &QTimer::timeout, this, &OpticalPage::periodicTick);
    applyPeriod(periodField->value());
    refreshChart();
}

OpticalPage::~OpticalPage() = default;

QWidget *OpticalPage::buildControls() {
    auto *box = new QGroupBox(QStringLiteral("光功率"), this);
    auto *g = new QGridLayout(box);
    const SettingsStore &s = context_.settings;
    scopeKind = new QComboBox(box);
    scopeKind->addItems({QStringLiteral("端口"), QStringLiteral("单板"), QStringLiteral("整框")});
    auto spin = [box](int high, int value) {
        auto *f = new QSpinBox(box);
        f->setRange(0, high);
        f->setValue(value);
        return f;
    };
    frameField = spin(7, settingInt(s, settings::Frame, 0, 7));
    slotField = spin(22, settingInt(s, settings::Slot, 0, 22));
    portField = spin(15, settingInt(s, settings::Port, 0, 15));
    readButton = new QPushButton(QStringLiteral("读取"), box);
    stopButton = new QPushButton(QStringLiteral("中断"), box);
    stopButton->setEnabled(false);
    progressLabel = new QLabel(box);
    int column = 0;
    auto add = [&](int row, const QString &caption, QWidget *field) {
        if (!caption.isEmpty()) g->addWidget(new QLabel(caption, box), row, column++);
        g->addWidget(field, row, column++);
    };
    add(0, QStringLiteral("范围："), scopeKind);
    add(0, QStringLiteral("框："), frameField);
    add(0, QStringLiteral("槽："), slotField);
    add(0, QStringLiteral("端口："), portField);
    add(0, {}, readButton);
    add(0, {}, stopButton);
    g->addWidget(progressLabel, 0, column, 1, 3);

    tooLowField = dbmField(box, limits_.tooLow);
    lowField = dbmField(box, limits_.low);
    overloadField = dbmField(box, limits_.overload);
    periodField = spin(MaxPeriodMinutes, readPeriodMinutes(s));
    periodField->setSpecialValueText(QStringLiteral("关闭"));
    periodField->setSuffix(QStringLiteral(" 分钟"));
    retentionField = spin(MaxRetentionDays, readRetentionDays(s));
    retentionField->setMinimum(1);
    retentionField->setSuffix(QStringLiteral(" 天"));
    column = 0;
    add(1, QStringLiteral("过低低于："), tooLowField);
    add(1, QStringLiteral("偏低低于："), lowField);
    add(1, QStringLiteral("过载高于："), overloadField);
    add(1, QStringLiteral("周期读取："), periodField);
    add(1, QStringLiteral("历史保留："), retentionField);
    summaryLabel = new QLabel(box);
    summaryLabel->setObjectName(QStringLiteral("OpticalSummary"));
    g->addWidget(summaryLabel, 2, 0, 1, -1);
    g->setColumnStretch(g->columnCount(), 1);

    auto enableFields = [this](int kind) {
        slotField->setEnabled(kind != OpticalScope::Chassis);
        portField->setEnabled(kind == OpticalScope::Port);
    };
    connect(scopeKind, &QComboBox::currentIndexChanged, this, enableFields);
    connect(readButton, &QPushButton::clicked, this, [this] { readNow(); });
    connect(stopButton, &QPushButton::clicked, this, [this] {
        reading_.interrupt();
        progressLabel->setText(progressLabel->text() + QStringLiteral("（正在中断）"));
    });
    for (QDoubleSpinBox *f : {tooLowField, lowField, overloadField})
        connect(f, &QDoubleSpinBox::valueChanged, this, &OpticalPage::thresholdsEdited);
    connect(periodField, &QSpinBox::valueChanged, this, [this](int minutes) {
        context_.settings.write(settings::OpticalPeriod, QString::number(minutes));
        applyPeriod(minutes);
    });
    connect(retentionField, &QSpinBox::valueChanged, this, [this](int days) {
        reading_.retentionDays = days;
        context_.settings.write(settings::OpticalRetention, QString::number(days));
    });
    return box;
}

OpticalScope OpticalPage::scope() const {
    return {OpticalScope::Kind(scopeKind->currentIndex()), frameField->value(), slotField->value(),
            portField->value()};
}

bool OpticalPage::readNow() {
    if (reading_.running()) return false;
    if (!begin()) {
        context_.op.notice(NotConnectedNotice, ErrorBoxTitle, BoxIcon::Error);
        return false;
    }
    return true;
}

bool OpticalPage::periodicTick() {
    // The operator's own commands go first: this tick is skipped, the next one tries again.
    if (reading_.running() || !context_.sink.idle()) {
        progressLabel->setText(QStringLiteral("周期读取已跳过：命令行忙"));
        return false;
    }
    return begin();
}

bool OpticalPage::begin() {
    if (!reading_.start(scope())) return false;
    // A reading that could not begin (no such PON board) has already finished.
    if (reading_.running()) {
        readButton->setEnabled(false);
        stopButton->setEnabled(true);
        progressLabel->setText(QStringLiteral("正在读取 %1 …").arg(scope().text()));
    }
    return true;
}

void OpticalPage::finished(const OpticalResult &r) {
    readButton->setEnabled(true);
    stopButton->setEnabled(false);
    last_ = r;
    const QString read = readingProgressText(r.portsRead, r.portsTotal);
    QString status = r.status == OpticalResult::Done          ? QStringLiteral("读取完成：") + read
                     : r.status == OpticalResult::Interrupted ? QStringLiteral("已中断：") + read
                                                              : QStringLiteral("读取失败：") + r.reason;
    if (r.status == OpticalResult::Interrupted && !r.reason.isEmpty() && r.reason != QStringLiteral("已中断"))
        status += QStringLiteral("（") + r.reason + QStringLiteral("）");
    if (!r.portFailures.isEmpty()) {
        status += QStringLiteral("，%1 个端口未读取").arg(r.portFailures.size());
        if (context_.report)
            context_.report(QStringLiteral("光功率未读取的端口：") +
                            r.portFailures.join(QStringLiteral("；")));
    }
    if (!r.storeError.isEmpty() && context_.report)
        context_.report(QStringLiteral("光功率历史未保存：") + r.storeError);
    progressLabel->setText(status);
    if (r.status != OpticalResult::Failed || !r.entries.empty()) {
        entries_ = r.entries;
        showEntries();
    }
    emit readingFinished();
}

void OpticalPage::showEntries() {
    auto *model = static_cast<OpticalGridModel *>(grid);
    QList<GridRow> rows;
    rows.reserve(qsizetype(entries_.size()));
    model->severities.clear();
    model->offline.clear();
    for (const OpticalEntry &e : entries_) {
        rows.append(GridRow(opticalEntryCells(e, limits_)));
        model->severities.push_back(opticalSeverity(e, limits_));
        model->offline.push_back(e.offline);
    }
    model->replaceRows(std::move(rows));
    summaryLabel->setText(summaryText(summarize(entries_, limits_)));
    refreshChart();
}

void OpticalPage::refreshChart() {
    QList<OpticalLevelChartWidget::Bar> bars;
    int withLevel = 0;
    const GridSortFilter *proxy = gridPanel->proxy;
    for (int i = 0; i < proxy->rowCount(); ++i) {
        const int row = proxy->mapToSource(proxy->index(i, 0)).row();
        if (row < 0 || size_t(row) >= entries_.size()) continue;
        const OpticalEntry &e = entries_[size_t(row)];
        if (e.offline || !e.row.rxPower) continue;
        ++withLevel;
        if (bars.size() < OpticalLevelChartWidget::MaxBars)
            bars.append({QStringLiteral("%1-%2").arg(e.row.portText()).arg(e.row.ontId), *e.row.rxPower,
                         opticalSeverity(e, limits_), row});
    }
    levelChart->showBars(bars, limits_, withLevel);
}

void OpticalPage::thresholdsEdited() {
    const OpticalThresholds edited{tooLowField->value(), lowField->value(), overloadField->value()};
    if (!thresholdsInOrder(edited)) {
        summaryLabel->setText(QStringLiteral("门限须满足：过低 < 偏低 < 过载，未保存。"));
        return;
    }
    const auto store = [this](const Setting &s, double now, double before) {
        if (now != before) context_.settings.write(s, QString::number(now));
    };
    store(settings::OpticalTooLow, edited.tooLow, limits_.tooLow);
    store(settings::OpticalLow, edited.low, limits_.low);
    store(settings::OpticalOverload, edited.overload, limits_.overload);
    limits_ = edited;
    showEntries();
}

void OpticalPage::applyPeriod(int minutes) {
    if (minutes > 0)
        periodicTimer.start(minutes * 60 * 1000);
    else
        periodicTimer.stop();
}

OpticalHistory *OpticalPage::openHistory() {
    return history_.isOpen() || history_.open() ? &history_ : nullptr;
}

void OpticalPage::showTrendOf(int row) {
    if (row < 0 || size_t(row) >= entries_.size()) return;
    const OpticalEntry &e = entries_[size_t(row)];
    const QString title = QStringLiteral("%1 ONT %2 光功率趋势").arg(e.row.portText()).arg(e.row.ontId);
    if (e.serial.isEmpty())
        return trendChart->showTrend(title, {}, QStringLiteral("ONT列表中没有它的序列号，无历史可查"));
    OpticalHistory *h = openHistory();
    if (!h)
        return trendChart->showTrend(title, {}, QStringLiteral("历史数据库无法打开：") + history_.error());
    const std::vector<OpticalTrendPoint> points = h->trend(e.serial);
    trendChart->showTrend(title + QStringLiteral("（") + e.serial + QStringLiteral("）"), points,
                          points.empty() ? QStringLiteral("尚无历史读数") : QString());
}

} // namespace tw
