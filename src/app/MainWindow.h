#pragma once

#include "app/RouterBridgeUi.h"
#include "app/StartupFieldsUi.h"
#include "common/CommandSink.h"
#include "common/GridModel.h"
#include "common/HeldLine.h"
#include "common/PageContext.h"
#include "olt/OltConnection.h"
#include "olt/ResponseRouter.h"
#include "olt/SharedValues.h"
#include "response/ReplyHandlers.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QSystemTrayIcon;
class QTabWidget;

namespace tw {

class ActivityLog;
class AutoRegistrar;
class AlarmPage;
class BoardPage;
class ChassisPage;
class CommissioningPage;
class OntPage;
class OntQueries;
struct RegisterFields;
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

    // Replaceable for tests: the reachability probe, the connect operation and the control panel.
    std::function<bool(const QString &host, int port)> probe;
    std::function<void()> connectOlt;
    std::function<void()> openControlPanel;

    // Where every command goes; the sink behind it is replaced when the connection is set.
    void setSink(CommandSink *sink);
    CommandSink &sink() { return sink_; }

    // The start-up sequence after the single-instance check. False when the program must end
    // (the first-run path).
    bool start();

    void showPage(int index);
    // Shows, restores and raises the window (tray click, "显示", a second start).
    void bringToFront();
    // "退出": asks, then ends the program; false when the operator cancelled.
    bool requestExit();
    // One auto-registration tick ("测试后台注册", "自动测试" and the timer).
    void autoRegisterTick();
    // The modal auto-registration window: the loop runs while it is open.
    void openAutoRegisterWindow();

    void setConnectionState(const QString &state);
    void setLastEvent(const QString &event);
    // An operation's late outcome, in the status bar.
    void report(const QString &message);
    AutoRegistrar &registrar() { return *registrar_; }

    // Pages and containers that the rest of the program fills.
    QTabWidget *pages;
    ChassisPage *chassisPage;
    OntPage *ontPage;
    BoardPage *boardPage;
    QueryPage *queryPage;
    AlarmPage *alarmPage;
    CommissioningPage *commissioningPage;
    SettingsPage *settingsPage;
    OperatorConsole *console;
    ReceivingIndicatorWidget *receivingIndicator; // status bar, while a long listing arrives

    GridModel ontListGrid{ontListColumns()};
    GridModel ontVersionGrid{ontVersionColumns()};
    GridModel ontDiscoveryGrid{ontDiscoveryColumns()};

    // The connection and the routing of what the OLT sends back.
    SharedValues shared;
    OltConnection connection;
    ReplyHandlers replies{ontListGrid, ontDiscoveryGrid, ontVersionGrid, shared};

    QMenu *programMenu, *toolsMenu, *helpMenu;
    TftpServerUi *tftp; // "TFTP服务器" of "工具(&T)": the built-in server on the run directory
    QMenu *trayMenu, *ontMenu, *ontVersionMenu, *ontDiscoveryMenu; // pop-up only
    QHash<QString, QAction *> ontActions, ontVersionActions, ontDiscoveryActions;
    std::unique_ptr<OntQueries> queries;
    QSystemTrayIcon *tray = nullptr;
    QTimer autoRegisterTimer;
    StartupFields startupFields;

    // The row under the console.
    QPushButton *writeButton, *detachButton, *clearButton, *disconnectButton, *reconnectButton, *helpButton,
        *breakButton, *executeButton;

    // Interval in ms; 0 stops the timer.
    void setAutoRegisterInterval(int ms);

  signals:
    // The auto-registration window is up (tests drive it from here).
    void autoRegisterWindowOpened(QDialog *window);
    void exitConfirmed();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void buildMenusAndToolbar();
    void buildCentral();
    void buildTray();
    void registerStartupFields();
    void writeGridHeaders();
    void launchTool(const QStringList &candidates, const QString &what);
    void showAbout();
    void sendEntry();
    void wireOntPage();
    void wireConnection();
    void wireAutoRegistration();
    void wireManualRegistration();
    RegisterFields registerFields() const;

    SettingsStore &settings_;
    ActivityLog &log_;
    Operator &op_;
    RouterBridge bridge_{*this};
    // What every page's flows work with.
    std::unique_ptr<PageContext> pageContext_;
    std::unique_ptr<ResponseRouter> router_;
    std::unique_ptr<AutoRegistrar> registrar_;
    struct SwitchableSink : CommandSink {
        CommandSink *target = nullptr;
        HeldLine held; // what the OLT keeps on its input line after a "帮助"
        bool send(const QString &script) override { return target->send(held.prepare(script)); }
        bool run(const QString &script, ScriptDone done, RunOptions options) override {
            return target->run(held.prepare(script), std::move(done), options);
        }
        bool sendNow(const QString &keys) override { return target->sendNow(keys); }
        bool breakOutput() override { return target->breakOutput(); }
    } sink_;
    QLabel *connectionLabel_, *oltLabel_, *eventLabel_;
    QAction *pageButtons_[7] = {}; // the toolbar button of each page
    // A tick's query that found the connection down: sent once the new login has been answered,
    // so that the OLT does not take it for the user name.
    QString tickResend_;
};

} // namespace tw
