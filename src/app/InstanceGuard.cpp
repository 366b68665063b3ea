#include "app/InstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace tw {

namespace {

QString userName() {
    const QByteArray user = qgetenv("USER");
    return user.isEmpty() ? QString::fromLocal8Bit(qgetenv("USERNAME")) : QString::fromLocal8Bit(user);
}

constexpr QByteArrayView ShowRequest = "show\n";

} // namespace

InstanceGuard::InstanceGuard(const QString &runDir, QObject *parent) : QObject(parent) {
    const QByteArray dir = QDir(runDir).canonicalPath().toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(dir.isEmpty() ? runDir.toUtf8() : dir, QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    name_ = QStringLiteral("Tarnwick标识-") + userName() + QLatin1Char('-') + QString::fromLatin1(hash);
}

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::activateRunning() const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(1000)) return false;
    socket.write(ShowRequest.data(), ShowRequest.size());
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

bool InstanceGuard::claim() {
    if (server_) return true;
    if (activateRunning()) return false;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name_)) {
        // A socket left behind by a console that crashed: nobody answered above, so take it over.
        QLocalServer::removeServer(name_);
        if (!server->listen(name_)) {
            delete server;
            return true; // no guard possible; better a second console than none
        }
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().startsWith(ShowRequest.first(4).toByteArray()))
                    emit activationRequested();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    return true;
}

} // namespace tw
