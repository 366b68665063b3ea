#include "app/TrayUi.h"

#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>

namespace tw {

TrayUi::TrayUi(QMainWindow *window, std::function<void()> bringToFront, std::function<void()> exit)
    : QObject(window) {
    menu = new QMenu(QStringLiteral("托盘"), window);
    connect(menu->addAction(QStringLiteral("显示")), &QAction::triggered, this, bringToFront);
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("隐藏")), &QAction::triggered, window, &QWidget::showMinimized);
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("退出")), &QAction::triggered, this, std::move(exit));
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    icon = new QSystemTrayIcon(window->windowIcon(), this);
    icon->setContextMenu(menu);
    connect(icon, &QSystemTrayIcon::activated, this,
            [bringToFront = std::move(bringToFront)](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) bringToFront();
            });
}

TrayUi::~TrayUi() {
    hide();
}

void TrayUi::show(const QString &label) {
    if (!icon) return;
    icon->setToolTip(QStringLiteral("标识：") + label);
    icon->show();
}

void TrayUi::hide() {
    if (icon) icon->hide();
}

} // namespace tw
