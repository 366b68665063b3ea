#include "monitor/QueryPage.h"

#include "monitor/QueryCatalogue.h"
#include "widgets/WidgetKit.h"

#include "olt/RouterView.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>

namespace tw {

QueryPage::QueryPage(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    queryPane = makeTextPane(this, QStringLiteral("QueryPane"));
    if (context.view)
        context.view->setPane(
            RouterTargets::QueryPane, [this](const QString &text) { setPaneText(queryPane, text); },
            [this](const QString &text) { appendPaneText(queryPane, text); });
    catalogue = new QGroupBox(QStringLiteral("查询功能"), this);
    auto *grid = new QGridLayout(catalogue);

    catalogueList = new QComboBox(catalogue);
    catalogueList->setObjectName(QStringLiteral("QueryCatalogue"));
    for (const QueryEntry &e : queryCatalogue()) {
        const bool separator = !e.before;
        catalogueList->addItem(separator ? CatalogueSeparator : QString::fromUtf16(e.caption));
        if (separator) { // a separator row cannot be picked
            auto *model = static_cast<QStandardItemModel *>(catalogueList->model());
            model->item(catalogueList->count() - 1)->setEnabled(false);
        }
    }
    catalogueList->setCurrentIndex(-1); // nothing chosen until the operator picks a row
    queryButton = new QPushButton(QStringLiteral("查询"), catalogue);
    grid->addWidget(new QLabel(QStringLiteral("功能查询："), catalogue), 0, 0);
    grid->addWidget(catalogueList, 0, 1);
    grid->addWidget(queryButton, 0, 2);
    connect(queryButton, &QPushButton::clicked, this, [this, &context] {
        runCatalogue(context, catalogueList->currentIndex(), [this] { queryPane->clear(); });
    });

    int i = 0;
    for (const QueryEntry &e : fixedQueries()) {
        auto *b = new QPushButton(QString::fromUtf16(e.caption), catalogue);
        grid->addWidget(b, 1 + i / 2, i % 2 == 0 ? 0 : 1, 1, i % 2 == 0 ? 1 : 2);
        fixedButtons.append(b);
        connect(b, &QPushButton::clicked, this, [&context, &e] { runQuery(context, e); });
        ++i;
    }
    grid->setRowStretch(1 + (i + 1) / 2, 1);
    layout->addWidget(catalogue, 2);
    layout->addWidget(queryPane, 5);
}

} // namespace tw
