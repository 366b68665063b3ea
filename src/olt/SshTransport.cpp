#include "olt/SshTransport.h"

#include "olt/SshHostKeys.h"
#include "olt/TransportTexts.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QtDebug>

#include <libssh/callbacks.h>
#include <libssh/libssh.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace tw {

namespace {

// How much one turn of the event loop reads before it lets the rest of the program run.
constexpr qsizetype kReadPerTurn = 1024 * 1024;
// A server that keeps asking keyboard-interactive questions is not taking the password.
constexpr int kMaxKbdintRounds = 8;

} // namespace

struct SshTransport::Callbacks : ssh_channel_callbacks_struct {
    static int data(ssh_session, ssh_channel, void *data, uint32_t len, int, void *userdata) {
        auto *self = static_cast<SshTransport *>(userdata);
        self->received_.append(static_cast<const char *>(data), qsizetype(len));
        self->unannounced_ = true;
        return int(len);
    }
    static void ended(ssh_session, ssh_channel, void *userdata) {
        static_cast<SshTransport *>(userdata)->remoteEnded_ = true;
    }
    explicit Callbacks(SshTransport *self) : ssh_channel_callbacks_struct{} {
        userdata = self;
        channel_data_function = &Callbacks::data; // the shell's output and its error stream alike
        channel_eof_function = &Callbacks::ended;
        channel_close_function = &Callbacks::ended;
        ssh_callbacks_init(this);
    }
};

SshTransport::SshTransport(QObject *parent) : Transport(parent), callbacks_(std::make_unique<Callbacks>(this)) {
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] {
        if (stage_ != Stage::Idle && stage_ != Stage::Open) fail(transport::timedOut(target_));
    });
}

SshTransport::~SshTransport() {
    teardown();
}

void SshTransport::setCredentials(const QString &user, const QString &password) {
    user_ = user;
    password_ = password;
}

void SshTransport::connectToHost(const QString &host, quint16 port) {
    abort();
    host_ = host;
    port_ = port;
    target_ = transport::target(host, port);
    fingerprint_.clear();
    stage_ = Stage::Tcp;
    timeout_.start(connectTimeoutMs_);
    if (knownHosts_.isEmpty()) { // never fall back to a file of the user's own ssh
        QTimer::singleShot(0, this, [this, attempt = attempt_] {
            if (attempt == attempt_)
                fail(transport::knownHostsUnreadable({}, QStringLiteral("未指定")), true);
        });
        return;
    }
    // Qt looks the host up and connects without blocking; libssh takes the connected socket.
    auto *tcp = new QTcpSocket(this);
    tcp_ = tcp;
    connect(tcp, &QTcpSocket::connected, this, [this, tcp] {
        const int fd = ::fcntl(int(tcp->socketDescriptor()), F_DUPFD_CLOEXEC, 0);
        tcp_ = nullptr;
        tcp->disconnect(this);
        tcp->abort(); // closes Qt's descriptor before Qt reads anything from it
        tcp->deleteLater();
        if (fd < 0)
            fail(transport::cannotConnect(target_, QString::fromLocal8Bit(strerror(errno))));
        else
            startSsh(fd);
    });
    connect(tcp, &QTcpSocket::errorOccurred, this,
            [this, tcp] { fail(transport::cannotConnect(target_, tcp->errorString())); });
    tcp->connectToHost(host, port);
}

