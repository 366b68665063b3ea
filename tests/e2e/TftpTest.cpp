// Backup, restore, extraction and ONT firmware loading end to end: the simulator is a real TFTP
// client, and the files travel through a real TFTP server whose root is the console's run
// directory: Debian's tftpd-hpa, or the console's own server.

#include "ConsoleHarness.h"

#include "admin/BackupGroupWidget.h"
#include "admin/OntDataExtraction.h"
#include "admin/OntFirmwareWidget.h"
#include "admin/SystemGroupWidget.h"
#include "admin/TftpServerUi.h"
#include "app/ToolsMenuUi.h"
#include "common/Gbk.h"
#include "ont/OntPage.h"
#include "wizards/SettingsPage.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSet>
#include <QStandardPaths>
#include <QUdpSocket>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::e2e;

namespace {

// A UDP port nobody uses right now.
quint16 freeUdpPort() {
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

// in.tftpd in the foreground on a loopback port, serving and taking files in `root`.
class Tftpd {
  public:
    static QString program() {
        return QStandardPaths::findExecutable(QStringLiteral("in.tftpd"), {"/usr/sbin"});
    }

    bool start(const QString &root) {
        port = freeUdpPort();
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program(), {QStringLiteral("--foreground"), QStringLiteral("--listen"),
                                  QStringLiteral("--address"), QStringLiteral("127.0.0.1:%1").arg(port),
                                  QStringLiteral("--user"), QStringLiteral("root"),
                                  QStringLiteral("--secure"), QStringLiteral("--create"), root});
        if (!process.waitForStarted(5000)) return false;
        QTest::qWait(300); // bound by then; a failure to bind ends it
        return process.state() == QProcess::Running;
    }
    ~Tftpd() {
        process.terminate();
        if (!process.waitForFinished(3000)) process.kill();
    }

    QProcess process;
    quint16 port = 0;
};

struct TftpHarness : ConsoleHarness {
    // 自动重连 on: activating a configuration restarts the OLT.
    TftpHarness() : ConsoleHarness(demoDevice(), QStringLiteral("自动重连=真\n")) {
        sim.server->setOntLoadMs(600);
    }

    // The simulator's TFTP client goes to `port` on whatever address the CLI names.
    void serverOn(quint16 port) {
        sim::TftpSettings settings;
        settings.port = port;
        settings.timeoutMs = 300;
        settings.retries = 2;
        sim.server->setTftpSettings(settings);
    }

    QString file(const QString &name) const { return run.path() + u'/' + name; }

    bool waitForFile(const QString &name) {
        return QTest::qWaitFor([&] { return QFile::exists(file(name)); }, WaitMs);
    }

    void backup(int type) {
        BackupGroupWidget &b = *window->settingsPage->backupGroup;
        b.address->setText(QStringLiteral("127.0.0.1"));
        b.type->setCurrentIndex(type);
        click(b.backupButton);
    }
    void restore(int type) {
        BackupGroupWidget &b = *window->settingsPage->backupGroup;
        b.address->setText(QStringLiteral("127.0.0.1"));
        b.type->setCurrentIndex(type);
        op.answer(true);
        click(b.restoreButton);
    }

    // Deleted from the CLI, as an operator might have done by mistake.
    void deleteOnt(const QString &slotPort, int id) {
        const QString port = slotPort.section('/', 1);
        QString lines;
        for (const QJsonValue &sp : sim.dump()["servicePorts"].toArray())
            if (sp["port"].toString() == QStringLiteral("0/") + slotPort && sp["ont"].toInt() == id)
                lines += QStringLiteral("undo service-port %1\n").arg(sp["index"].toInt());
        typeCommand(lines + QStringLiteral("interface gpon 0/%1\nont delete %2 %3\nquit")
                                .arg(slotPort.section('/', 0, 0))
                                .arg(port)
                                .arg(id));
        ASSERT_TRUE(waitForConsole(QStringLiteral("ont delete")));
        ASSERT_TRUE(settle()) << consoleText().right(800).toStdString();
    }

