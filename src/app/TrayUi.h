#pragma once
// The tray icon and its menu ("显示", "隐藏", "退出"). Without a system tray there is no icon; the
// menu still exists, so its actions can be reached and tested.

#include <QObject>

#include <functional>

class QMainWindow;
class QMenu;
class QSystemTrayIcon;

namespace tw {

class TrayUi : public QObject {
    Q_OBJECT
  public:
    // `bringToFront` shows the window, `exit` is "退出".
    TrayUi(QMainWindow *window, std::function<void()> bringToFront, std::function<void()> exit);
    ~TrayUi() override;

    // Shows the icon with the OLT's 标识 as its tip (when there is a tray).
    void show(const QString &label);
    void hide();

    QMenu *menu;                     // pop-up only
    QSystemTrayIcon *icon = nullptr; // none without a system tray
};

} // namespace tw
