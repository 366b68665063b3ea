#pragma once
// The control panel's "测试连接": a second, independent client that tries the typed address and
// credentials. It answers the user-name prompt, reports the banner or the rejection, and logs out.
// Each chunk is compared whole, after the telnet layer.

#include "olt/TelnetFilter.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

namespace tw {

class Operator;

class TestConnection : public QObject {
    Q_OBJECT
  public:
    static constexpr int DefaultConnectTimeoutMs = 3000;

    explicit TestConnection(Operator &op, QObject *parent = nullptr);

    // Starts a test with the texts as typed (the port text is read as a whole number, fraction
    // dropped). Returns at once; a failed or timed-out connect shows "IP地址或端口不正确！".
    // A new test abandons the previous one.
    void start(const QString &host, const QString &portText, const QString &account, const QString &password);

    void setConnectTimeout(int ms) { connectTimeoutMs_ = ms; }

  private:
    void connectFailed();
    void readAvailable();
    void handleChunk(const QByteArray &bytes);

    Operator &operator_;
    QTcpSocket socket_;
    QTimer connectTimer_;
    TelnetFilter telnet_;
    QString account_, password_;
    bool connecting_ = false;
    int connectTimeoutMs_ = DefaultConnectTimeoutMs;
};

} // namespace tw