    void loadFirmware(const QString &fileName, const QString &board, const QString &port,
                      const QString &ont) {
        OntFirmwareWidget &f = *window->ontPage->firmware;
        f.address->setText(QStringLiteral("127.0.0.1"));
        f.file->setText(fileName);
        f.board->setText(board);
        f.port->setText(port);
        f.ont->setText(ont);
        f.immediateMode->setChecked(true);
        click(f.buttons[1]); // "固件升级"
    }
};

QJsonArray onts(const QJsonObject &dump) {
    return dump["onts"].toArray();
}

// ONTs of 0/1/0 none of whose service ports carries a multicast user: plain to delete.
QList<int> plainOnts(const QJsonObject &dump) {
    QSet<int> multicast;
    for (const QJsonValue &u : dump["multicastUsers"].toArray())
        multicast.insert(u["servicePort"].toInt());
    QSet<int> busy;
    for (const QJsonValue &sp : dump["servicePorts"].toArray())
        if (sp["port"].toString() == QStringLiteral("0/1/0") && multicast.contains(sp["index"].toInt()))
            busy.insert(sp["ont"].toInt());
    QList<int> ids;
    for (const QJsonValue &o : dump["onts"].toArray())
        if (o["port"].toString() == QStringLiteral("0/1/0") && !busy.contains(o["id"].toInt()))
            ids << o["id"].toInt();
    return ids;
}

bool hasOnt(const QJsonObject &dump, const QString &port, int id) {
    for (const QJsonValue &o : onts(dump))
        if (o["port"].toString() == port && o["id"].toInt() == id) return true;
    return false;
}

// The lines the extraction must give for the model: SN registrations for GPON, MAC ones for EPON.
QStringList expectedLines(const QJsonObject &dump, bool gpon) {
    QStringList lines;
    for (const QJsonValue &o : onts(dump)) {
        const QString key = gpon ? o["sn"].toString() : o["mac"].toString();
        if (key.isEmpty()) continue;
        const QStringList at = o["port"].toString().split('/');
        lines << at[1] + u' ' + at[2] + u' ' + QString::number(o["id"].toInt()) + u' ' +
                     (gpon ? u'"' + key + u'"' : key) + u' ' + o["desc"].toString();
    }
    lines.sort();
    return lines;
}

QStringList writtenLines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {QStringLiteral("<missing>")};
    const QByteArray bytes = f.readAll();
    QStringList lines = fromGbk(bytes).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.last().isEmpty()) << "every line ends with CR LF";
    lines.removeLast();
    lines.sort();
    return lines;
}

QString software(const QJsonObject &dump, const QString &port, int id) {
    for (const QJsonValue &o : onts(dump))
        if (o["port"].toString() == port && o["id"].toInt() == id) return o["software"].toString();
    return {};
}

