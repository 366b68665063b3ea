#include "SshServer.h"

#include <QFile>
#include <QSocketNotifier>

#include <libssh/callbacks.h>
#include <libssh/libssh.h>
#include <libssh/server.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace tw::sim {

namespace {

// What a second session of an account hears before the device closes it.
const char *const kSessionLimit =
    "\r\n  The number of SSH sessions of this user has reached the limit, please try again later.\r\n";

// A client that has not reached its shell by then is dropped, as an unfinished login would be.
constexpr int kHandshakeMs = 30000;
// A closing link waits this long for its output to go out and for the client to leave.
constexpr int kLingerMs = 2000;

} // namespace

// The libssh callback tables of one link; libssh keeps pointers to them.
struct SshLink::Callbacks {
    ssh_server_callbacks_struct server{};
    ssh_channel_callbacks_struct channel{};
    QString kbdintUser; // the account a keyboard-interactive exchange is for

    static SshLink *self(void *userdata) { return static_cast<SshLink *>(userdata); }

    static int password(ssh_session, const char *user, const char *password, void *userdata) {
        SshLink *link = self(userdata);
        if (link->settings_.auth == SshSettings::Auth::KeyboardInteractive) return SSH_AUTH_DENIED;
        const QString name = QString::fromUtf8(user);
        if (!link->check_(name, QString::fromUtf8(password))) return SSH_AUTH_DENIED;
        link->user_ = name;
        return SSH_AUTH_SUCCESS;
    }

    // Keyboard-interactive: one prompt for the password. Every other message gets libssh's
    // default answer (a service is granted, anything else refused).
    static int message(ssh_session session, ssh_message msg, void *userdata) {
        SshLink *link = self(userdata);
        if (ssh_message_type(msg) != SSH_REQUEST_AUTH ||
            ssh_message_subtype(msg) != SSH_AUTH_METHOD_INTERACTIVE ||
            link->settings_.auth == SshSettings::Auth::Password)
            return 1;
        Callbacks &cb = *link->callbacks_;
        if (!ssh_message_auth_kbdint_is_response(msg)) {
            cb.kbdintUser = QString::fromUtf8(ssh_message_auth_user(msg));
            const char *prompts[] = {"Password: "};
            char echo[] = {0};
            ssh_message_auth_interactive_request(msg, "", "", 1, prompts, echo);
            return 0;
        }
        const char *answer =
            ssh_userauth_kbdint_getnanswers(session) == 1 ? ssh_userauth_kbdint_getanswer(session, 0) : nullptr;
        if (!answer || !link->check_(cb.kbdintUser, QString::fromUtf8(answer))) return 1;
        link->user_ = cb.kbdintUser;
        ssh_message_auth_reply_success(msg, 0);
        return 0;
    }

    static ssh_channel channelOpen(ssh_session session, void *userdata) {
        SshLink *link = self(userdata);
        if (link->channel_ || link->user_.isEmpty()) return nullptr; // one shell per client
        link->channel_ = ssh_channel_new(session);
        if (!link->channel_) return nullptr;
        ssh_set_channel_callbacks(link->channel_, &link->callbacks_->channel);
        return link->channel_;
    }

    static int pty(ssh_session, ssh_channel, const char *, int, int, int, int, void *) { return SSH_OK; }
    static int windowChange(ssh_session, ssh_channel, int, int, int, int, void *) { return SSH_OK; }

    static int shell(ssh_session, ssh_channel, void *userdata) {
        SshLink *link = self(userdata);
        if (link->shellRequested_) return SSH_ERROR;
        link->shellRequested_ = true;
        return SSH_OK;
    }

    // Only buffered here: the session runs after libssh has returned.
    static int data(ssh_session, ssh_channel, void *data, uint32_t len, int, void *userdata) {
        self(userdata)->inbound_.append(static_cast<const char *>(data), qsizetype(len));
        return int(len);
    }

    static void eof(ssh_session, ssh_channel, void *userdata) { self(userdata)->clientLeft_ = true; }
    static void close(ssh_session, ssh_channel, void *userdata) { self(userdata)->clientLeft_ = true; }

    explicit Callbacks(SshLink *link) {
        server.userdata = link;
        server.auth_password_function = &Callbacks::password;
        server.channel_open_request_session_function = &Callbacks::channelOpen;
        ssh_callbacks_init(&server);
        channel.userdata = link;
        channel.channel_data_function = &Callbacks::data;
        channel.channel_eof_function = &Callbacks::eof;
        channel.channel_close_function = &Callbacks::close;
        channel.channel_pty_request_function = &Callbacks::pty;
        channel.channel_pty_window_change_function = &Callbacks::windowChange;
        channel.channel_shell_request_function = &Callbacks::shell;
        ssh_callbacks_init(&channel);
    }
};

