#include "monitor/QueryPage.h"

#include "app/WidgetKitUi.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>

namespace tw {

QueryPage::QueryPage(QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    catalogue = new QGroupBox(QStringLiteral("查询功能"), this);
    queryPane = makeTextPane(this, QStringLiteral("QueryPane"));
    layout->addWidget(catalogue, 2);
    layout->addWidget(queryPane, 5);
}

} // namespace tw
