#include "monitor/AlarmPage.h"

#include "app/WidgetKitUi.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tw {

AlarmPage::AlarmPage(QWidget *parent) : QWidget(parent) {
    auto *layout = new QVBoxLayout(this);
    group = new QGroupBox(QStringLiteral("报警状态"), this);
    auto *inner = new QVBoxLayout(group);
    controls = new QWidget(group);
    alarmPane = makeTextPane(group, QStringLiteral("AlarmPane"));
    inner->addWidget(controls);
    inner->addWidget(alarmPane, 1);
    layout->addWidget(group);
}

} // namespace tw