// Backup, extraction, restore with activation, the database file, and firmware onto one ONT and
// onto a whole port; the server must already listen where the simulator sends.
void roundTrip(TftpHarness &h) {
    const QJsonObject before = h.sim.dump();
    const QList<int> plain = plainOnts(before);
    ASSERT_GE(plain.size(), 2);
    const int first = plain[0], second = plain[1];

    // Backup of the configuration, then the extraction gives exactly the model's registrations.
    h.backup(0);
    ASSERT_TRUE(h.waitForFile(BackupConfigFile)) << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.settle());
    h.click(h.window->settingsPage->otherGroup->extractButton);
    EXPECT_EQ(writtenLines(h.file(GponListFile)), expectedLines(before, true));
    EXPECT_EQ(writtenLines(h.file(EponListFile)), expectedLines(before, false));
    EXPECT_FALSE(expectedLines(before, true).isEmpty());
    EXPECT_FALSE(expectedLines(before, false).isEmpty());

    // An ONT deleted, the configuration loaded back and activated: the OLT restarts with it, the
    // console logs in again by itself, and the ONT is back.
    h.deleteOnt(QStringLiteral("1/0"), first);
    ASSERT_FALSE(hasOnt(h.sim.dump(), QStringLiteral("0/1/0"), first))
        << h.consoleText().right(800).toStdString();
    h.restore(0);
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("load configuration tftp 127.0.0.1 MA5680T.cfg all")));
    ASSERT_TRUE(h.settle()) << h.consoleText().right(800).toStdString();
    h.click(h.window->settingsPage->backupGroup->activateButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.window->session.connection.isConnected(); }, WaitMs));
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("语言模式已切换为中文")))
        << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.waitForConsole(ConfigPrompt));
    ASSERT_TRUE(h.settle());
    const QJsonObject restored = h.sim.dump();
    EXPECT_TRUE(hasOnt(restored, QStringLiteral("0/1/0"), first));
    EXPECT_EQ(expectedLines(restored, true), expectedLines(before, true));
    EXPECT_EQ(restored["servicePorts"].toArray().size(), before["servicePorts"].toArray().size());

    // The database file: backed up, the model changed, loaded back.
    h.backup(1);
    ASSERT_TRUE(h.waitForFile(BackupDataFile)) << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.settle());
    h.deleteOnt(QStringLiteral("1/0"), second);
    ASSERT_FALSE(hasOnt(h.sim.dump(), QStringLiteral("0/1/0"), second));
    h.restore(1);
    ASSERT_TRUE(h.waitForConsole(QStringLiteral("load data tftp 127.0.0.1 MA5680T.dat all")));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return hasOnt(h.sim.dump(), QStringLiteral("0/1/0"), second); }, WaitMs))
        << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(expectedLines(h.sim.dump(), true), expectedLines(before, true));

    // Firmware from the run directory: one ONT, then a whole port.
    QFile fw(h.file(QStringLiteral("ont-fw.bin")));
    ASSERT_TRUE(fw.open(QIODevice::WriteOnly));
    fw.write("V9R9C00S001\n" + QByteArray(3000, 'x'));
    fw.close();
    h.loadFirmware(QStringLiteral("ont-fw.bin"), QStringLiteral("0/1"), QStringLiteral("0"),
                   QStringLiteral("1"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return software(h.sim.dump(), QStringLiteral("0/1/0"), 1) == QStringLiteral("V9R9C00S001"); },
        WaitMs))
        << h.consoleText().right(1200).toStdString();
    EXPECT_NE(software(h.sim.dump(), QStringLiteral("0/1/0"), 2), QStringLiteral("V9R9C00S001"));
    h.click(h.window->ontPage->firmware->buttons[5]); // "停止升级"
    h.click(h.window->ontPage->firmware->buttons[6]); // "退出调试"
    ASSERT_TRUE(h.settle()) << h.consoleText().right(800).toStdString();

    h.loadFirmware(QStringLiteral("ont-fw.bin"), QStringLiteral("0/1"), QStringLiteral("1"), QString());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QJsonObject d = h.sim.dump();
            for (const QJsonValue &o : onts(d))
                if (o["port"].toString() == QStringLiteral("0/1/1") && o["runState"].toString() == "online" &&
                    o["software"].toString() != QStringLiteral("V9R9C00S001"))
                    return false;
            return true;
        },
        WaitMs))
        << h.consoleText().right(1200).toStdString();
    h.click(h.window->ontPage->firmware->buttons[5]);
    h.click(h.window->ontPage->firmware->buttons[6]);
    ASSERT_TRUE(h.settle()) << h.consoleText().right(800).toStdString();

    // The console's own view of it.
    h.typeCommand(QStringLiteral("display ont version 0 1 1 all"));
    ASSERT_TRUE(h.settle());
    EXPECT_TRUE(h.consoleText().right(4000).contains(QStringLiteral("V9R9C00S001")));
    EXPECT_TRUE(h.op.answers.empty());
}

} // namespace