void SshTransport::startSsh(int fd) {
    session_ = ssh_new();
    if (!session_) {
        ::close(fd);
        fail(transport::sshFailed(target_, QStringLiteral("libssh")));
        return;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    // Typed lines and paging answers are small writes: they go out at once, not after Nagle's wait.
    const int noDelay = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    // Nothing of the user's own ssh configuration applies to the OLT's link.
    bool no = false;
    ssh_options_set(session_, SSH_OPTIONS_PROCESS_CONFIG, &no);
    ssh_options_set(session_, SSH_OPTIONS_HOST, host_.toUtf8().constData());
    unsigned int port = port_;
    ssh_options_set(session_, SSH_OPTIONS_PORT, &port);
    ssh_options_set(session_, SSH_OPTIONS_USER, user_.toUtf8().constData());
    const QByteArray knownHosts = QFile::encodeName(knownHosts_);
    ssh_options_set(session_, SSH_OPTIONS_KNOWNHOSTS, knownHosts.constData());
    ssh_options_set(session_, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, knownHosts.constData());
    socket_t socket = fd; // libssh owns it from here on
    ssh_options_set(session_, SSH_OPTIONS_FD, &socket);
    ssh_set_blocking(session_, 0);
    stage_ = Stage::Handshake;
    readable_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    writable_ = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    connect(readable_, &QSocketNotifier::activated, this, &SshTransport::step);
    connect(writable_, &QSocketNotifier::activated, this, &SshTransport::step);
    step();
}

bool SshTransport::write(const QByteArray &bytes) {
    if (stage_ != Stage::Open) return false;
    pending_ += bytes;
    scheduleStep();
    return true;
}

QByteArray SshTransport::readAll() {
    return std::exchange(received_, {});
}

void SshTransport::abort() {
    ++attempt_;
    teardown();
    received_.clear();
}

void SshTransport::scheduleStep() {
    if (std::exchange(stepScheduled_, true)) return;
    QTimer::singleShot(0, this, [this] {
        stepScheduled_ = false;
        step();
    });
}

// Runs libssh as far as it goes without waiting; each stage returns true when it is done and the
// next one can start at once.
void SshTransport::step() {
    if (inStep_ || !session_) return;
    inStep_ = true;
    const QPointer<SshTransport> self(this);
    const quint64 attempt = attempt_;
    bool more = true;
    while (more && self && attempt == attempt_) {
        switch (stage_) {
        case Stage::Handshake:
            more = handshake();
            break;
        case Stage::Auth:
            more = authenticate();
            break;
        case Stage::Channel:
        case Stage::Pty:
        case Stage::Shell:
            more = openShell();
            break;
        case Stage::Open:
            transfer();
            more = false;
            break;
        case Stage::Idle:
        case Stage::Tcp:
            more = false;
            break;
        }
    }
    if (!self) return;
    inStep_ = false;
    watch();
}

bool SshTransport::handshake() {
    const int rc = ssh_connect(session_);
    if (rc == SSH_AGAIN) return false;
    if (rc != SSH_OK) {
        fail(transport::sshFailed(target_, sshError()));
        return false;
    }
    if (!checkHostKey()) return false;
    stage_ = Stage::Auth;
    return true;
}

bool SshTransport::checkHostKey() {
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(session_, &key) != SSH_OK) {
        fail(transport::sshFailed(target_, sshError()));
        return false;
    }
    fingerprint_ = ssh::fingerprint(key);
    ssh_key_free(key);
    switch (ssh_session_is_known_server(session_)) {
    case SSH_KNOWN_HOSTS_OK:
        return true;
    case SSH_KNOWN_HOSTS_CHANGED:
    case SSH_KNOWN_HOSTS_OTHER: { // another key, or a key of another type, was stored for this host
        const QStringList stored = ssh::storedFingerprints(knownHosts_, host_, port_);
        fail(transport::hostKeyChanged(target_, stored.isEmpty() ? QStringLiteral("?") : stored.join(", "),
                                       fingerprint_),
             true);
        return false;
    }
    case SSH_KNOWN_HOSTS_UNKNOWN:
    case SSH_KNOWN_HOSTS_NOT_FOUND:
        break;
    case SSH_KNOWN_HOSTS_ERROR:
    default:
        fail(transport::knownHostsUnreadable(knownHosts_, sshError()), true);
        return false;
    }
    // The operator may take a while to answer: nothing of this link runs meanwhile, and the
    // time-out starts again afterwards.
    timeout_.stop();
    readable_->setEnabled(false);
    writable_->setEnabled(false);
    const QPointer<SshTransport> self(this);
    const quint64 attempt = attempt_;
    const bool trusted = trustNewKey_ && trustNewKey_(target_, fingerprint_);
    if (!self || attempt != attempt_) return false; // dropped while asking
    if (!trusted) {
        fail(transport::hostKeyRefused(target_, fingerprint_), true);
        return false;
    }
    if (!ssh::storeHostKey(knownHosts_, session_)) // asked again next time; no reason to stop now
        qWarning("cannot store the SSH host key in %s", qPrintable(knownHosts_));
    readable_->setEnabled(true);
    timeout_.start(connectTimeoutMs_);
    return true;
}

bool SshTransport::authenticate() {
    int rc = SSH_AUTH_ERROR;
    switch (auth_) {
    case Auth::None: {
        // "none" first: its refusal lists the methods the server takes.
        rc = ssh_userauth_none(session_, nullptr);
        if (rc == SSH_AUTH_AGAIN) return false;
        if (rc == SSH_AUTH_DENIED || rc == SSH_AUTH_PARTIAL) {
            const int methods = ssh_userauth_list(session_, nullptr);
            if (methods & SSH_AUTH_METHOD_PASSWORD)
                auth_ = Auth::Password;
            else if (methods & SSH_AUTH_METHOD_INTERACTIVE)
                auth_ = Auth::KeyboardInteractive;
            else {
                fail(transport::sshNoPasswordLogin(target_), true);
                return false;
            }
            return true;
        }
        break;
    }
    case Auth::Password:
        rc = ssh_userauth_password(session_, nullptr, password_.toUtf8().constData());
        break;
    case Auth::KeyboardInteractive:
        rc = ssh_userauth_kbdint(session_, nullptr, nullptr);
        if (rc == SSH_AUTH_INFO) {
            if (++kbdintRounds_ > kMaxKbdintRounds) {
                fail(transport::sshLoginRejected(target_), true);
                return false;
            }
            // Hidden prompts get the password; a prompt that echoes asks for the account.
            const int prompts = ssh_userauth_kbdint_getnprompts(session_);
            for (int i = 0; i < prompts; ++i) {
                char echo = 0;
                ssh_userauth_kbdint_getprompt(session_, unsigned(i), &echo);
                ssh_userauth_kbdint_setanswer(session_, unsigned(i),
                                              (echo ? user_ : password_).toUtf8().constData());
            }
            return true;
        }
        break;
    }
    switch (rc) {
    case SSH_AUTH_AGAIN:
        return false;
    case SSH_AUTH_SUCCESS:
        stage_ = Stage::Channel;
        return true;
    case SSH_AUTH_DENIED:
    case SSH_AUTH_PARTIAL:
        fail(transport::sshLoginRejected(target_), true);
        return false;
    default:
        fail(transport::sshFailed(target_, sshError()));
        return false;
    }
}

