#include "olt/OltConnection.h"

#include "common/Gbk.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/OltTexts.h"

#include <QTcpSocket>

#include <utility>

namespace tw {

OltConnection::OltConnection(const SettingsStore &settings, Operator &op, QObject *parent)
    : QObject(parent), settings_(settings), operator_(op), receive_(settings),
      runner_([this](const QByteArray &bytes) { return writeRaw(bytes); }) {
    connect(&runner_, &ScriptRunner::modeRestored, this, &OltConnection::configurationRestored);
    stranded_.setSingleShot(true);
    stranded_.setInterval(DefaultStrandedMs);
    connect(&stranded_, &QTimer::timeout, this, &OltConnection::restoreConfiguration);
    loginGrace_.setSingleShot(true);
    loginGrace_.setInterval(DefaultLoginGraceMs);
    connect(&loginGrace_, &QTimer::timeout, this, [this] {
        loggedIn_ = true; // no login was asked for: this is the CLI
        runner_.setReady(true);
    });
    retry_.setSingleShot(true);
    retry_.setInterval(DefaultRetryMs);
    connect(&retry_, &QTimer::timeout, this, &OltConnection::retryConnect);
}

OltConnection::~OltConnection() {
    // Silenced first: the socket's last signals must not reach the runner or its owners on the way out.
    dropSocket();
}

void OltConnection::dropSocket() {
    if (!socket_) return;
    // It may be the socket whose data is being handled right now: silence it, delete it later.
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;
}

void OltConnection::sessionEnded() {
    // What was running cannot be finished on a new session: its owners are told.
    runner_.setReady(false);
    runner_.interruptAll(QStringLiteral("与OLT的连接已断开"));
}

QTcpSocket *OltConnection::newSocket() {
    dropSocket();
    receive_.reset();
    stranded_.stop();
    retry_.stop();
    loggedIn_ = restored_ = false;
    loginGrace_.stop();
    sessionEnded();

    auto *socket = new QTcpSocket(this);
    socket_ = socket;
    connect(socket, &QTcpSocket::readyRead, this, &OltConnection::readAvailable);
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        readAvailable();
        receive_.finish(*this); // the last bytes, even if they looked like the start of a prompt
        sessionEnded();
        emit connectedChanged(false);
        // The OLT closed the connection (a reboot, a switch-over, a network failure): with
        // 自动重连 on, dial again until it answers.
        if (settings_.isOn(settings::AutoReconnect)) retry_.start();
    });
    return socket;
}

bool OltConnection::target(QString &host, quint16 &port) const {
    host = settings_.read(settings::OltAddress);
    const int p = leadingInt(settings_.read(settings::OltPort));
    if (p <= 0 || p > 65535) return false;
    port = static_cast<quint16>(p);
    return true;
}

bool OltConnection::connectToOlt() {
    QTcpSocket *socket = newSocket();
    QString host;
    quint16 port = 0;
    bool ok = false;
    if (target(host, port)) {
        socket->connectToHost(host, port);
        ok = socket->waitForConnected(connectTimeoutMs_);
    }
    if (!ok) socket->abort();
    if (ok && loginGrace_.interval() > 0) loginGrace_.start();
    emit connectedChanged(ok);
    return ok;
}

void OltConnection::retryConnect() {
    if (!settings_.isOn(settings::AutoReconnect) || isConnected()) return;
    // In the background: a rebooting OLT may not answer for minutes, and the window stays usable.
    QTcpSocket *socket = newSocket();
    QString host;
    quint16 port = 0;
    if (!target(host, port)) return;
    connect(socket, &QTcpSocket::connected, this, [this] {
        if (loginGrace_.interval() > 0) loginGrace_.start();
        emit connectedChanged(true);
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (socket != socket_ || socket->state() == QAbstractSocket::ConnectedState) return;
        dropSocket();
        if (settings_.isOn(settings::AutoReconnect)) retry_.start();
    });
    socket->connectToHost(host, port);
}

bool OltConnection::isConnected() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

bool OltConnection::send(const QString &script) {
    return run(script, {});
}

bool OltConnection::run(const QString &script, ScriptDone done, RunOptions options) {
    if (!isConnected()) return false;
    // Until the password has gone out the OLT is in its login dialogue, which would take a
    // command for the user name or password: the runner holds it until the login is through.
    if (!loggedIn_ && loginGrace_.interval() <= 0) runner_.setReady(true);
    runner_.run(script, std::move(done), options);
    return true;
}

bool OltConnection::sendNow(const QString &keys) {
    return writeRaw(toGbk(keys));
}

bool OltConnection::breakOutput() {
    if (!isConnected()) return false;
    if (receive_.pagedOutput()) {
        receive_.breakPaging();
        return true;
    }
    if (!sendNow(QStringLiteral("Q\r\n"))) return false;
    emit outputBroken();
    return true;
}

void OltConnection::passwordSent() {
    loggedIn_ = true;
    loginGrace_.stop();
    // The password's line is answered by the first prompt; the post-login lines go after it, one
    // at a time, and then whatever was sent meanwhile.
    runner_.foreignLines(1);
    runner_.runFirst(olt::PostLogin, {}, RunOptions{false, false});
    runner_.setReady(true);
    emit loginAnswered();
}

bool OltConnection::writeRaw(const QByteArray &bytes) {
    if (!isConnected()) return false;
    return socket_->write(bytes) == bytes.size();
}

void OltConnection::readAvailable() {
    // A box shown while a chunk is handled runs a nested event loop in which the socket reads on
    // without signalling again; pick up what came meanwhile before returning.
    stranded_.stop();
    while (socket_ && socket_->bytesAvailable() > 0)
        receive_.feed(socket_->readAll(), *this);
    // A script that left the CLI outside configuration mode (a failed "interface" line, then its
    // "quit") strands it at the privileged prompt: nothing would complete from then on.
    if (loggedIn_ && !restored_ && receive_.atPrivilegedPrompt()) stranded_.start();
}

void OltConnection::restoreConfiguration() {
    if (!loggedIn_ || restored_ || !receive_.atPrivilegedPrompt()) return;
    // At once, not paced: nothing completes at this prompt, so whatever the runner waits for is
    // stuck until the CLI is back in configuration mode.
    if (!writeRaw(toGbk(olt::RestoreConfiguration))) return;
    if (!runner_.busy()) runner_.foreignLines(1);
    restored_ = true;
    emit configurationRestored(olt::RestoreConfigurationNote);
}

void OltConnection::loginRejected() {
    operator_.error(olt::LoginRejectedBox, olt::ErrorTitle);
}

} // namespace tw
