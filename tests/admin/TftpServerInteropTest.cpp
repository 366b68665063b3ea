// The built-in server against Debian's tftp client (package tftp-hpa), as an OLT would use it.

#include "admin/TftpServer.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tw;

namespace {

struct TftpServerWithClient : ::testing::Test {
    QString client = QStandardPaths::findExecutable(QStringLiteral("tftp"));
    QTemporaryDir base; // run/ is served; x beside it is not
    QString root = base.filePath(QStringLiteral("run"));
    QString local = base.filePath(QStringLiteral("local"));
    std::unique_ptr<TftpServer> server;

    void SetUp() override {
        if (client.isEmpty()) GTEST_SKIP() << "the tftp client (package tftp-hpa) is not installed";
        ASSERT_TRUE(QDir().mkpath(root));
        ASSERT_TRUE(QDir().mkpath(local));
        server = std::make_unique<TftpServer>(root);
        ASSERT_TRUE(server->start(0)); // every address, as the console listens
    }
    static void write(const QString &path, const QByteArray &content) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    static QByteArray read(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Runs one command of the client; what it printed. The client may exit 0 on a failed
    // transfer, so the tests look at the files.
    QString run(const QString &command) {
        QProcess p;
        p.setWorkingDirectory(local);
        p.setProcessChannelMode(QProcess::MergedChannels);
        QStringList args = {QStringLiteral("-4"),
                            QStringLiteral("-m"),
                            QStringLiteral("octet"),
                            QStringLiteral("127.0.0.1"),
                            QString::number(server->port()),
                            QStringLiteral("-c")};
        p.start(client, args + command.split(u' '));
        // The server answers from this thread's event loop: never block it.
        if (p.state() != QProcess::NotRunning) {
            QEventLoop loop;
            QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
            QTimer::singleShot(20000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        EXPECT_EQ(p.state(), QProcess::NotRunning) << command.toStdString();
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
        }
        return QString::fromLocal8Bit(p.readAll());
    }
};

} // namespace

TEST_F(TftpServerWithClient, GetsServedFilesAndPutsTheBackup) {
    QByteArray firmware(70000, Qt::Uninitialized);
    for (int i = 0; i < firmware.size(); ++i)
        firmware[i] = char(i * 7);
    write(root + QStringLiteral("/ont.bin"), firmware);
    run(QStringLiteral("get ont.bin ont.bin"));
    EXPECT_EQ(read(local + QStringLiteral("/ont.bin")), firmware);

    const QByteArray backup =
        "[gpon]\r\n interface gpon 0/1\r\n#\r\n[bbs-config]\r\n" + QByteArray(3000, '#');
    write(local + QStringLiteral("/MA5680T.cfg"), backup);
    run(QStringLiteral("put MA5680T.cfg MA5680T.cfg"));
    EXPECT_EQ(read(root + QStringLiteral("/MA5680T.cfg")), backup);
}

TEST_F(TftpServerWithClient, RefusesOtherUploadsAndEverythingOutsideItsDirectory) {
    write(local + QStringLiteral("/evil.cfg"), "payload");
    const QString putOther = run(QStringLiteral("put evil.cfg evil.cfg"));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("/evil.cfg")));
    EXPECT_TRUE(putOther.contains(QStringLiteral("Error code 2"))) << putOther.toStdString();

    write(base.filePath(QStringLiteral("x")), "outside");
    ASSERT_TRUE(QFile::link(base.filePath(QStringLiteral("x")), root + QStringLiteral("/link.bin")));
    for (const char *name : {"../x", "link.bin"}) {
        SCOPED_TRACE(name);
        const QString out = run(QStringLiteral("get ") + QString::fromLatin1(name) + QStringLiteral(" got"));
        EXPECT_TRUE(out.contains(QStringLiteral("Error code 2"))) << out.toStdString();
        EXPECT_NE(read(local + QStringLiteral("/got")), QByteArray("outside"));
        QFile::remove(local + QStringLiteral("/got"));
    }
}
