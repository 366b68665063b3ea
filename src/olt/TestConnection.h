#pragma once
// The control panel's "测试连接": a second, independent client that tries the typed address,
// credentials and protocol. Over telnet it answers the user-name prompt, reports the banner or the
// rejection, and logs out; each chunk is compared whole, after the telnet layer. Over SSH the link
// logs in by itself: its opening is the success, its refusal (a rejected password, a host key not
// trusted or changed) is reported with the reason.

#include "olt/OltLink.h"
#include "olt/TelnetFilter.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace tw {

class Operator;
class Transport;

class TestConnection : public QObject {
    Q_OBJECT
  public:
    static constexpr int ConnectTimeoutMs = 3000;

    // `knownHosts`: the SSH known-hosts file (the run directory's), shared with the connection.
    explicit TestConnection(Operator &op, QObject *parent = nullptr);
    TestConnection(Operator &op, QString knownHosts, QObject *parent = nullptr);

    // Starts a test with the texts as typed (the port text is read as a whole number, fraction
    // dropped; the protocol as 协议 is read). Returns at once; a failed or timed-out connect shows
    // "IP地址或端口不正确！". A new test abandons the previous one.
    void start(const QString &host, const QString &portText, const QString &account, const QString &password,
               const QString &protocol = ProtocolTelnet);

  private:
    void connected();
    void failed(const QString &why);
    void readAvailable();
    void handleChunk(const QByteArray &bytes);
    void dropTransport();

    Operator &operator_;
    QString knownHosts_;
    QPointer<Transport> transport_;
    TelnetFilter telnet_;
    QString account_, password_;
};

} // namespace tw
