#include "olt/OltConnection.h"

#include "common/Gbk.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/ChunkStage.h"
#include "olt/OltTexts.h"

#include <QTcpSocket>

namespace tw {

OltConnection::OltConnection(const SettingsStore &settings, Operator &op, QObject *parent)
    : QObject(parent), settings_(settings), operator_(op) {}

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
    telnet_.reset();
    joiner_.reset();

    auto *socket = new QTcpSocket(this);
    socket_ = socket;
    connect(socket, &QTcpSocket::readyRead, this, &OltConnection::readAvailable);
    connect(socket, &QTcpSocket::disconnected, this, [this] { emit connectedChanged(false); });

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
    while (socket_ && socket_->bytesAvailable() > 0)
        handleChunk(socket_->readAll());
}

void OltConnection::handleChunk(const QByteArray &bytes) {
    TelnetFilter::Result telnet = telnet_.feed(bytes);
    if (!telnet.reply.isEmpty()) writeRaw(telnet.reply);
    if (telnet.data.isEmpty()) return; // only option negotiation
    QByteArray data = joiner_.feed(telnet.data);
    if (data.isEmpty()) return; // all of it may be the start of a prompt: wait for the rest

    const ChunkOutcome out = runChunkStage(std::move(data), settings_);
    for (qsizetype i = 0; i < out.sends.size(); ++i) {
        if (out.reconnect && i == out.sendsBeforeReconnect) connectToOlt();
        writeRaw(out.sends[i]);
    }
    if (out.reconnect && out.sendsBeforeReconnect == out.sends.size()) connectToOlt();
    if (out.loginAnswered) emit loginAnswered();
    if (out.loginRejected) operator_.error(olt::LoginRejectedBox, olt::ErrorTitle);
    if (!out.discarded) emit chunkReceived(out.passOn);
}

} // namespace tw
