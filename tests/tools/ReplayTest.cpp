#include "ReplaySession.h"

#include "common/Gbk.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tw::replay;

namespace {

const QString DemoCapture = QStringLiteral(TW_FIXTURES_DIR "/replay/demo-session.bin");

QByteArray demoBytes() {
    QFile f(DemoCapture);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// One "# output" section of the printed text: its rule and its blocks ("== name" -> body).
struct Output {
    QString rule;
    QList<std::pair<QString, QString>> blocks;
    QString body(const QString &name) const {
        for (const auto &[n, b] : blocks)
            if (n == name) return b;
        return QStringLiteral("<no block %1>").arg(name);
    }
};

QList<Output> parse(const QString &printed) {
    QList<Output> outputs;
    for (const QString &line : printed.split(u'\n')) {
        if (line.startsWith(u"# output ")) {
            outputs.append(Output{line.section(u' ', 4), {}});
        } else if (line.startsWith(u"== ")) {
            outputs.last().blocks.append({line.mid(3), {}});
        } else if (!outputs.isEmpty() && !outputs.last().blocks.isEmpty()) {
            outputs.last().blocks.last().second += line + u'\n';
        }
    }
    for (Output &o : outputs)
        for (auto &block : o.blocks)
            if (block.second.endsWith(u"\n\n")) block.second.chop(1); // the split's last empty line
    return outputs;
}

const Output *withRule(const QList<Output> &outputs, const char *rule) {
    for (const Output &o : outputs)
        if (o.rule == QLatin1String(rule)) return &o;
    return nullptr;
}

Options listing010() {
    Options o;
    o.listFrame = QStringLiteral("0");
    o.listBoard = QStringLiteral("1");
    o.listPort = QStringLiteral("0");
    return o;
}

} // namespace

TEST(ReplayCapture, ChunksEndAfterEveryConfigPrompt) {
    const QByteArray bytes = demoBytes();
    const QList<QByteArray> chunks = splitCapture(bytes, 0);
    EXPECT_EQ(chunks.join(), bytes);
    for (qsizetype i = 0; i + 1 < chunks.size(); ++i)
        EXPECT_TRUE(chunks[i].endsWith("(config)#")) << i;
    EXPECT_EQ(splitCapture(bytes, 1000).join(), bytes);
    EXPECT_EQ(splitCapture(bytes, 1000).first().size(), 1000);
}

TEST(ReplayCapture, DemoSessionFromLoginToSearch) {
    const Result r = replay(demoBytes(), listing010());
    const QList<Output> outputs = parse(r.out);
    EXPECT_EQ(r.pendingBytes, 0);
    EXPECT_FALSE(r.out.contains(u'\x1b'));
    EXPECT_FALSE(r.out.contains(QStringLiteral("任意键继续显示")));

    // The login dialogue, banner and mode switches complete outputs no rule takes.
    ASSERT_GE(outputs.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(outputs[i].rule, QStringLiteral("none")) << i;
        EXPECT_TRUE(outputs[i].blocks.isEmpty()) << i;
    }
    EXPECT_EQ(
        std::count_if(outputs.begin(), outputs.end(), [](const Output &o) { return o.rule != u"none"; }), 4);

    // "display board 0": the query pane and the chassis redraw.
    const Output *board = withRule(outputs, "chassis");
    ASSERT_TRUE(board);
    ASSERT_EQ(board->blocks.size(), 2);
    EXPECT_TRUE(board->body("QueryPane").startsWith(u"display board 0\n"));
    EXPECT_TRUE(board->body("QueryPane").contains(QStringLiteral("  10      H801SCUN   备用正常")));
    EXPECT_EQ(board->body("Chassis"), QStringLiteral("1\tH806GPBD\t正常\n"
                                                     "2\tH806GPBD\t正常\n"
                                                     "3\tH803EPBD\t正常\n"
                                                     "4\tH805GPFD\t正常\n"
                                                     "5\tH806GPBD\t异常\n"
                                                     "9\tH801SCUN\t正常\n"
                                                     "10\tH801SCUN\t正常\n"
                                                     "19\tH801GICF\t正常\n"
                                                     "20\tH801X2CS\t正常\n"));

    // The paged listing of 0/1/0: the simulator's twelve ONTs.
    const Output *list = withRule(outputs, "ont-list");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->blocks.size(), 1);
    const QStringList rows = list->body("OntListGrid").split(u'\n', Qt::SkipEmptyParts);
    const QStringList sns = {"48575443FF470001", "4857544317A30002", "48575443D8A70003", "4857544307020004",
                             "48575443F06A0005", "48575443B13C0006", "4857544345E60007", "48575443F5380008",
                             "5A544547C8870009", "48575443BF87000A", "5A5445477820000B", "4857544304F5000C"};
    ASSERT_EQ(rows.size(), sns.size());
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList cells = rows[i].split(u'\t');
        ASSERT_EQ(cells.size(), 8) << rows[i].toStdString();
        EXPECT_EQ(cells[0], u"0/1/0");
        EXPECT_EQ(cells[1], QString::number(i));
        EXPECT_EQ(cells[2], sns[i]);
    }
    EXPECT_EQ(rows[3], QStringLiteral("0/1/0\t3\t4857544307020004\t去激活\t离线\t初始\t初始\t否"));

    // "display ont autofind all": four GPON and one EPON ONT; EPON keys by MAC.
    const Output *found = withRule(outputs, "discovery");
    ASSERT_TRUE(found);
    const QStringList discovered = found->body("OntDiscoveryGrid").split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(discovered.size(), 5);
    EXPECT_TRUE(discovered[0].startsWith(u"1\t0/1/2\t4857544360EAF001"));
    EXPECT_TRUE(discovered[4].startsWith(u"1\t0/3/4\t00E0-FCF0-E88B"));
    EXPECT_EQ(found->blocks.last().first, u"serial 00E0-FCF0-E88B");

    // "display ont info by-sn": the search pane.
    const Output *search = withRule(outputs, "ont-search");
    ASSERT_TRUE(search);
    const QString pane = search->body("OntSearchPane");
    EXPECT_TRUE(pane.startsWith(u"display ont info by-sn 48575443FF470001\n"));
    EXPECT_TRUE(pane.contains(QStringLiteral("描述                    : zhou_100-1")));
    EXPECT_TRUE(pane.trimmed().endsWith(u"MA5680T(config)#"));
}