bool SshTransport::openShell() {
    int rc = SSH_ERROR;
    switch (stage_) {
    case Stage::Channel:
        if (!channel_) {
            channel_ = ssh_channel_new(session_);
            if (channel_) ssh_set_channel_callbacks(channel_, callbacks_.get());
        }
        rc = channel_ ? ssh_channel_open_session(channel_) : SSH_ERROR;
        if (rc == SSH_OK) stage_ = Stage::Pty;
        break;
    case Stage::Pty:
        rc = ssh_channel_request_pty_size(channel_, "vt100", PtyColumns, PtyRows);
        // An OLT that refuses the PTY may still give a shell.
        if (rc == SSH_OK || (rc == SSH_ERROR && ssh_is_connected(session_))) {
            rc = SSH_OK;
            stage_ = Stage::Shell;
        }
        break;
    case Stage::Shell:
        rc = ssh_channel_request_shell(channel_);
        if (rc == SSH_OK) {
            stage_ = Stage::Open;
            timeout_.stop();
            emit connected();
        }
        break;
    default:
        return false;
    }
    if (rc == SSH_AGAIN) return false;
    if (rc != SSH_OK) {
        fail(transport::sshNoShell(target_, sshError()));
        return false;
    }
    return true;
}

// Sends what waits, then takes what came. The channel's bytes reach received_ through the data
// callback, as libssh decodes each packet, whichever call made it read the socket (writing does
// too); so nothing waits in libssh's buffers without a socket event to fetch it.
void SshTransport::transfer() {
    flush();
    const qsizetype start = received_.size();
    for (;;) {
        const qsizetype before = received_.size();
        // Reads the socket once when something is there, and decodes what is complete.
        if (ssh_channel_poll(channel_, 0) == SSH_ERROR || received_.size() == before) break;
        if (received_.size() - start >= kReadPerTurn) {
            scheduleStep(); // the rest on the next turn of the event loop
            break;
        }
    }
    const bool ended = remoteEnded_ || ssh_channel_is_closed(channel_) || !ssh_is_connected(session_);
    const QPointer<SshTransport> self(this);
    const quint64 attempt = attempt_;
    if (std::exchange(unannounced_, false)) emit readyRead();
    if (!self || attempt != attempt_ || !ended) return;
    teardown(); // what was received stays readable
    emit disconnected();
}

void SshTransport::flush() {
    while (!pending_.isEmpty() && ssh_channel_is_open(channel_)) {
        const uint32_t window = ssh_channel_window_size(channel_);
        if (window == 0) break;
        const auto size = uint32_t(std::min<qint64>({pending_.size(), qint64(window), 32 * 1024}));
        const int n = ssh_channel_write(channel_, pending_.constData(), size);
        if (n <= 0) break;
        pending_.remove(0, n);
    }
}

// Which socket events libssh waits for now. A socket libssh closed is never watched again: its
// number may soon belong to another.
void SshTransport::watch() {
    if (!session_ || !readable_) return;
    if (ssh_get_fd(session_) == SSH_INVALID_SOCKET) {
        delete readable_;
        delete writable_;
        readable_ = writable_ = nullptr;
        if (stage_ == Stage::Open) {
            scheduleStep(); // transfer() sees the end
        } else {
            fail(transport::sshFailed(target_, sshError()));
        }
        return;
    }
    writable_->setEnabled(ssh_get_poll_flags(session_) & SSH_WRITE_PENDING);
}

void SshTransport::fail(const QString &reason, bool refusal) {
    if (stage_ == Stage::Idle) return;
    teardown();
    refused_ = refusal;
    emit failed(reason);
}

void SshTransport::teardown() {
    timeout_.stop();
    // The notifiers go before libssh closes their socket.
    delete readable_;
    delete writable_;
    readable_ = writable_ = nullptr;
    if (tcp_) {
        QTcpSocket *tcp = tcp_;
        tcp_ = nullptr;
        tcp->disconnect(this);
        tcp->abort();
        tcp->deleteLater();
    }
    if (channel_) {
        ssh_channel_free(channel_);
        channel_ = nullptr;
    }
    if (session_) {
        ssh_disconnect(session_);
        ssh_free(session_);
        session_ = nullptr;
    }
    stage_ = Stage::Idle;
    auth_ = Auth::None;
    remoteEnded_ = false;
    unannounced_ = false;
    kbdintRounds_ = 0;
    pending_.clear();
    inStep_ = false;
}

QString SshTransport::sshError() const {
    const QString text = session_ ? QString::fromUtf8(ssh_get_error(session_)) : QString();
    return text.isEmpty() ? QStringLiteral("连接已断开") : text;
}

} // namespace tw
