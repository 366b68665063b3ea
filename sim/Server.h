#pragma once
// The telnet side of the simulator: a TCP server that runs one Session per client, and the
// control channel that tests and demos use to change the device and inject faults.

#include "ConfigLoad.h"
#include "Faults.h"
#include "Link.h"
#include "Model.h"
#include "Session.h"
#include "SshServer.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <deque>
#include <memory>

namespace tw::sim {

// One CLI session on a link: the session's writes go out in order, each after its pause, with the
// faults applied; input, idle time-out and transfers go back into the session.
class Connection : public QObject {
    Q_OBJECT
  public:
    // Telnet when sshUser is empty; otherwise an SSH shell of that (already checked) account.
    Connection(Link *link, Device &device, Faults &faults, SessionOptions options, const QString &sshUser,
               QObject *parent);
    // Closes without a word, as a restarting device does.
    void drop();

  signals:
    void deviceRestarting();

  private:
    void onReceived(const QByteArray &data);
    // Runs the transfer the session waits for, if any; its end goes back to the session.
    void startTransfer();
    // The next stretch of an output without paging, once the client has taken the last one.
    void continueOutput();
    void enqueue(std::vector<Write> writes);
    void pump();
    void restartIdleTimer();

    Link *link_;
    Faults &faults_;
    Session session_;
    std::deque<Write> queue_;
    bool waiting_ = false;
    bool dropped_ = false;
    bool restartSignalled_ = false;
    QTimer idle_;
};

class OltServer : public QObject {
    Q_OBJECT
  public:
    OltServer(Device &device, Faults &faults, SessionOptions options = {}, QObject *parent = nullptr);
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return port_; }
    QString errorString() const { return server_.errorString(); }
    // How long the device takes to boot after a reboot or switch-over: no telnet port meanwhile.
    void setRestartMs(int ms) { restartMs_ = ms; }
    bool booting() const { return !server_.isListening() || (ssh_ && !ssh_->isListening()); }
    // SSH beside telnet: the same sessions, reached over SSH with the device's accounts. The host
    // key is read from keyFile, or made there when missing (a fresh one for this run without a
    // file). False with sshError() when it cannot start.
    bool listenSsh(const QHostAddress &address, quint16 port, const QString &keyFile = {},
                   const SshSettings &settings = {});
    quint16 sshPort() const { return sshPort_; }
    QString sshError() const { return sshError_; }
    QString sshFingerprint() const { return ssh_ ? ssh_->fingerprint() : QString(); }
    // For sessions opened from now on: where the TFTP servers listen, how long an ONT loading runs.
    void setTftpSettings(const TftpSettings &tftp) { options_.tftp = tftp; }
    void setOntLoadMs(int ms) { options_.ontLoadMs = ms; }

  private:
    void restart(Connection *from);
    void listenAgain(int triesLeft);
    // Builds the configuration being activated, a slice per event-loop turn, then restarts with it.
    void replayStep();

    Device &device_;
    Faults &faults_;
    SessionOptions options_;
    QTcpServer server_;
    QHostAddress address_;
    quint16 port_ = 0;
    int restartMs_ = 2000;
    std::unique_ptr<SshListener> ssh_;
    QHostAddress sshAddress_;
    quint16 sshPort_ = 0;
    QString sshError_;
    QTimer ontLoadTicker_; // an ONT loading ends on time even when no session looks at it
    std::unique_ptr<ConfigurationReplay> replay_;
};

// One control-channel command line in, one answer line out ("ok", "error <why>" or the JSON dump).
QString runControlCommand(Device &device, Faults &faults, const QString &line);

class ControlServer : public QObject {
    Q_OBJECT
  public:
    ControlServer(Device &device, Faults &faults, QObject *parent = nullptr);
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const { return server_.serverPort(); }
    QString errorString() const { return server_.errorString(); }

  private:
    Device &device_;
    Faults &faults_;
    QTcpServer server_;
};

} // namespace tw::sim