TEST(ReplayCapture, FieldsDecideWhichRulesMatch) {
    // Without the list fields the listing reaches no rule and the grid stays untouched.
    const QList<Output> plain = parse(replay(demoBytes(), {}).out);
    EXPECT_FALSE(withRule(plain, "ont-list"));
    for (const Output &o : plain)
        for (const auto &block : o.blocks)
            EXPECT_NE(block.first, u"OntListGrid");

    Options detail;
    detail.detailFrame = QStringLiteral("0");
    detail.detailBoard = QStringLiteral("1");
    detail.detailPort = QStringLiteral("0");
    detail.detailOnt = QStringLiteral("3");
    const QByteArray capture =
        tw::toGbk(u"MA5680T(config)#display ont info 0 1 0 3\r\n  ONT编号  : 3\r\n\r\nMA5680T(config)#");
    const QList<Output> outputs = parse(replay(capture, detail).out);
    ASSERT_EQ(outputs.size(), 2);
    EXPECT_EQ(outputs[1].rule, QStringLiteral("ont-detail"));
    EXPECT_EQ(outputs[1].body("OntDetailPane"),
              QStringLiteral("display ont info 0 1 0 3\n  ONT编号  : 3\n\nMA5680T(config)#\n"));
}

TEST(ReplayCapture, DiscoveryKeyAndAutomaticRegistration) {
    Options gpon;
    gpon.gpon = true;
    const QList<Output> offOutputs = parse(replay(demoBytes(), gpon).out);
    const Output *off = withRule(offOutputs, "discovery");
    ASSERT_TRUE(off);
    EXPECT_EQ(off->blocks.last().first, u"serial 4857544360EAF001");

    gpon.autoRegister = true;
    const QList<Output> onOutputs = parse(replay(demoBytes(), gpon).out);
    const Output *on = withRule(onOutputs, "discovery");
    ASSERT_TRUE(on);
    EXPECT_EQ(on->blocks.last().first, u"auto-register 4857544360EAF001");
}

