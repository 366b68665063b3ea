#include "widgets/ReceivingIndicatorWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace tw {

ReceivingIndicatorWidget::ReceivingIndicatorWidget(QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QProgressBar(this);
    bar->setRange(0, 0); // busy: the length of a listing is not known before its end
    bar->setMaximumWidth(80);
    bar->setMaximumHeight(14);
    label = new QLabel(this);
    stopButton = new QPushButton(QStringLiteral("中断命令(&Q)"), this);
    stopButton->setObjectName(QStringLiteral("StopListing"));
    layout->addWidget(bar);
    layout->addWidget(label);
    layout->addWidget(stopButton);
    hide();
}

void ReceivingIndicatorWidget::showProgress(qsizetype lines, qsizetype onts) {
    if (lines < 0) {
        hide();
        return;
    }
    if (!isHidden() && sinceUpdate_.isValid() && sinceUpdate_.elapsed() < UpdateMs) return;
    sinceUpdate_.start();
    label->setText(onts >= 0 ? QStringLiteral("正在接收列表… 已收到 %1 个ONT").arg(onts)
                             : QStringLiteral("正在接收列表… 已收到 %1 行").arg(lines));
    show();
}

} // namespace tw
