#pragma once
// Transcript helpers for the simulator tests: a session driven in-process, and a simulator on a
// loopback port with telnet and control clients.

#include "Scenario.h"
#include "Server.h"
#include "Session.h"

#include "common/Gbk.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tw::sim::testing {

inline Device smallDevice() {
    QFile file(TW_FIXTURES_DIR "/sim/small.json");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    ScenarioResult r = scenarioFromJson(file.readAll());
    EXPECT_TRUE(r.device.has_value()) << r.error.toStdString();
    return r.device ? std::move(*r.device) : Device{};
}

// The model as the control channel's "dump" prints it.
inline QJsonObject dump(Device &d) {
    Faults f;
    return QJsonDocument::fromJson(runControlCommand(d, f, "dump").toUtf8()).object();
}

inline QString decode(const std::vector<Write> &writes) {
    QByteArray all;
    for (const Write &w : writes)
        all += w.bytes;
    return tw::fromGbk(all);
}

inline QString gbkText(const QByteArray &bytes) {
    return tw::fromGbk(bytes);
}

// The console's post-login script, sent with the password in one write.
inline QByteArray consoleLogin(const QByteArray &password = "admin") {
    return password + "\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n";
}

inline const QString kChinesePaging = QString::fromUtf8("---- 任意键继续显示 ( 'Q' 键退出 ) ----");
inline const QString kEnglishPaging = QStringLiteral("---- More ( Press 'Q' to break ) ----");

// A session in-process: what goes in is bytes, what comes out is the list of writes.
struct Cli {
    Device device;
    Faults faults;
    std::unique_ptr<Session> session;

    explicit Cli(Device d = smallDevice(), SessionOptions options = {}) : device(std::move(d)) {
        session = std::make_unique<Session>(device, faults, options);
    }

    // The TFTP server the session's transfers reach, answering in-process; by default none answers.
    std::function<TransferResult(const TransferRequest &)> tftp = [](const TransferRequest &) {
        return TransferResult{TransferResult::Outcome::TimedOut, {}, {}};
    };
    std::vector<TransferRequest> transfers; // every transfer asked for, in order

    std::vector<Write> start() { return session->start(); }
    std::vector<Write> feed(const QByteArray &bytes) {
        std::vector<Write> out = session->receive(bytes);
        for (;;) {
            std::vector<Write> more;
            if (std::optional<TransferRequest> r = session->takeTransfer()) {
                transfers.push_back(*r);
                more = session->transferDone(tftp(*r));
            } else if (session->streaming()) {
                more = session->continueOutput(); // a client that reads everything at once
            } else {
                return out;
            }
            out.insert(out.end(), more.begin(), more.end());
        }
    }
    QString send(const QByteArray &bytes) { return decode(feed(bytes)); }

    // Logs in as the console does; Chinese mode unless told otherwise.
    void login(bool chinese = true) {
        start();
        feed("root\r\n");
        feed(chinese ? consoleLogin() : QByteArray("admin\r\n\r\nenable\r\nconfig\r\n"));
        ASSERT_TRUE(session->loggedIn());
        ASSERT_EQ(session->prompt(), "MA5680T(config)#");
    }

    // Runs one line, answering every page with a blank, and returns everything printed.
    QString run(const QString &line) {
        QString out = send(tw::toGbk(line) + "\r\n");
        while (session->paging())
            out += send(" ");
        return out;
    }

    // The reply of a command as the console's parsers see it: without the echo line and the
    // prompt after it, with the "{ ... }:" prompt answered when the command asks one.
    QString reply(const QString &line) {
        QString out = run(line);
        if (out.endsWith("}:")) out += run("");
        const qsizetype start = out.indexOf("\r\n") + 2;
        const QString tail = "\r\n" + session->prompt();
        EXPECT_TRUE(out.endsWith(tail)) << out.toStdString();
        return out.mid(start, out.size() - start - tail.size());
    }
};

// A simulator on a loopback port, in this process, with a telnet and a control client.
struct LoopbackSim {
    Device device;
    Faults faults;
    std::unique_ptr<OltServer> server;
    std::unique_ptr<ControlServer> control;

    explicit LoopbackSim(Device d = smallDevice(), SessionOptions options = {}) : device(std::move(d)) {
        options.gapMs = 40;
        server = std::make_unique<OltServer>(device, faults, options);
        control = std::make_unique<ControlServer>(device, faults);
        EXPECT_TRUE(server->listen(QHostAddress::LocalHost, 0));
        EXPECT_TRUE(control->listen(QHostAddress::LocalHost, 0));
    }
};

// A telnet client that keeps every chunk as it arrived.
struct Client {
    QTcpSocket socket;
    QList<QByteArray> chunks;
    QByteArray all;
    bool closed = false;

    explicit Client(quint16 port) {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            const QByteArray chunk = socket.readAll();
            chunks << chunk;
            all += chunk;
        });
        QObject::connect(&socket, &QTcpSocket::disconnected, [this] { closed = true; });
        socket.connectToHost(QHostAddress::LocalHost, port);
        EXPECT_TRUE(
            QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; }, 3000));
    }

    bool waitFor(const QString &text, int ms = 3000) {
        const QByteArray bytes = tw::toGbk(text);
        const qsizetype from = consumed;
        const bool ok = QTest::qWaitFor([&] { return all.indexOf(bytes, from) >= 0; }, ms);
        if (ok) consumed = all.indexOf(bytes, from) + bytes.size();
        return ok;
    }
    void send(const QByteArray &bytes) {
        socket.write(bytes);
        socket.flush();
    }
    void login() {
        ASSERT_TRUE(waitFor(">>User name:"));
        send("root\r\n");
        ASSERT_TRUE(waitFor(">>User password:"));
        send(consoleLogin());
        ASSERT_TRUE(waitFor(QString::fromUtf8("语言模式")));
        ASSERT_TRUE(waitFor("MA5680T(config)#"));
        QTest::qWait(100); // the prompts of the script's last empty lines
        consumed = all.size();
    }
    QString text() const { return tw::fromGbk(all); }

    qsizetype consumed = 0;
};

// One line to the control channel, one answer line back.
inline QString controlCommand(quint16 port, const QString &line, int waitMs = 3000) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, waitMs))
        return "no connection";
    socket.write(line.toUtf8() + "\n");
    QByteArray answer;
    (void)QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return answer.endsWith('\n');
        },
        waitMs);
    return QString::fromUtf8(answer).trimmed();
}

} // namespace tw::sim::testing
