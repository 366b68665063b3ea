#pragma once
// Transcript helpers for the whole console against the simulator: a fresh simulator on a loopback
// port, a run directory with only config.ini, and a main window that connects and logs in by itself,
// over telnet or SSH (a test parameter for the tests that must hold over both).

#include "../sim/SimDriver.h"

#include "TestDoubles.h"
#include "app/ConsolePane.h"
#include "app/MainWindow.h"
#include "common/ActivityLog.h"
#include "common/Operator.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "widgets/OperatorConsole.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace tw::e2e {

// Every wait is generous: the CI machine is slow and shared.
inline constexpr int WaitMs = 20000;

inline const QString ConfigPrompt = QStringLiteral("MA5680T(config)#");

// How the console reaches the simulator.
enum class Link { Telnet, Ssh };

inline std::string linkName(const ::testing::TestParamInfo<Link> &info) {
    return info.param == Link::Ssh ? "SSH" : "Telnet";
}

// The fixture of the tests that run once over each link.
struct OverEachLink : ::testing::TestWithParam<Link> {};

struct Simulator {
    sim::Device device;
    sim::Faults faults;
    std::unique_ptr<sim::OltServer> server;
    std::unique_ptr<sim::ControlServer> control;

    // Serves telnet, and SSH beside it for Link::Ssh (with a fresh host key).
    explicit Simulator(sim::Device d, Link link = Link::Telnet) : device(std::move(d)) {
        server = std::make_unique<sim::OltServer>(device, faults);
        control = std::make_unique<sim::ControlServer>(device, faults);
        EXPECT_TRUE(server->listen(QHostAddress::LocalHost, 0)) << server->errorString().toStdString();
        EXPECT_TRUE(control->listen(QHostAddress::LocalHost, 0)) << control->errorString().toStdString();
        if (link == Link::Ssh) {
            EXPECT_TRUE(server->listenSsh(QHostAddress::LocalHost, 0)) << server->sshError().toStdString();
        }
    }
    quint16 port() const { return server->port(); }

    // One line over the control channel, the answer line back.
    QString command(const QString &line) const {
        return sim::testing::controlCommand(control->port(), line, WaitMs);
    }

    QJsonObject dump() const {
        return QJsonDocument::fromJson(command(QStringLiteral("dump")).toUtf8()).object();
    }
};

inline sim::Device demoDevice() {
    return sim::demoScenario(1);
}

// config.ini for the simulator on `port`: only the [OLT] section, anything else from `extra`.
inline QString configFor(quint16 port, const QString &password = QStringLiteral("admin"),
                         const QString &extra = {}) {
    return QStringLiteral("[OLT]\nIP地址=127.0.0.1\n端口=%1\n帐号=root\n密码=%2\n标识=e2e\n")
               .arg(port)
               .arg(encodePassword(password)) +
           extra;
}

struct ConsoleHarness {
    Link link;
    Simulator sim;
    test::TempRunDir run;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<ActivityLog> log;
    test::ScriptedOperator op;
    std::unique_ptr<MainWindow> window;
    qsizetype consumed = 0; // console text already matched by waitForConsole

    explicit ConsoleHarness(sim::Device device = demoDevice(), const QString &extraConfig = {},
                            Link l = Link::Telnet)
        : link(l), sim(std::move(device), l) {
        const QString ssh = QStringLiteral("协议=SSH\nSSH端口=%1\n").arg(sim.server->sshPort());
        run.writeConfig(
            configFor(sim.port(), QStringLiteral("admin"), (l == Link::Ssh ? ssh : QString()) + extraConfig));
        settings = std::make_unique<SettingsStore>(run.config());
        log = std::make_unique<ActivityLog>(*settings, run.path());
        window = std::make_unique<MainWindow>(*settings, *log, op);
        window->show();
    }

    QString consoleText() const { return window->console->text(); }

    // Waits for `text` in the console after what earlier waits matched.
    bool waitForConsole(const QString &text, int ms = WaitMs) {
        const bool ok = QTest::qWaitFor([&] { return consoleText().indexOf(text, consumed) >= 0; }, ms);
        if (ok) consumed = consoleText().indexOf(text, consumed) + text.size();
        return ok;
    }

    // start(), then the login: the language switch and the configuration prompt after it. Over SSH
    // the simulator's new host key is trusted first; the question is checked and taken off the boxes.
    bool startAndLogIn() {
        if (link == Link::Ssh) op.answers.push_front(true);
        if (!window->start()) return false;
        if (link == Link::Ssh) {
            const bool asked = !op.boxes.isEmpty() && op.boxes[0].title == Operator::HostKeyTitle &&
                               op.boxes[0].text.contains(sim.server->sshFingerprint());
            EXPECT_TRUE(asked) << "the new host key is asked about";
            if (!asked) return false;
            op.boxes.removeFirst();
        }
        return waitForConsole(QStringLiteral("语言模式已切换为中文")) && waitForConsole(ConfigPrompt) &&
               settle();
    }

    // The script's last empty lines each bring a prompt; wait until the output stands still.
    bool settle() {
        qsizetype before = -1;
        return QTest::qWaitFor(
            [&] {
                const qsizetype now = consoleText().size();
                const bool still = now == before;
                before = now;
                if (!still) QTest::qWait(150);
                return still && consoleText().endsWith(ConfigPrompt);
            },
            WaitMs);
    }

    // A command typed into the entry and sent with "回车执行".
    void typeCommand(const QString &line) {
        window->console->entry->setPlainText(line);
        window->consolePane->executeButton->click();
    }

    static void click(QPushButton *button) { button->click(); }

    // Whether a label of the status bar shows `text` (the last event shows after its time).
    bool statusShows(const QString &text) const {
        for (const QLabel *l : window->statusBar()->findChildren<QLabel *>())
            if (l->text().contains(text)) return true;
        return false;
    }
};

} // namespace tw::e2e
