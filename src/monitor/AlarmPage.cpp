#include "monitor/AlarmPage.h"

#include "monitor/AlarmsAndFans.h"
#include "widgets/WidgetKit.h"

#include "olt/RouterView.h"
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

AlarmPage::AlarmPage(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *layout = new QVBoxLayout(this);
    group = new QGroupBox(QStringLiteral("报警状态"), this);
    auto *inner = new QVBoxLayout(group);
    auto *row = new QHBoxLayout;
    viewButton = new QPushButton(QStringLiteral("查询"), group);
    clearButton = new QPushButton(QStringLiteral("清除"), group);
    row->addWidget(viewButton);
    row->addWidget(clearButton);
    row->addStretch(1);
    alarmPane = makeTextPane(group, QStringLiteral("AlarmPane"));
    if (context.view)
        context.view->setPane(RouterTargets::AlarmPane,
                              [this](const QString &text) { setPaneText(alarmPane, text); });
    inner->addLayout(row);
    inner->addWidget(alarmPane, 1);
    layout->addWidget(group);
    connect(viewButton, &QPushButton::clicked, this, [&context] { viewAlarms(context); });
    connect(clearButton, &QPushButton::clicked, this, [&context] { clearAlarms(context); });
}

} // namespace tw
