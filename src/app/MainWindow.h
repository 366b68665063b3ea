#pragma once
// The main window: the toolbar and menus built from the table of pages, the pages, the console
// pane and the status bar, over one OLT session that does the work.

#include "session/OltSession.h"
#include "widgets/StartupFields.h"

#include <QMainWindow>

#include <functional>

class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTabWidget;

namespace tw {

class ActivityLog;
class AlarmPage;
class BoardPage;
class ChassisPage;
class CommissioningPage;
class ConsolePane;
class OntPage;
class OpticalPage;
class Operator;
class OperatorConsole;
class QueryPage;
class ReceivingIndicatorWidget;
class SettingsPage;
class SettingsStore;
class TftpServerUi;

inline const QString ProductTitle = QStringLiteral("Tarnwick v3.0.0");

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(SettingsStore &settings, ActivityLog &log, Operator &op, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The connection, the routing, the grids and the automatic loop.
    OltSession session;

    // Replaceable for tests: the reachability probe and the control panel.
    std::function<bool(const QString &host, int port)> probe;
    std::function<void()> openControlPanel;

    // The start-up sequence after the single-instance check. False when the program must end
    // (the first-run path).
    bool start();

    void showPage(QWidget *page);
    // Shows, restores and raises the window (tray click, "显示", a second start).
    void bringToFront();
    // "退出": asks, then ends the program; false when the operator cancelled.
    bool requestExit();

    void setConnectionState(const QString &state);
    void setLastEvent(const QString &event);

    QTabWidget *pages;
    ChassisPage *chassisPage = nullptr;
    OntPage *ontPage = nullptr;
    BoardPage *boardPage = nullptr;
    QueryPage *queryPage = nullptr;
    AlarmPage *alarmPage = nullptr;
    CommissioningPage *commissioningPage = nullptr;
    SettingsPage *settingsPage = nullptr;
    OpticalPage *opticalPage = nullptr;
    ConsolePane *consolePane;
    OperatorConsole *console;
    ReceivingIndicatorWidget *receivingIndicator; // status bar, while a long listing arrives
    QMenu *programMenu, *toolsMenu, *helpMenu;
    TftpServerUi *tftp; // "TFTP服务器" of "工具(&T)": the built-in server on the run directory
    QMenu *trayMenu;    // pop-up only
    QSystemTrayIcon *tray = nullptr;
    StartupFields startupFields;

  signals:
    void exitConfirmed();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void buildPagesAndNavigation();
    void buildStatusBar();
    void buildToolsAndHelp();
    void buildTray();
    void launchTool(const QStringList &candidates, const QString &what);
    void showAbout();

    SettingsStore &settings_;
    ActivityLog &log_;
    Operator &op_;
    QLabel *connectionLabel_, *oltLabel_, *eventLabel_;
    QString lastReport_; // the event pane's latest report; the connection's changes are put after it
    QList<QPair<QWidget *, QAction *>> pageButtons_; // each page's toolbar button, pressed while it shows
    bool exiting_ = false;                           // "退出" was confirmed: every close is let through
};

} // namespace tw