TEST(TftpE2E, RoundTripThroughDebiansTftpd) {
    if (Tftpd::program().isEmpty()) GTEST_SKIP() << "in.tftpd (tftpd-hpa) is not installed";
    TftpHarness h;
    Tftpd server;
    ASSERT_TRUE(server.start(h.run.path())) << server.process.readAll().toStdString();
    h.serverOn(server.port);
    h.sim.server->setRestartMs(500);
    h.window->session.connection.setRetryDelay(300);
    ASSERT_TRUE(h.startAndLogIn());
    roundTrip(h);
}

TEST(TftpE2E, RoundTripThroughTheConsolesOwnServer) {
    TftpHarness h;
    h.window->tools->tftp->setPort(0); // any free port
    h.window->tools->tftp->action->trigger();
    ASSERT_TRUE(h.window->tools->tftp->server.isRunning());
    h.serverOn(h.window->tools->tftp->server.port());
    h.sim.server->setRestartMs(500);
    h.window->session.connection.setRetryDelay(300);
    ASSERT_TRUE(h.startAndLogIn());
    roundTrip(h);
    h.window->tools->tftp->action->trigger();
    EXPECT_FALSE(h.window->tools->tftp->server.isRunning());
}

namespace {

// Every ONT's software, as "port id software".
QStringList softwareOfAll(const QJsonObject &dump) {
    QStringList out;
    for (const QJsonValue &o : onts(dump))
        out << o["port"].toString() + u' ' + QString::number(o["id"].toInt()) + u' ' + o["software"].toString();
    return out;
}

} // namespace

// A firmware package the OLT cannot fetch: nobody serves it (the transfer times out), or the server
// has no such file ("File not found"). The OLT's failure shows, nothing is selected or started (an
// earlier package would be loaded otherwise), no ONT changes, and the prompt comes back.
TEST(TftpE2E, AnUnfetchablePackageSelectsAndStartsNothing) {
    struct Case {
        const char *name;
        bool served; // the console's own server runs, without the file
        QString failure;
    };
    for (const Case &c : {Case{"nobody serves", false, QStringLiteral("TFTP服务器无响应")},
                          Case{"file not found", true, QStringLiteral("File not found")}}) {
        SCOPED_TRACE(c.name);
        TftpHarness h;
        if (c.served) {
            h.window->tools->tftp->setPort(0); // any free port
            h.window->tools->tftp->action->trigger();
            ASSERT_TRUE(h.window->tools->tftp->server.isRunning());
            h.serverOn(h.window->tools->tftp->server.port());
        } else {
            h.serverOn(freeUdpPort());
        }
        ASSERT_TRUE(h.startAndLogIn());
        // An earlier load left its package ready: a "start" now would load it.
        ASSERT_EQ(sim::setOntLoadFile(h.sim.device, true, QStringLiteral("old.bin"), QStringLiteral("127.0.0.1"),
                                      "V9R9C00S002\n" + QByteArray(100, 'x')),
                  sim::Failure::None);
        const QStringList before = softwareOfAll(h.sim.dump());
        h.loadFirmware(QStringLiteral("none.bin"), QStringLiteral("0/1"), QStringLiteral("0"),
                       QStringLiteral("1"));
        ASSERT_TRUE(h.waitForConsole(QStringLiteral("ont-load info")));
        ASSERT_TRUE(h.waitForConsole(c.failure)) << h.consoleText().right(1200).toStdString();
        QTest::qWait(500);
        EXPECT_FALSE(h.consoleText().contains(QStringLiteral("ont-load select")));
        EXPECT_FALSE(h.consoleText().contains(QStringLiteral("ont-load start")));
        h.click(h.window->ontPage->firmware->buttons[6]); // "退出调试"
        ASSERT_TRUE(h.settle()) << h.consoleText().right(1200).toStdString();
        EXPECT_EQ(softwareOfAll(h.sim.dump()), before);
        EXPECT_FALSE(h.sim.device.ontLoad.selection.has_value());
        EXPECT_EQ(h.sim.device.ontLoad.phase, sim::OntLoad::Phase::Idle);
        if (c.served) h.window->tools->tftp->action->trigger();
    }
}
