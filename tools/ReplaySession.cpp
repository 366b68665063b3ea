#include "ReplaySession.h"

#include "common/ActivityLog.h"
#include "common/CommandSink.h"
#include "common/Gbk.h"
#include "common/GridModel.h"
#include "common/Operator.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "olt/OltTexts.h"
#include "olt/ReceivePath.h"
#include "olt/ResponseRouter.h"
#include "olt/SharedValues.h"
#include "response/ChassisDrawing.h"
#include "response/DiscoveryParser.h"
#include "response/ReplyHandlers.h"
#include "session/OltSession.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <optional>

namespace tw::replay {

namespace {

using Pane = RouterTargets::Pane;

constexpr std::array PaneNames = {u"QueryPane",     u"BoardPane",     u"AlarmPane",
                                  u"OntDetailPane", u"OntSearchPane", u"RegistrationPane"};

// CR LF as LF, and a block always ends with a line end.
QString asLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.isEmpty() && !text.endsWith(u'\n')) text += u'\n';
    return text;
}

// Bytes for a --verbose line: printable ASCII as is, the rest escaped.
QString escaped(QByteArrayView bytes) {
    QString s;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            s += QStringLiteral("\\r");
        else if (c == '\n')
            s += QStringLiteral("\\n");
        else if (u >= 0x20 && u < 0x7F)
            s += QChar(u);
        else
            s += QStringLiteral("\\x%1").arg(u, 2, 16, QChar(u'0'));
    }
    return s;
}

// Collects what changed since the last completed output, in the order it first changed. Panes
// and grids print their state at flush time; the hook events print what they were given.
class Blocks : public RouterTargets {
  public:
    Blocks(const GridModel &ontList, const GridModel &discovery, const GridModel &versions)
        : grids_{{{u"OntListGrid", &ontList},
                  {u"OntDiscoveryGrid", &discovery},
                  {u"OntVersionGrid", &versions}}} {
        for (int g = 0; g < int(grids_.size()); ++g) {
            const GridModel *model = grids_[g].model;
            const auto mark = [this, g] { touch({Entry::Grid, g, {}}); };
            QObject::connect(model, &QAbstractItemModel::modelReset, mark);
            QObject::connect(model, &QAbstractItemModel::rowsInserted, mark);
            QObject::connect(model, &QAbstractItemModel::rowsRemoved, mark);
            QObject::connect(model, &QAbstractItemModel::dataChanged, mark);
        }
    }

    void replacePaneText(Pane pane, const QString &text) override {
        panes_[pane] = text;
        touch({Entry::Pane, int(pane), {}});
    }
    void appendQueryPane(const QString &text) override {
        panes_[Pane::QueryPane] += text;
        touch({Entry::Pane, int(Pane::QueryPane), {}});
    }
    void appendConsole(const QString &) override {}

    void event(const QString &block) { pending_.append({Entry::Fixed, 0, block}); }

    bool hasPending() const { return !pending_.isEmpty(); }

    QString flush() {
        QString s;
        for (const Entry &e : std::as_const(pending_)) {
            switch (e.kind) {
            case Entry::Pane:
                s += QStringLiteral("== ") + QString::fromUtf16(PaneNames[e.index]) + u'\n' +
                     asLines(panes_[e.index]);
                break;
            case Entry::Grid: {
                const Grid &g = grids_[e.index];
                s += QStringLiteral("== ") + QString::fromUtf16(g.name) + u'\n';
                for (int r = 0; r < g.model->count(); ++r)
                    s += g.model->row(r).join(u'\t') + u'\n';
                break;
            }
            case Entry::Fixed:
                s += e.text;
                break;
            }
        }
        pending_.clear();
        return s;
    }

  private:
    struct Entry {
        enum Kind { Pane, Grid, Fixed } kind;
        int index;
        QString text;
    };
    struct Grid {
        const char16_t *name;
        const GridModel *model;
    };

