// tarnwick-olt-sim: a simulated OLT for the console's tests and demos.
#include "Scenario.h"
#include "Server.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

using namespace tw::sim;

namespace {

bool splitAddress(const QString &text, QHostAddress *address, quint16 *port) {
    const qsizetype colon = text.lastIndexOf(':');
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok);
    if (colon <= 0 || !ok || p > 65535 || !address->setAddress(text.left(colon))) return false;
    *port = quint16(p);
    return true;
}

void say(const QString &line) {
    std::fputs((line + "\n").toUtf8().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tarnwick-olt-sim");
    QCommandLineParser parser;
    parser.setApplicationDescription("Simulated OLT: a telnet CLI over a device model.");
    parser.addHelpOption();
    parser.addOption({"listen", "Telnet address, e.g. 127.0.0.1:0 (0 picks a free port).", "host:port"});
    parser.addOption({"scenario", "Built-in scenario (demo, full) or a JSON file.", "name|file", "demo"});
    parser.addOption({"control", "Control-channel address.", "host:port"});
    parser.addOption({"seed", "Seed of the generated scenarios.", "n", "1"});
    parser.addOption({"reject-logins", "Reject every login."});
    parser.addOption({"erase-apart", "Send the paging erase sequence in a write of its own."});
    parser.addOption(
        {"restart-ms", "Boot time after a reboot or switch-over: no telnet meanwhile.", "ms", "2000"});
    parser.addOption({"tftp-port", "Port of the TFTP servers the CLI names by address.", "port", "69"});
    parser.addOption({"ssh", "SSH address beside telnet, e.g. 127.0.0.1:0.", "host:port"});
    parser.addOption({"ssh-key", "SSH host key file; made there when missing (default: a fresh key per run).",
                      "file"});
    parser.addOption({"ssh-one-session", "An account may hold one SSH session at a time."});
    parser.addOption({"ssh-auth", "SSH authentication offered: both, password or keyboard-interactive.",
                      "method", "both"});
    parser.process(app);

    QHostAddress address;
    quint16 port = 0;
    if (!splitAddress(parser.value("listen"), &address, &port)) {
        std::fputs("error: --listen host:port is required\n", stderr);
        return 2;
    }
    bool seedOk = false;
    const quint32 seed = parser.value("seed").toUInt(&seedOk);
    if (!seedOk) {
        std::fputs("error: --seed takes a number\n", stderr);
        return 2;
    }
    ScenarioResult scenario = loadScenario(parser.value("scenario"), seed);
    if (!scenario.device) {
        std::fprintf(stderr, "error: %s\n", qPrintable(scenario.error));
        return 2;
    }
    Device device = std::move(*scenario.device);
    Faults faults;
    faults.rejectLogins = parser.isSet("reject-logins");
    SessionOptions options;
    options.eraseApart = parser.isSet("erase-apart");
    bool tftpPortOk = false;
    const uint tftpPort = parser.value("tftp-port").toUInt(&tftpPortOk);
    if (!tftpPortOk || tftpPort < 1 || tftpPort > 65535) {
        std::fputs("error: --tftp-port takes a port number\n", stderr);
        return 2;
    }
    options.tftp.port = quint16(tftpPort);

    bool restartOk = false;
    const int restartMs = parser.value("restart-ms").toInt(&restartOk);
    if (!restartOk || restartMs < 0) {
        std::fputs("error: --restart-ms takes a number of milliseconds\n", stderr);
        return 2;
    }

    OltServer server(device, faults, options);
    server.setRestartMs(restartMs);
    if (!server.listen(address, port)) {
        std::fprintf(stderr, "error: cannot listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    say(QStringLiteral("listening %1:%2").arg(address.toString()).arg(server.port()));

    if (parser.isSet("ssh")) {
        QHostAddress sshAddress;
        quint16 sshPort = 0;
        if (!splitAddress(parser.value("ssh"), &sshAddress, &sshPort)) {
            std::fputs("error: --ssh takes host:port\n", stderr);
            return 2;
        }
        SshSettings ssh;
        ssh.oneSession = parser.isSet("ssh-one-session");
        const QString auth = parser.value("ssh-auth");
        if (auth == "password")
            ssh.auth = SshSettings::Auth::Password;
        else if (auth == "keyboard-interactive")
            ssh.auth = SshSettings::Auth::KeyboardInteractive;
        else if (auth != "both") {
            std::fputs("error: --ssh-auth takes both, password or keyboard-interactive\n", stderr);
            return 2;
        }
        if (!server.listenSsh(sshAddress, sshPort, parser.value("ssh-key"), ssh)) {
            std::fprintf(stderr, "error: cannot serve SSH: %s\n", qPrintable(server.sshError()));
            return 1;
        }
        say(QStringLiteral("ssh %1:%2").arg(sshAddress.toString()).arg(server.sshPort()));
    }

    std::unique_ptr<ControlServer> control;
    if (parser.isSet("control")) {
        QHostAddress controlAddress;
        quint16 controlPort = 0;
        if (!splitAddress(parser.value("control"), &controlAddress, &controlPort)) {
            std::fputs("error: --control takes host:port\n", stderr);
            return 2;
        }
        control = std::make_unique<ControlServer>(device, faults);
        if (!control->listen(controlAddress, controlPort)) {
            std::fprintf(stderr, "error: cannot listen for control: %s\n",
                         qPrintable(control->errorString()));
            return 1;
        }
        say(QStringLiteral("control %1:%2").arg(controlAddress.toString()).arg(control->port()));
    }
    return app.exec();
}
