#pragma once
// The SSH side of the simulator, on libssh's server API: a listener whose clients authenticate
// with the device's accounts (password or keyboard-interactive), ask for a PTY and a shell, and
// then drive the same CLI session a telnet client does. Everything runs on the Qt event loop:
// libssh is non-blocking and polled when a client's socket has something for it.

#include "Link.h"

#include <QHash>
#include <QTcpServer>
#include <QTimer>

#include <functional>
#include <memory>

struct ssh_session_struct;
struct ssh_channel_struct;
struct ssh_event_struct;
struct ssh_bind_struct;

class QSocketNotifier;

namespace tw::sim {

struct SshSettings {
    enum class Auth { Both, Password, KeyboardInteractive };
    Auth auth = Auth::Both;
    // Like real devices: a second SSH session of an account that has one is turned away.
    bool oneSession = false;
};

using PasswordCheck = std::function<bool(const QString &user, const QString &password)>;

// One SSH client, from the key exchange to the end of its shell.
class SshLink : public Link {
    Q_OBJECT
  public:
    // Takes the socket `fd` (and closes it in the end).
    SshLink(ssh_bind_struct *bind, qintptr fd, const SshSettings &settings, PasswordCheck check,
            QObject *parent = nullptr);
    ~SshLink() override;

    void write(const QByteArray &bytes) override;
    qint64 bytesToWrite() const override { return pending_.size(); }
    void close() override;
    // The account the client logged in with.
    const QString &user() const { return user_; }

  signals:
    // Authenticated, and the shell channel is open: the CLI session may start.
    void shellStarted();

  private:
    struct Callbacks;
    friend struct Callbacks;

    void step();
    // After libssh ran: hand over what came in, send what waits, notice the end.
    void settle();
    void flush();
    void finish();
    void watch();
    void scheduleFlush();

    ssh_session_struct *session_ = nullptr;
    ssh_event_struct *event_ = nullptr;
    ssh_channel_struct *channel_ = nullptr;
    std::unique_ptr<Callbacks> callbacks_;
    SshSettings settings_;
    PasswordCheck check_;
    QString user_;
    QSocketNotifier *readable_ = nullptr;
    QSocketNotifier *writable_ = nullptr;
    bool keyExchanged_ = false;
    bool shellRequested_ = false;
    bool shellSignalled_ = false;
    bool closing_ = false;
    bool channelClosed_ = false; // we sent the channel's end
    bool clientLeft_ = false;    // the client ended its channel
    bool finished_ = false;
    bool inStep_ = false;
    bool flushScheduled_ = false;
    QByteArray inbound_;
    QByteArray pending_;
    QTimer linger_; // how long a closing link waits for its output and the client's goodbye
    QTimer handshake_; // a client must be logged in by then
};

class SshListener : public QTcpServer {
    Q_OBJECT
  public:
    SshListener(PasswordCheck check, QObject *parent = nullptr);
    ~SshListener() override;

    // The host key: read from `keyFile`, or made and stored there when the file does not exist;
    // with no file, a fresh key for this run. False (see keyError()) when it cannot be had.
    bool setHostKey(const QString &keyFile);
    QString keyError() const { return keyError_; }
    // The key's SHA256 fingerprint as OpenSSH prints it.
    QString fingerprint() const { return fingerprint_; }
    void setSettings(const SshSettings &settings) { settings_ = settings; }
    // Ends every client that has not reached its shell yet (the others belong to their sessions).
    void dropPending();

  signals:
    // A client reached its shell; the receiver takes the link (reparents it).
    void shellOpened(tw::sim::SshLink *link);

  protected:
    void incomingConnection(qintptr fd) override;

  private:
    void opened(SshLink *link);

    PasswordCheck check_;
    SshSettings settings_;
    ssh_bind_struct *bind_ = nullptr;
    QString keyError_;
    QString fingerprint_;
    QHash<QString, int> shells_; // open shells per account
};

} // namespace tw::sim
