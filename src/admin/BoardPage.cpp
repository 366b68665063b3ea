#include "admin/BoardPage.h"

#include "app/WidgetKitUi.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tw {

BoardPage::BoardPage(QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    operations = new QGroupBox(QStringLiteral("板卡管理"), this);
    auto *grid = new QGridLayout(operations);
    for (int i = 0; i < 6; ++i) {
        auto *box = new QLineEdit(QStringLiteral("0/1"), operations);
        box->setMaximumWidth(70);
        grid->addWidget(new QLabel(QStringLiteral("业务板："), operations), i, 0);
        grid->addWidget(box, i, 1);
        boardBoxes.append(box);
    }
    grid->setRowStretch(6, 1);
    boardPane = makeTextPane(this, QStringLiteral("BoardPane"));
    layout->addWidget(operations, 2);
    layout->addWidget(boardPane, 3);
}

} // namespace tw
