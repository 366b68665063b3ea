#include "app/Reachability.h"

#include <QTcpSocket>

namespace tw {

bool probeReachable(const QString &host, int port, int timeoutMs) {
    if (host.trimmed().isEmpty() || port <= 0 || port > 65535) return false;
    QTcpSocket socket;
    socket.connectToHost(host, static_cast<quint16>(port));
    const bool ok = socket.waitForConnected(timeoutMs);
    socket.abort();
    return ok;
}

} // namespace tw
