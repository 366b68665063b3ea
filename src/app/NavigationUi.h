#pragma once
// The toolbar and the "程序(&F)" menu, built from one table of entries: each shows its page (the
// toolbar button stays pressed while it shows) or opens a window, and may act besides.

#include <QList>
#include <QObject>
#include <QStyle>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QTabWidget;
class QToolBar;
class QWidget;

namespace tw {

struct NavigationEntry {
    const char16_t *caption;     // the toolbar button's
    const char16_t *menuCaption; // the "程序(&F)" menu item's
    const char16_t *tip;         // none: the button shows no tool tip
    QStyle::StandardPixmap icon;
    QWidget *page; // none: the entry opens a window (through `act`)
    // What it does besides showing its page; `fromMenu` tells the menu item from the button.
    std::function<void(bool fromMenu)> act;
};

class NavigationUi : public QObject {
    Q_OBJECT
  public:
    // Adds the pages to `pages`, the toolbar and the menu to `window`; the menu ends with "退出",
    // which calls `exit`.
    NavigationUi(QMainWindow *window, QTabWidget *pages, const QList<NavigationEntry> &entries,
                 std::function<void()> exit);

    // Shows `page` with its button pressed and the others released; acts on nothing.
    void showPage(QWidget *page);

    QToolBar *toolbar;
    QMenu *programMenu;

  private:
    QTabWidget *pages_;
    QList<QPair<QWidget *, QAction *>> pageButtons_;
};

} // namespace tw
