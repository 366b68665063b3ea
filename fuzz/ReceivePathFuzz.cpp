// The console's receive path on arbitrary bytes cut anywhere: the telnet layer, the prompt joiner
// and the chunk stage (ReceivePath), the response router, the reply handlers with their parsers
// and grids, the chassis drawing, the script runner that paces what goes back, and the automatic
// registration and move flows the replies start.
//
// Flags: bit 0 a config.ini with the account, password and every automatic switch on (otherwise
// all empty, as the replay tool runs); bit 1 GPON discovery; bit 2 the page fields filled;
// bit 3 "开启自动注册" ticked; bit 4 a new connection halfway through; bit 5 an automatic
// registration under way; bit 6 the OLT not connected (every send fails).

#include "FuzzInput.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Gbk.h"
#include "common/GridModel.h"
#include "common/PasswordCodec.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "olt/ReceivePath.h"
#include "olt/ResponseRouter.h"
#include "olt/ScriptRunner.h"
#include "olt/SharedValues.h"
#include "response/AddReply.h"
#include "response/AutoRegistrar.h"
#include "response/ChassisDrawing.h"
#include "response/DiscoveryParser.h"
#include "response/ReplyHandlers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace tw;

namespace {

struct Scratch {
    std::unique_ptr<QTemporaryDir> dir;
    QString plainPath, livePath;
    QByteArray plainBytes, liveBytes;
};

Scratch *scratch = nullptr;

QByteArray configBytes(const QString &path, bool live) {
    QFile::remove(path);
    SettingsStore s(path);
    s.writeSwitch(settings::LogEnabled, false);
    if (live) {
        s.write(settings::OltAccount, QStringLiteral("root"));
        s.write(settings::OltPassword, encodePassword(QStringLiteral("admin")));
        for (const Setting *on : {&settings::AutoReconnect, &settings::AutoRegister,
                                  &settings::AutoServiceFlows, &settings::AutoMove, &settings::Iptv})
            s.writeSwitch(*on, true);
        s.write(settings::ServiceOuterVlan, QStringLiteral("200"));
        s.write(settings::GponServiceFlows,
                QStringLiteral("service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 1 "
                               "multi-service user-vlan 递增数值1 tag-transform translate"));
        s.write(settings::EponServiceFlows,
                QStringLiteral("service-port vlan 业务外层 epon 0/槽号/端口号 ont 编号 multi-service "
                               "user-vlan 业务内层 tag-transform translate"));
        s.write(settings::counter(1), QStringLiteral("7"));
        s.write(settings::counterLimit(1), QStringLiteral("3"));
        s.write(settings::portVlan(QStringLiteral("1/0")), QStringLiteral("300"));
    } else {
        s.writeSwitch(settings::AutoReconnect, false);
        s.writeSwitch(settings::Iptv, false);
    }
    QFile f(path);
    (void)f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Every iteration starts from the same config.ini: the flows write counters back.
void restore(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

class Fields : public RouterFields {
  public:
    explicit Fields(bool filled) : filled_(filled) {}
    QString text(Field field) const override {
        if (!filled_) return {};
        return field == DetailOnt   ? QStringLiteral("1")
               : field == ListBoard ? QStringLiteral("1")
                                    : QStringLiteral("0");
    }

  private:
    bool filled_;
};

// Panes keep their text so that appends grow as in the console; the console text is decoded.
class Targets : public RouterTargets {
  public:
    void replacePaneText(Pane pane, const QString &text) override { panes_[pane] = text; }
    void appendQueryPane(const QString &text) override {
        panes_[QueryPane] += text;
        if (panes_[QueryPane].size() > 1 << 20) panes_[QueryPane].clear();
    }
    void appendConsole(const QString &text) override { consoleChars_ += text.size(); }
    void receiving(qsizetype lines, qsizetype onts) override {
        fuzz::require(lines >= -1, "receiving() count below -1");
        fuzz::require(onts >= -1, "receiving() ONT count below -1");
    }

  private:
    QString panes_[6];
    qsizetype consoleChars_ = 0;
};

// The connection as the operations see it: scripts go to the runner, which writes nowhere.
class Sink : public CommandSink {
  public:
    explicit Sink(bool connected) : connected_(connected) { runner.setReady(true); }
    bool send(const QString &script) override { return run(script, {}); }
    bool run(const QString &script, ScriptDone done, RunOptions options = {}) override {
        if (!connected_) return false;
        runner.run(script, std::move(done), options);
        return true;
    }
    ScriptRunner runner{[this](const QByteArray &bytes) {
        sent_ += bytes.size();
        return connected_;
    }};

  private:
    bool connected_;
    qsizetype sent_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    static int argc = 1;
    static char name[] = "fuzz_receive_path";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // the runner's timers
    scratch = new Scratch;
    // A RAM disk when there is one: the flows read config.ini for every reply.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    scratch->dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tw-fuzz-XXXXXX"));
    if (!scratch->dir->isValid()) fuzz::fail("no scratch directory");
    scratch->plainPath = scratch->dir->filePath(QStringLiteral("plain.ini"));
    scratch->livePath = scratch->dir->filePath(QStringLiteral("live.ini"));
    scratch->plainBytes = configBytes(scratch->plainPath, false);
    scratch->liveBytes = configBytes(scratch->livePath, true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const fuzz::Input in = fuzz::readInput(data, size);
    const bool live = in.flag(0);
    if (live) restore(scratch->livePath, scratch->liveBytes);
    SettingsStore settings(live ? scratch->livePath : scratch->plainPath);
    ActivityLog log(settings, scratch->dir->path());
    Sink sink(!in.flag(6));

    GridModel ontList(ontListColumns());
    GridModel discovery(ontDiscoveryColumns());
    GridModel versions(ontVersionColumns());
    SharedValues shared;
    shared.ponKindFlag = in.flag(1) ? 1 : 0;
    AutoRegistrar registrar(sink, settings, log);
    if (in.flag(5))
        registrar.discovered(
            QStringLiteral("   框/槽/端口        : 0/1/0\r\n   ONT SN           : 48575443ABCDEF01\r\n"));

    ReplyHandlers handlers(ontList, discovery, versions, shared);
    handlers.chassis = [](const QString &reply) { (void)chassisDrawing(reply, 800, 420); };
    handlers.discoveredKey = [](const QString &) {};
    handlers.report = [](const QString &) {};
    const bool ticked = in.flag(3);
    handlers.autoRegisterOn = [ticked] { return ticked; };
    handlers.autoRegister = [&](const QString &text) { registrar.discovered(text); };
    handlers.onAddReply = [&](const QString &text) {
        const AddReplyFields f{ticked,
                               QStringLiteral("0"),
                               QStringLiteral("1"),
                               QStringLiteral("0"),
                               QStringLiteral("100"),
                               QStringLiteral("41")};
        handleAddReply(text, settings, sink, log, f, [&](const QString &key) { return registrar.owns(key); });
    };

    const Fields fields(in.flag(2));
    Targets targets;
    ResponseRouter router(fields, targets, handlers, shared, settings);
    ReceivePath path(settings);

    struct Actions : ReceiveActions {
        ReceivePath &path;
        ResponseRouter &router;
        ScriptRunner &runner;
        AutoRegistrar &registrar;
        Actions(ReceivePath &p, ResponseRouter &r, ScriptRunner &s, AutoRegistrar &a)
            : path(p), router(r), runner(s), registrar(a) {}
        void write(const QByteArray &bytes) override { fuzz::require(!bytes.isEmpty(), "an empty write"); }
        void reconnect() override {
            path.reset();
            router.newSession();
            runner.setReady(false);
            runner.interruptAll(QStringLiteral("reconnect"));
            runner.setReady(true);
            registrar.resume();
        }
        void passwordSent() override { runner.foreignLines(1); }
        void typedLines(int lines) override { runner.foreignLines(lines); }
        void loginRejected() override {}
        void deliver(const QByteArray &chunk) override {
            router.route(chunk);
            runner.received(chunk);
        }
    } actions(path, router, sink.runner, registrar);

    const QList<QByteArrayView> pieces = in.pieces();
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (in.flag(4) && i == pieces.size() / 2) actions.reconnect();
        path.feed(pieces[i], actions);
    }
    path.finish(actions);

    for (const GridModel *grid : {&ontList, &discovery, &versions})
        for (int r = 0; r < grid->count(); ++r)
            fuzz::require(grid->row(r).size() == grid->columns().size(),
                          "a grid row with the wrong cell count");
    return 0;
}
