#include "admin/BoardPage.h"

#include "admin/BoardOperations.h"
#include "widgets/WidgetKit.h"

#include "widgets/StartupFields.h"

#include "olt/RouterView.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

BoardPage::BoardPage(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    boardPane = makeTextPane(this, QStringLiteral("BoardPane"));
    if (context.view)
        context.view->setPane(RouterTargets::BoardPane,
                              [this](const QString &text) { setPaneText(boardPane, text); });
    layout->addWidget(boardPane, 3);

    auto *side = new QVBoxLayout;
    for (const BoardGroup &g : BoardGroups) {
        auto *group = new QGroupBox(QString::fromUtf16(g.title), this);
        auto *row = new QHBoxLayout(group);
        auto *box = new QLineEdit(QStringLiteral("0/8"), group);
        box->setMaximumWidth(80);
        auto *button = new QPushButton(QString::fromUtf16(g.button), group);
        row->addWidget(new QLabel(QStringLiteral("业务板："), group));
        row->addWidget(box);
        row->addWidget(button);
        row->addStretch(1);
        side->addWidget(group);
        boardBoxes.append(box);
        groupButtons.append(button);
        const BoardAction action = g.action;
        connect(button, &QPushButton::clicked, this,
                [&context, action, box] { runBoardAction(context, action, box->text()); });
    }
    confirmAllButton = new QPushButton(QStringLiteral("确认所有板卡(&A)"), this);
    connect(confirmAllButton, &QPushButton::clicked, this, [&context] { confirmAllBoards(context); });
    side->addWidget(confirmAllButton);
    side->addStretch(1);
    layout->addLayout(side, 2);
}

void BoardPage::registerStartupFields(StartupFields &fields) const {
    for (QLineEdit *box : boardBoxes)
        fields.add(box, settings::ServiceBoard);
}

} // namespace tw
