#include "olt/TcpTransport.h"

#include "olt/TransportTexts.h"

#include <QTcpSocket>

namespace tw {

TcpTransport::TcpTransport(QObject *parent) : Transport(parent) {
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] { fail(transport::timedOut(target_)); });
}

TcpTransport::~TcpTransport() {
    abort();
}

void TcpTransport::connectToHost(const QString &host, quint16 port) {
    abort();
    target_ = transport::target(host, port);
    auto *socket = new QTcpSocket(this);
    socket_ = socket;
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::connected, this, [this] {
        timeout_.stop();
        connected_ = true;
        emit connected();
    });
    connect(socket, &QTcpSocket::readyRead, this, &Transport::readyRead);
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        // What arrived last stays readable until the next connect.
        if (std::exchange(connected_, false)) emit disconnected();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (!connected_) fail(transport::cannotConnect(target_, socket->errorString()));
    });
    timeout_.start(connectTimeoutMs_);
    socket->connectToHost(host, port);
}

bool TcpTransport::write(const QByteArray &bytes) {
    if (!isConnected()) return false;
    socket_->write(bytes);
    return true;
}

QByteArray TcpTransport::readAll() {
    return socket_ ? socket_->readAll() : QByteArray();
}

void TcpTransport::abort() {
    timeout_.stop();
    connected_ = false;
    if (!socket_) return;
    QTcpSocket *socket = socket_;
    socket_ = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

bool TcpTransport::isConnected() const {
    return connected_ && socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void TcpTransport::fail(const QString &reason) {
    abort();
    emit failed(reason);
}

} // namespace tw
