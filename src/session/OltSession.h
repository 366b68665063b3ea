#pragma once
// One OLT session: the connection, where every command goes, the routing of what the OLT sends
// back, the grids and panes it fills, the reply handlers and the automatic registration loop.
// No widgets: the window holds one session and shows what it does; the pages start operations
// through its context; the replay tool and the benchmarks build the same object.

#include "common/CommandSink.h"
#include "common/GridModel.h"
#include "common/HeldLine.h"
#include "common/PageContext.h"
#include "olt/OltConnection.h"
#include "olt/ResponseRouter.h"
#include "olt/RouterView.h"
#include "olt/SharedValues.h"
#include "response/AddReply.h"
#include "response/ReplyHandlers.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace tw {

class ActivityLog;
class AutoRegistrar;
class Operator;
class SettingsStore;

class OltSession : public QObject {
    Q_OBJECT
  public:
    OltSession(SettingsStore &settings, ActivityLog &log, Operator &op, QObject *parent = nullptr);
    ~OltSession() override;

    SettingsStore &settings;
    ActivityLog &log;
    Operator &op;

    SharedValues shared;
    GridModel ontListGrid{ontListColumns()};
    GridModel ontVersionGrid{ontVersionColumns()};
    GridModel ontDiscoveryGrid{ontDiscoveryColumns()};
    OltConnection connection;
    ReplyHandlers replies{ontListGrid, ontDiscoveryGrid, ontVersionGrid, shared};
    // The panes and fields the router writes and reads, registered by whoever shows them.
    RouterView view;

    // Where every command goes: the connection, or what a test put in its place. Keys the OLT
    // still holds on its input line after a "帮助" are cleared before the next command.
    CommandSink &sink() { return sink_; }
    void setSink(CommandSink *sink) { sink_.target = sink ? sink : &connection; }
    // "帮助": the partial command with "?" after it; the OLT keeps the partial text on its line.
    bool sendHelp(const QString &partial);
    // What the OLT sent back, past the chunk stage (the connection delivers here).
    void receive(const QByteArray &chunk) { router_->route(chunk); }
    ResponseRouter &router() { return *router_; }
    AutoRegistrar &registrar() { return *registrar_; }
    // What every page's flows work with.
    PageContext &context() { return *context_; }
    // The OLT's address and port from the settings, as "address:port".
    QString where() const;

    // Dials the OLT; replaceable for tests.
    std::function<void()> connectOlt;
    // The view's side of the registration replies: whether "开启自动注册" is ticked and the
    // fields of "ONT 注册" a manual or batch reply's flows fall back on.
    std::function<AddReplyFields()> addReplyFields;
    // A late outcome or an event for the status bar.
    std::function<void(const QString &message)> report;
    // The console's 清屏, for the flows that clear it.
    std::function<void()> clearConsole;

    // The automatic registration loop: one tick queries autofind; the timer runs the ticks.
    QTimer autoRegisterTimer;
    // Interval in ms; 0 stops the timer.
    void setAutoRegisterInterval(int ms);
    void autoRegisterTick();

  signals:
    // The connection came up or went down; `where` is address:port from the settings.
    void connectionChanged(bool up, const QString &where);

  private:
    void tell(const QString &message) const;

    struct SwitchableSink : CommandSink {
        CommandSink *target = nullptr;
        HeldLine held; // what the OLT keeps on its input line after a "帮助"
        bool send(const QString &script) override { return target->send(held.prepare(script)); }
        bool run(const QString &script, ScriptDone done, RunOptions options) override {
            return target->run(held.prepare(script), std::move(done), options);
        }
        bool sendNow(const QString &keys) override { return target->sendNow(keys); }
        bool idle() const override { return target->idle(); }
        bool breakOutput() override { return target->breakOutput(); }
    } sink_;
    std::unique_ptr<ResponseRouter> router_;
    std::unique_ptr<AutoRegistrar> registrar_;
    std::unique_ptr<PageContext> context_;
    // A tick's query that found the connection down: sent once the new login has been answered,
    // so that the OLT does not take it for the user name.
    QString tickResend_;
};

} // namespace tw
