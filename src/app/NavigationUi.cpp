#include "app/NavigationUi.h"

#include "widgets/SwitchBox.h"
#include "widgets/WidgetKit.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>

namespace tw {

NavigationUi::NavigationUi(QMainWindow *window, QTabWidget *pages, const QList<NavigationEntry> &entries,
                           std::function<void()> exit)
    : QObject(window), pages_(pages) {
    toolbar = window->addToolBar(QStringLiteral("工具栏"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(28, 28));
    programMenu = window->menuBar()->addMenu(QStringLiteral("程序(&F)"));

    for (const NavigationEntry &entry : entries) {
        QWidget *page = entry.page;
        if (page) pages->addTab(page, QString::fromUtf16(entry.caption));
        const auto effect = [this, page, act = entry.act](bool fromMenu) {
            if (page) showPage(page);
            if (act) act(fromMenu);
        };
        QAction *tool =
            toolbar->addAction(window->style()->standardIcon(entry.icon), QString::fromUtf16(entry.caption));
        if (entry.tip)
            tool->setToolTip(QString::fromUtf16(entry.tip));
        else
            suppressToolTip(toolbar->widgetForAction(tool));
        // A page's button acts on its state change, whoever changed it (a click, assistive
        // technology); pressed again it stays pressed and shows its page afresh. Buttons that open a
        // window act on the click.
        if (page) {
            tool->setCheckable(true);
            pageButtons_.append({page, tool});
            connect(tool, &QAction::toggled, this, [this, page, tool, effect](bool on) {
                if (!on && pages_->currentWidget() == page) loadSwitch(tool, true);
                if (on || pages_->currentWidget() == page) effect(false);
            });
        } else {
            connect(tool, &QAction::triggered, this, [effect] { effect(false); });
        }
        if (!programMenu->isEmpty()) programMenu->addSeparator();
        connect(programMenu->addAction(QString::fromUtf16(entry.menuCaption)), &QAction::triggered, this,
                [effect] { effect(true); });
    }
    programMenu->addSeparator();
    connect(programMenu->addAction(QStringLiteral("退出")), &QAction::triggered, this, std::move(exit));
    showPage(pages->currentWidget());
}

void NavigationUi::showPage(QWidget *page) {
    pages_->setCurrentWidget(page);
    for (const auto &[p, button] : std::as_const(pageButtons_))
        loadSwitch(button, p == page);
}

} // namespace tw
