#pragma once
// The main window: the toolbar and menus built from the table of pages, the pages, the console
// pane, the status bar, the tools and help menus and the tray, over one OLT session that does the
// work.

#include "app/ProductTitle.h"
#include "session/OltSession.h"
#include "widgets/StartupFields.h"

#include <QMainWindow>

#include <functional>

class QTabWidget;

namespace tw {

class ActivityLog;
class AlarmPage;
class BoardPage;
class ChassisPage;
class CommissioningPage;
class ConsolePane;
class NavigationUi;
class OntPage;
class OpticalPage;
class Operator;
class OperatorConsole;
class QueryPage;
class SettingsPage;
class SettingsStore;
class StatusBarUi;
class ToolsMenuUi;
class TrayUi;

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
    NavigationUi *navigation; // the toolbar and "程序(&F)"
    StatusBarUi *status;
    ToolsMenuUi *tools; // "工具(&T)" and "帮助(&H)"
    TrayUi *tray;
    StartupFields startupFields;

  signals:
    void exitConfirmed();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void buildPagesAndNavigation();

    SettingsStore &settings_;
    ActivityLog &log_;
    Operator &op_;
    bool exiting_ = false; // "退出" was confirmed: every close is let through
};

} // namespace tw