namespace {

// What a replay leaves behind: each grid's and pane's last state, and the events in order. A pane
// is compared without its blanks: where a read ends right after the paging erase, the chunk stage
// drops a chunk that is only a blank, so a line may start with one blank less than in one piece.
std::string finalState(const Result &r) {
    QMap<QString, QString> last;
    QStringList events;
    for (const Output &o : parse(r.out)) {
        for (const auto &[name, body] : o.blocks) {
            if (name.endsWith(u"Grid"))
                last[name] = body;
            else if (name.endsWith(u"Pane"))
                last[name] = QString(body).remove(u' ');
            else
                events << name + u'\n' + body;
        }
    }
    for (auto it = last.cbegin(); it != last.cend(); ++it)
        events << it.key() + u'\n' + it.value();
    return events.join(u'\n').toStdString();
}

QByteArray fixture(const char *path) {
    QFile f(QStringLiteral(TW_FIXTURES_DIR "/") + QString::fromLatin1(path));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path;
    return f.readAll();
}

} // namespace

TEST(ReplayCapture, SameRowsAtEveryChunkSize) {
    Options frame0;
    frame0.listFrame = QStringLiteral("0");
    frame0.listBoard = QStringLiteral("3");
    frame0.versionFrame = QStringLiteral("0");
    Options gpon = frame0;
    gpon.gpon = true;
    gpon.autoRegister = true;
    const struct {
        const char *capture;
        Options options;
    } cases[] = {
        {"replay/demo-session.bin", listing010()},
        {"replay/demo-session.bin", gpon},
        {"display_ont_info/mixed_slots_and_flags.txt", frame0},
        {"display_ont_info/empty_reply.txt", frame0},
        {"display_ont_autofind/gpon_and_epon.txt", gpon},
        {"display_ont_autofind/none_found.txt", gpon},
        {"display_ont_version/board_listing.txt", frame0},
    };
    for (const auto &c : cases) {
        const QByteArray bytes = fixture(c.capture);
        Options whole = c.options;
        whole.chunkSize = 0;
        const Result reference = replay(bytes, whole);
        ASSERT_GT(reference.completed, 0) << c.capture;
        for (const qsizetype size : {1, 2, 3, 7, 64}) {
            Options cut = c.options;
            cut.chunkSize = size;
            const Result r = replay(bytes, cut);
            EXPECT_EQ(r.pendingBytes, 0) << c.capture << " in chunks of " << size;
            EXPECT_EQ(finalState(r), finalState(reference)) << c.capture << " in chunks of " << size;
        }
    }
}