SshLink::SshLink(ssh_bind_struct *bind, qintptr fd, const SshSettings &settings, PasswordCheck check,
                 QObject *parent)
    : Link(parent), callbacks_(std::make_unique<Callbacks>(this)), settings_(settings),
      check_(std::move(check)) {
    linger_.setSingleShot(true);
    connect(&linger_, &QTimer::timeout, this, [this] { finish(); });
    handshake_.setSingleShot(true);
    connect(&handshake_, &QTimer::timeout, this, [this] {
        if (!shellSignalled_) finish();
    });
    handshake_.start(kHandshakeMs);

    ::fcntl(int(fd), F_SETFL, ::fcntl(int(fd), F_GETFL) | O_NONBLOCK);
    const int noDelay = 1; // a CLI writes small pieces (echo, prompts): no Nagle wait for them
    ::setsockopt(int(fd), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    session_ = ssh_new();
    if (!session_ || ssh_bind_accept_fd(bind, session_, socket_t(fd)) != SSH_OK) {
        if (!session_ || ssh_get_fd(session_) != socket_t(fd)) ::close(int(fd));
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    ssh_set_blocking(session_, 0);
    int methods = 0;
    if (settings_.auth != SshSettings::Auth::KeyboardInteractive) methods |= SSH_AUTH_METHOD_PASSWORD;
    if (settings_.auth != SshSettings::Auth::Password) methods |= SSH_AUTH_METHOD_INTERACTIVE;
    ssh_set_auth_methods(session_, methods);
    ssh_set_server_callbacks(session_, &callbacks_->server);
    ssh_set_message_callback(session_, &Callbacks::message, this);
    event_ = ssh_event_new();

    readable_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    writable_ = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    writable_->setEnabled(false);
    connect(readable_, &QSocketNotifier::activated, this, &SshLink::step);
    connect(writable_, &QSocketNotifier::activated, this, &SshLink::step);
    QTimer::singleShot(0, this, &SshLink::step); // our version line and key exchange offer
}

SshLink::~SshLink() {
    // The notifiers go before libssh closes their socket.
    delete readable_;
    delete writable_;
    if (event_) {
        if (keyExchanged_) ssh_event_remove_session(event_, session_);
        ssh_event_free(event_);
    }
    if (channel_) ssh_channel_free(channel_);
    if (session_) {
        ssh_disconnect(session_);
        ssh_free(session_);
    }
}

void SshLink::write(const QByteArray &bytes) {
    if (finished_ || closing_) return;
    pending_ += bytes;
    scheduleFlush();
}

void SshLink::close() {
    if (finished_ || closing_) return;
    closing_ = true;
    linger_.start(kLingerMs);
    scheduleFlush();
}

void SshLink::scheduleFlush() {
    if (std::exchange(flushScheduled_, true)) return;
    QTimer::singleShot(0, this, [this] {
        flushScheduled_ = false;
        settle();
    });
}

void SshLink::step() {
    if (finished_ || inStep_) return;
    inStep_ = true;
    if (!keyExchanged_) {
        const int rc = ssh_handle_key_exchange(session_);
        if (rc == SSH_OK) {
            keyExchanged_ = true;
            ssh_event_add_session(event_, session_);
        } else if (rc != SSH_AGAIN) {
            inStep_ = false;
            finish();
            return;
        }
    }
    if (keyExchanged_) ssh_event_dopoll(event_, 0);
    inStep_ = false;
    settle();
}

void SshLink::settle() {
    if (finished_ || inStep_) return;
    if (shellRequested_ && !shellSignalled_) {
        shellSignalled_ = true;
        handshake_.stop();
        emit shellStarted();
    }
    if (!inbound_.isEmpty()) {
        const QByteArray bytes = std::exchange(inbound_, {});
        if (!closing_) emit received(bytes);
    }
    flush();
    const bool gone = !ssh_is_connected(session_) || (ssh_get_status(session_) & (SSH_CLOSED | SSH_CLOSED_ERROR));
    if (gone || clientLeft_) {
        finish();
        return;
    }
    const bool outputPending = !pending_.isEmpty() || (ssh_get_poll_flags(session_) & SSH_WRITE_PENDING);
    if (closing_ && !outputPending && !channelClosed_) {
        // Everything went out: the end of the channel, then the client leaves (or the linger ends).
        channelClosed_ = true;
        if (channel_) {
            ssh_channel_request_send_exit_status(channel_, 0);
            ssh_channel_close(channel_);
        } else {
            finish();
            return;
        }
    }
    // Writing can make libssh decode input too: it is taken on the next turn.
    if (!inbound_.isEmpty() || (shellRequested_ && !shellSignalled_)) scheduleFlush();
    watch();
}

void SshLink::flush() {
    bool progressed = false;
    while (!pending_.isEmpty() && channel_ && !channelClosed_ && ssh_channel_is_open(channel_)) {
        const uint32_t window = ssh_channel_window_size(channel_);
        if (window == 0) break;
        const auto size = uint32_t(std::min<qint64>({pending_.size(), qint64(window), 64 * 1024}));
        const int n = ssh_channel_write(channel_, pending_.constData(), size);
        if (n <= 0) break;
        pending_.remove(0, n);
        progressed = true;
    }
    if (progressed && !closing_) emit written();
}

void SshLink::watch() {
    if (finished_ || !readable_) return;
    if (ssh_get_fd(session_) == SSH_INVALID_SOCKET) { // libssh closed it: stop watching at once
        delete readable_;
        delete writable_;
        readable_ = writable_ = nullptr;
        finish();
        return;
    }
    writable_->setEnabled(ssh_get_poll_flags(session_) & SSH_WRITE_PENDING);
}

void SshLink::finish() {
    if (std::exchange(finished_, true)) return;
    linger_.stop();
    handshake_.stop();
    if (readable_) readable_->setEnabled(false);
    if (writable_) writable_->setEnabled(false);
    emit closed();
}

SshListener::SshListener(PasswordCheck check, QObject *parent)
    : QTcpServer(parent), check_(std::move(check)), bind_(ssh_bind_new()) {
    // The simulator's behaviour is its own, not that of the machine's SSH server configuration.
    bool processConfig = false;
    ssh_bind_options_set(bind_, SSH_BIND_OPTIONS_PROCESS_CONFIG, &processConfig);
    setListenBacklogSize(256);
}

SshListener::~SshListener() {
    // Links still logging in use the bind's keys: they go first.
    qDeleteAll(findChildren<SshLink *>(Qt::FindDirectChildrenOnly));
    ssh_bind_free(bind_);
}

bool SshListener::setHostKey(const QString &keyFile) {
    ssh_key key = nullptr;
    const QByteArray path = QFile::encodeName(keyFile);
    if (!keyFile.isEmpty() && QFile::exists(keyFile)) {
        if (ssh_pki_import_privkey_file(path.constData(), nullptr, nullptr, nullptr, &key) != SSH_OK) {
            keyError_ = QStringLiteral("cannot read the SSH host key %1").arg(keyFile);
            return false;
        }
    } else {
        if (ssh_pki_generate(SSH_KEYTYPE_ED25519, 0, &key) != SSH_OK) {
            keyError_ = QStringLiteral("cannot make an SSH host key");
            return false;
        }
        if (!keyFile.isEmpty()) {
            if (ssh_pki_export_privkey_file(key, nullptr, nullptr, nullptr, path.constData()) != SSH_OK) {
                ssh_key_free(key);
                keyError_ = QStringLiteral("cannot write the SSH host key %1").arg(keyFile);
                return false;
            }
            QFile::setPermissions(keyFile, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    unsigned char *hash = nullptr;
    size_t length = 0;
    if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) == SSH_OK) {
        char *text = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
        fingerprint_ = QString::fromLatin1(text);
        ssh_string_free_char(text);
        ssh_clean_pubkey_hash(&hash);
    }
    // The bind owns the key from here on.
    if (ssh_bind_options_set(bind_, SSH_BIND_OPTIONS_IMPORT_KEY, key) != SSH_OK) {
        ssh_key_free(key);
        keyError_ = QStringLiteral("libssh refused the SSH host key");
        return false;
    }
    keyError_.clear();
    return true;
}

void SshListener::incomingConnection(qintptr fd) {
    auto *link = new SshLink(bind_, fd, settings_, check_, this);
    connect(link, &Link::closed, link, &QObject::deleteLater);
    connect(link, &SshLink::shellStarted, this, [this, link] { opened(link); });
}

void SshListener::opened(SshLink *link) {
    const QString user = link->user();
    if (settings_.oneSession && shells_.value(user) > 0) {
        link->write(kSessionLimit);
        link->close();
        return;
    }
    ++shells_[user];
    connect(link, &QObject::destroyed, this, [this, user] {
        if (--shells_[user] <= 0) shells_.remove(user);
    });
    disconnect(link, &Link::closed, link, &QObject::deleteLater); // its session's connection ends it now
    emit shellOpened(link);
}

void SshListener::dropPending() {
    for (SshLink *link : findChildren<SshLink *>(Qt::FindDirectChildrenOnly))
        link->close();
}

} // namespace tw::sim
