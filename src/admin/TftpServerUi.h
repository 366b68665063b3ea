#pragma once
// "TFTP服务器" under "工具(&T)": starts and stops the built-in TFTP server on the run directory and
// shows where it listens in the status bar while it runs.

#include "admin/TftpServer.h"

#include <QObject>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;

namespace tw {

class Operator;

class TftpServerUi : public QObject {
    Q_OBJECT
  public:
    TftpServerUi(QMenu *tools, QStatusBar *bar, const QString &root, Operator &op, QObject *parent = nullptr);

    // The port to listen on (69 unless --tftp-port chose another); takes effect at the next start.
    void setPort(quint16 port) { port_ = port; }
    quint16 configuredPort() const { return port_; }
    // Starts or stops as the menu item does; false when the server could not start (the operator
    // has been told why).
    bool setRunning(bool on);

    // Told of every finished transfer, as a line for the status bar.
    std::function<void(const QString &)> report;

    QAction *action; // checkable
    QLabel *statusLabel;
    TftpServer server;

  private:
    void showRunning();

    Operator &op_;
    quint16 port_ = TftpDefaultPort;
};

// The status bar's text: the addresses the OLT can use and the port.
QString tftpListeningText(const QHostAddress &bound, quint16 port);
// A finished transfer as one line.
QString tftpReportText(const TftpReport &report);

} // namespace tw