TEST(ReplayCommandLine, BadInputFailsWithAMessage) {
    QTemporaryDir dir;
    const auto run = [](const QStringList &args, QString *err = nullptr) {
        QString out, e;
        const int status = runCommandLine(args, out, e);
        if (err) *err = e;
        return status;
    };
    const auto write = [&dir](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    QString err;

    EXPECT_EQ(run({dir.filePath("missing.bin")}, &err), ExitBadCapture);
    EXPECT_TRUE(err.contains(u"cannot read")) << err.toStdString();
    EXPECT_EQ(run({write("empty.bin", {})}, &err), ExitBadCapture);
    EXPECT_TRUE(err.contains(u"is empty"));
    EXPECT_EQ(run({dir.path()}, &err), ExitBadCapture);

    QByteArray junk(64 * 1024, '\0');
    QRandomGenerator gen(7);
    for (char &c : junk)
        c = char(gen.bounded(256));
    EXPECT_EQ(run({write("junk.bin", junk)}, &err), ExitBadCapture);
    EXPECT_TRUE(err.contains(u"no output completes"));

    // Junk between the fragments that start the parsers, with the prompt that completes them.
    QByteArray seeded;
    for (const char *command : {"display board 0", "display ont info 0 1 0 all", "display ont autofind all",
                                "display ont version 0", "display ont info by-sn"})
        seeded += QByteArray(command) + junk.mid(seeded.size() % 4096, 3000) + "\r\nMA5680T(config)#";
    QString out;
    EXPECT_EQ(runCommandLine({write("seeded.bin", seeded), "--list", "0", "1", "0", "--version-frame", "0",
                              "--auto-register", "--pon-kind", "gpon"},
                             out, err),
              ExitOk);
    EXPECT_EQ(parse(out).size(), 5);

    // Cut inside the ONT listing: what completed is printed, and the tool says so.
    const QByteArray demo = demoBytes();
    const QByteArray cut = demo.left(demo.indexOf("48575443B13C0006"));
    out.clear();
    EXPECT_EQ(runCommandLine({write("cut.bin", cut), "--list", "0", "1", "0"}, out, err), ExitTruncated);
    EXPECT_TRUE(err.contains(u"ends inside an output"));
    EXPECT_TRUE(withRule(parse(out), "chassis"));
    EXPECT_FALSE(withRule(parse(out), "ont-list"));

    EXPECT_EQ(run({}, &err), ExitUsage);
    EXPECT_TRUE(err.contains(u"no capture file"));
    EXPECT_EQ(run({DemoCapture, "--list", "0", "1"}, &err), ExitUsage);
    EXPECT_TRUE(err.contains(u"--list needs three values"));
    EXPECT_EQ(run({DemoCapture, "--detail", "0", "1", "0"}), ExitUsage);
    EXPECT_EQ(run({DemoCapture, "--pon-kind", "xpon"}), ExitUsage);
    EXPECT_EQ(run({DemoCapture, "--chunk", "0"}), ExitUsage);
    EXPECT_EQ(run({DemoCapture, "--frobnicate"}), ExitUsage);
    EXPECT_EQ(run({DemoCapture, DemoCapture}), ExitUsage);
}

TEST(ReplayCommandLine, ToolPrintsUtf8AndExitsCleanly) {
    const QString tool = QStringLiteral(TW_BINARY_DIR "/tools/tarnwick-replay");
    const auto run = [&tool](const QStringList &args) {
        QProcess p;
        p.start(tool, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        return std::tuple{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    };

    const auto [status, out, err] = run({DemoCapture, "--list", "0", "1", "0"});
    EXPECT_EQ(status, ExitOk) << err.toStdString();
    EXPECT_TRUE(out.startsWith("# output 1 rule none\n"));
    EXPECT_TRUE(out.contains(QStringLiteral("0/1/0\t3\t4857544307020004\t去激活\t离线").toUtf8()));

    QTemporaryDir dir;
    QFile junk(dir.filePath("junk.bin"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\xff') + QByteArray(4096, '\x1b'));
    junk.close();
    const auto [junkStatus, junkOut, junkErr] = run({junk.fileName()});
    EXPECT_EQ(junkStatus, ExitBadCapture);
    EXPECT_FALSE(junkErr.isEmpty());

    const auto [noArgStatus, noArgOut, noArgErr] = run({});
    EXPECT_EQ(noArgStatus, ExitUsage);
    EXPECT_TRUE(noArgErr.contains("no capture file"));
}

// The query catalogue's answers, as the simulator gave them, each routed into the query pane by
// its rule; the whole printed result is kept next to the capture.
TEST(ReplayCapture, CatalogueAnswersFillTheQueryPane) {
    const QByteArray capture = fixture("replay/catalogue-session.bin");
    const Result r = replay(capture, {});
    EXPECT_EQ(r.pendingBytes, 0);
    EXPECT_EQ(r.out.toStdString(), QString::fromUtf8(fixture("replay/catalogue-session.out")).toStdString());
    const QList<Output> outputs = parse(r.out);
    int routed = 0;
    for (const Output &o : outputs) {
        if (o.rule == u"none") continue; // the login
        ++routed;
        EXPECT_TRUE(o.body("QueryPane").startsWith(u"display ") ||
                    o.body("QueryPane").startsWith(u"interface giu"))
            << "rule " << o.rule.toStdString();
    }
    EXPECT_EQ(routed, 18) << "one answer per catalogue entry recorded";
}