    void touch(const Entry &e) {
        for (const Entry &p : std::as_const(pending_))
            if (p.kind == e.kind && p.index == e.index) return;
        pending_.append(e);
    }

    std::array<Grid, 3> grids_;
    std::array<QString, PaneNames.size()> panes_;
    QList<Entry> pending_;
};

QString chassisBlock(const QString &reply) {
    QString s = QStringLiteral("== Chassis\n");
    for (const BoardLine &b : boardLines(reply)) {
        QString name = b.name;
        name.remove(QStringLiteral("\r\n"));
        s += QString::number(b.slot) + u'\t' + name + u'\t' +
             (b.normal ? QStringLiteral("正常") : QStringLiteral("异常")) + u'\n';
    }
    return s;
}

std::optional<QString> readFile(const QString &path, QByteArray &bytes) {
    QFile file(path);
    if (QFileInfo(path).isDir()) return QStringLiteral("%1 is a directory").arg(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

// Calls `feed` with each chunk of the capture in order, as views into it: a capture fed byte by
// byte must not become millions of separate arrays first.
template <typename Feed> void forEachChunk(QByteArrayView capture, qsizetype chunkSize, Feed feed) {
    if (chunkSize > 0) {
        for (qsizetype at = 0; at < capture.size(); at += chunkSize)
            feed(capture.sliced(at, qMin(chunkSize, capture.size() - at)));
        return;
    }
    qsizetype from = 0;
    qsizetype at = 0;
    while ((at = capture.indexOf(olt::EndOfOutput, from)) >= 0) {
        const qsizetype end = at + olt::EndOfOutput.size();
        feed(capture.sliced(from, end - from));
        from = end;
    }
    if (from < capture.size()) feed(capture.sliced(from));
}

} // namespace

QList<QByteArray> splitCapture(const QByteArray &capture, qsizetype chunkSize) {
    QList<QByteArray> chunks;
    forEachChunk(capture, chunkSize, [&](QByteArrayView chunk) { chunks.append(chunk.toByteArray()); });
    return chunks;
}

Result replay(const QByteArray &capture, const Options &options) {
    Result result;

    // The chunk stage reads the account, password and 自动重连 from settings: all empty or off.
    QTemporaryDir scratch;
    SettingsStore settings(scratch.isValid() ? scratch.filePath(QStringLiteral("config.ini"))
                                             : QStringLiteral("/nonexistent/config.ini"));
    settings.write(settings::OltAccount, {});
    settings.write(settings::OltPassword, {});
    settings.writeSwitch(settings::AutoReconnect, false);
    settings.writeSwitch(settings::Iptv, false);

    // The console's own session, with nobody at the boxes and nothing going out: what the
    // outputs do to the screen is printed; the commands the console would send in answer are not.
    NoOperator nobody;
    struct NoSink : CommandSink {
        bool send(const QString &) override { return false; }
    } nowhere;
    ActivityLog log(settings, scratch.path());
    OltSession session(settings, log, nobody);
    session.setSink(&nowhere);
    session.shared.ponKindFlag = options.gpon ? 1 : 0;

    Blocks blocks(session.ontListGrid, session.ontDiscoveryGrid, session.ontVersionGrid);
    for (int p = 0; p < int(PaneNames.size()); ++p) {
        const auto pane = Pane(p);
        session.view.setPane(
            pane, [&blocks, pane](const QString &text) { blocks.replacePaneText(pane, text); },
            [&blocks](const QString &text) { blocks.appendQueryPane(text); });
    }
    const std::pair<RouterFields::Field, const QString *> fields[] = {
        {RouterFields::ListFrame, &options.listFrame},
        {RouterFields::ListBoard, &options.listBoard},
        {RouterFields::ListPort, &options.listPort},
        {RouterFields::DetailFrame, &options.detailFrame},
        {RouterFields::DetailBoard, &options.detailBoard},
        {RouterFields::DetailPort, &options.detailPort},
        {RouterFields::DetailOnt, &options.detailOnt},
        {RouterFields::VersionFrame, &options.versionFrame}};
    for (const auto &[field, value] : fields)
        session.view.setField(field, [value] { return *value; });

    ReplyHandlers &handlers = session.replies;
    handlers.chassis = [&](const QString &reply) { blocks.event(chassisBlock(reply)); };
    handlers.discoveredKey = [&](const QString &key) {
        blocks.event(QStringLiteral("== serial ") + key + u'\n');
    };
    handlers.autoRegisterOn = [&] { return options.autoRegister; };
    handlers.autoRegister = [&](const QString &text) {
        blocks.event(QStringLiteral("== auto-register ") +
                     parseDiscovery(text, session.shared.ponKindFlag == 1).firstKey + u'\n');
    };
    handlers.onAddReply = {};

    ResponseRouter &router = session.router();
    router.setCompletionHook([&](RouterRule rule) {
        ++result.completed;
        result.out += QStringLiteral("# output %1 rule %2\n").arg(result.completed).arg(routerRuleName(rule));
        result.out += blocks.flush();
    });

    // The console's own receive path; its answers are only reported.
    struct Actions : ReceiveActions {
        Result &result;
        OltSession &session;
        bool verbose;
        Actions(Result &r, OltSession &s, bool v) : result(r), session(s), verbose(v) {}
        void note(const QString &line) {
            if (verbose) result.log += line + u'\n';
        }
        void write(const QByteArray &bytes) override { note(QStringLiteral("answer: ") + escaped(bytes)); }
        void reconnect() override { note(QStringLiteral("reconnect")); }
        void passwordSent() override {}
        void loginRejected() override { note(QStringLiteral("login rejected")); }
        void deliver(const QByteArray &chunk) override { session.receive(chunk); }
    } actions(result, session, options.verbose);

    ReceivePath path(settings);
    forEachChunk(capture, options.chunkSize, [&](QByteArrayView raw) { path.feed(raw, actions); });
    path.finish(actions);

    result.pendingBytes = router.buffer().bytes().trimmed().size();
    if (blocks.hasPending()) result.out += QStringLiteral("# incomplete output\n") + blocks.flush();
    return result;
}

QString usage() {
    return QStringLiteral(
        "Usage: tarnwick-replay FILE [options]\n"
        "\n"
        "Feeds FILE, the raw bytes an OLT sent on a telnet connection (GBK, telnet commands\n"
        "included), through the console's receive path and prints what each completed output\n"
        "does to the grids and panes.\n"
        "\n"
        "Options:\n"
        "  --list F S P          the \"ONT 列表\" fields (frame, board, port)\n"
        "  --detail F S P O      the \"ONT 详细\" fields (frame, board, port, ONT number)\n"
        "  --version-frame F     the \"ONT 版本\" frame field\n"
        "  --pon-kind gpon|epon  the PON kind the discovery keys by (default epon)\n"
        "  --auto-register       the automatic registration is switched on\n"
        "  --chunk N             feed fixed chunks of N bytes instead of ending a chunk after\n"
        "                        every \"(config)#\"\n"
        "  --verbose             show on stderr the answers the console would send\n"
        "  -h, --help            this text\n"
        "Fields not given are empty, as in an untouched form.\n"
        "\n"
        "Output (UTF-8), for each completed output:\n"
        "  # output <n> rule <r>   n counts from 1; r names the router rule (ont-list,\n"
        "                          discovery, …), none when no rule matched\n"
        "then one block for each thing the output changed, in the order it changed:\n"
        "  == OntListGrid, == OntDiscoveryGrid, == OntVersionGrid\n"
        "                          followed by the grid's data rows, cells separated by a tab\n"
        "  == QueryPane, == BoardPane, == AlarmPane, == OntDetailPane, == OntSearchPane,\n"
        "  == RegistrationPane     followed by the pane's whole text (CR LF as LF)\n"
        "  == serial <key>         the key put in the two serial-number boxes\n"
        "  == auto-register <key>  the automatic registration would start for this ONT\n"
        "  == Chassis              the chassis redraw: one line per board, slot, name and\n"
        "                          正常 or 异常, separated by a tab\n"
        "Text streamed into the query pane after the last completed output follows a line\n"
        "\"# incomplete output\".\n"
        "\n"
        "Exit status: 0 done; 1 the file cannot be read, is empty or completes no output;\n"
        "2 bad arguments; 3 the capture ends inside an output (what completed is printed).\n");
}

int runCommandLine(const QStringList &args, QString &out, QString &err) {
    Options options;
    QString file;
    bool haveFile = false;
    const auto fail = [&err](const QString &why) {
        err += QStringLiteral("tarnwick-replay: ") + why + QStringLiteral("\n(see tarnwick-replay --help)\n");
        return ExitUsage;
    };

    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        // Takes the next `n` arguments as the option's values.
        const auto values = [&](int n, std::initializer_list<QString *> into) {
            if (i + n >= args.size()) return false;
            for (QString *v : into)
                *v = args[++i];
            return true;
        };
        if (arg == u"-h" || arg == u"--help") {
            out += usage();
            return ExitOk;
        } else if (arg == u"--list") {
            if (!values(3, {&options.listFrame, &options.listBoard, &options.listPort}))
                return fail(QStringLiteral("--list needs three values: frame board port"));
        } else if (arg == u"--detail") {
            if (!values(
                    4, {&options.detailFrame, &options.detailBoard, &options.detailPort, &options.detailOnt}))
                return fail(QStringLiteral("--detail needs four values: frame board port ont"));
        } else if (arg == u"--version-frame") {
            if (!values(1, {&options.versionFrame}))
                return fail(QStringLiteral("--version-frame needs a value"));
        } else if (arg == u"--pon-kind") {
            QString kind;
            if (!values(1, {&kind}) || (kind != u"gpon" && kind != u"epon"))
                return fail(QStringLiteral("--pon-kind takes gpon or epon"));
            options.gpon = kind == u"gpon";
        } else if (arg == u"--auto-register") {
            options.autoRegister = true;
        } else if (arg == u"--verbose") {
            options.verbose = true;
        } else if (arg == u"--chunk") {
            QString n;
            bool ok = false;
            if (values(1, {&n})) options.chunkSize = n.toLongLong(&ok);
            if (!ok || options.chunkSize <= 0)
                return fail(QStringLiteral("--chunk takes a positive byte count"));
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return fail(QStringLiteral("unknown option %1").arg(arg));
        } else if (haveFile) {
            return fail(QStringLiteral("one capture file only (got %1 and %2)").arg(file, arg));
        } else {
            file = arg;
            haveFile = true;
        }
    }
    if (!haveFile) return fail(QStringLiteral("no capture file given"));

    QByteArray capture;
    if (const auto why = readFile(file, capture)) {
        err += QStringLiteral("tarnwick-replay: ") + *why + u'\n';
        return ExitBadCapture;
    }
    if (capture.isEmpty()) {
        err += QStringLiteral("tarnwick-replay: %1 is empty\n").arg(file);
        return ExitBadCapture;
    }

    const Result result = replay(capture, options);
    out += result.out;
    err += result.log;
    if (result.completed == 0) {
        err +=
            QStringLiteral("tarnwick-replay: no output completes in %1: it holds no \"%2\" prompt the router "
                           "recognises; is it a capture of an OLT session?\n")
                .arg(file, QString::fromLatin1(olt::EndOfOutput));
        return ExitBadCapture;
    }
    if (result.pendingBytes > 0) {
        err += QStringLiteral("tarnwick-replay: %1 ends inside an output: %2 bytes after the last completed "
                              "output were never completed (truncated capture?)\n")
                   .arg(file)
                   .arg(result.pendingBytes);
        return ExitTruncated;
    }
    return ExitOk;
}

} // namespace tw::replay
