#pragma once
// SSH's transport, on libssh: the TCP connection is made by Qt (host lookup and connect without
// blocking), then libssh runs on it non-blocking, polled whenever the socket has something for it.
// The server's host key is checked against a known-hosts file in OpenSSH's format before the
// password goes out; the account logs in with password or keyboard-interactive authentication and
// gets a PTY (vt100, 256 columns so that listings do not wrap) and a shell, whose bytes are the
// stream.

#include "olt/Transport.h"

#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

struct ssh_session_struct;
struct ssh_channel_struct;

class QSocketNotifier;
class QTcpSocket;

namespace tw {

class SshTransport : public Transport {
    Q_OBJECT
  public:
    static constexpr int PtyColumns = 256;
    static constexpr int PtyRows = 24;

    explicit SshTransport(QObject *parent = nullptr);
    ~SshTransport() override;

    // The account and its password, for the next connectToHost().
    void setCredentials(const QString &user, const QString &password);
    // The known-hosts file (OpenSSH's format, "[host]:port key-type key" lines, so ssh-keygen -F/-R
    // work on it); a first key is added there. Usually <run directory>/known_hosts.
    void setKnownHostsFile(const QString &path) { knownHosts_ = path; }
    // Asked when the server's key is not in the file yet: "host:port" as given to connectToHost()
    // ("[host]:port" for an IPv6 address) and the key's fingerprint as "SHA256:…". True stores the
    // key and goes on; false refuses the connection. Unset: every unknown key is refused. A modal
    // box may be shown here: the link waits, its time-out starts again after the answer, and an
    // abort() meanwhile ends it quietly.
    void setTrustNewKey(std::function<bool(const QString &host, const QString &fingerprint)> trust) {
        trustNewKey_ = std::move(trust);
    }
    // The fingerprint of the key the server offered on the last connect (empty before that).
    QString serverFingerprint() const { return fingerprint_; }

    void connectToHost(const QString &host, quint16 port) override;
    bool write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void abort() override;
    bool isConnected() const override { return stage_ == Stage::Open; }
    bool logsIn() const override { return true; }

  private:
    enum class Stage { Idle, Tcp, Handshake, Auth, Channel, Pty, Shell, Open };
    enum class Auth { None, Password, KeyboardInteractive };

    void startSsh(int fd);
    void step();
    bool handshake();
    bool checkHostKey();
    bool authenticate();
    bool openShell();
    void transfer();
    void flush();
    void watch();
    void scheduleStep();
    // `refusal`: the server or the operator said no (see Transport::refused()).
    void fail(const QString &reason, bool refusal = false);
    void teardown();
    QString sshError() const;

    QString user_;
    QString password_;
    QString knownHosts_;
    std::function<bool(const QString &, const QString &)> trustNewKey_;
    QString host_;
    quint16 port_ = 0;
    QString target_;
    QString fingerprint_;

    Stage stage_ = Stage::Idle;
    Auth auth_ = Auth::None;
    int kbdintRounds_ = 0;
    quint64 attempt_ = 0; // abort() starts a new one: what runs for an old attempt stops
    QPointer<QTcpSocket> tcp_;
    ssh_session_struct *session_ = nullptr;
    ssh_channel_struct *channel_ = nullptr;
    QSocketNotifier *readable_ = nullptr;
    QSocketNotifier *writable_ = nullptr;
    QTimer timeout_;
    bool inStep_ = false;
    bool stepScheduled_ = false;
    struct Callbacks;
    std::unique_ptr<Callbacks> callbacks_;
    bool remoteEnded_ = false; // the OLT ended the shell (EOF or close)
    bool unannounced_ = false; // received_ grew since the last readyRead()
    QByteArray received_;
    QByteArray pending_;
};

} // namespace tw
