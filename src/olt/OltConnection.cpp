#include "olt/OltConnection.h"

#include "common/Gbk.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/OltTexts.h"

#include <QTcpSocket>

namespace tw {

OltConnection::OltConnection(const SettingsStore &settings, Operator &op, QObject *parent)
    : QObject(parent), settings_(settings), operator_(op), receive_(settings) {
    stranded_.setSingleShot(true);
    stranded_.setInterval(DefaultStrandedMs);
    connect(&stranded_, &QTimer::timeout, this, &OltConnection::restoreConfiguration);
}

OltConnection::~OltConnection() = default;

void OltConnection::dropSocket() {
    if (!socket_) return;
    // It may be the socket whose data is being handled right now: silence it, delete it later.
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;
}

bool OltConnection::connectToOlt() {
    dropSocket();
    receive_.reset();
    stranded_.stop();
    loggedIn_ = restored_ = false;

    auto *socket = new QTcpSocket(this);
    socket_ = socket;
    connect(socket, &QTcpSocket::readyRead, this, &OltConnection::readAvailable);
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        receive_.finish(*this); // the last bytes, even if they looked like the start of a prompt
        emit connectedChanged(false);
    });

    const QString host = settings_.read(settings::OltAddress);
    const int port = leadingInt(settings_.read(settings::OltPort));
    bool ok = false;
    if (port > 0 && port <= 65535) {
        socket->connectToHost(host, static_cast<quint16>(port));
        ok = socket->waitForConnected(connectTimeoutMs_);
    }
    if (!ok) socket->abort();
    emit connectedChanged(ok);
    return ok;
}

bool OltConnection::isConnected() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

bool OltConnection::send(const QString &script) {
    return writeRaw(toGbk(script));
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
    if (!writeRaw(toGbk(olt::RestoreConfiguration))) return;
    restored_ = true;
    emit configurationRestored(olt::RestoreConfigurationNote);
}

void OltConnection::loginRejected() {
    operator_.error(olt::LoginRejectedBox, olt::ErrorTitle);
}

} // namespace tw
