#include "Server.h"

#include "Scenario.h"
#include "TftpClient.h"

#include "common/Gbk.h"

#include <QJsonDocument>

#include <algorithm>
#include <climits>

namespace tw::sim {

Connection::Connection(Link *link, Device &device, Faults &faults, SessionOptions options,
                       const QString &sshUser, QObject *parent)
    : QObject(parent), link_(link), faults_(faults), session_(device, faults, options) {
    link_->setParent(this);
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, [this] { enqueue(session_.idleExpired()); });
    connect(link_, &Link::received, this, &Connection::onReceived);
    connect(link_, &Link::written, this, &Connection::continueOutput);
    connect(link_, &Link::closed, this, &QObject::deleteLater);
    enqueue(sshUser.isEmpty() ? session_.start() : session_.startShell(sshUser));
    restartIdleTimer();
}

void Connection::drop() {
    dropped_ = true;
    queue_.clear();
    idle_.stop();
    link_->close();
}

void Connection::onReceived(const QByteArray &data) {
    if (dropped_) return;
    enqueue(session_.receive(data));
    startTransfer();
    restartIdleTimer();
}

void Connection::continueOutput() {
    // What the client has not read yet stays below this; a client that stops reading stops the output.
    constexpr qint64 kLowWater = 64 * 1024;
    if (dropped_ || waiting_ || !queue_.empty() || !session_.streaming() ||
        link_->bytesToWrite() > kLowWater)
        return;
    enqueue(session_.continueOutput());
    startTransfer();
}

void Connection::startTransfer() {
    const std::optional<TransferRequest> request = session_.takeTransfer();
    if (!request) return;
    // A child of the connection: a client that leaves takes its transfer with it.
    auto *client = new TftpClient(session_.options().tftp, this);
    client->start(*request, [this, client](const TransferResult &result) {
        client->deleteLater();
        if (dropped_) return;
        enqueue(session_.transferDone(result));
        startTransfer(); // the next command typed ahead may want one too
        restartIdleTimer();
    });
}

void Connection::restartIdleTimer() {
    // The longest time-out the CLI takes (35791 min 59 s) is just past what a timer holds.
    if (session_.idleSeconds() > 0 && !session_.closing())
        idle_.start(int(std::min<qint64>(qint64(session_.idleSeconds()) * 1000, INT_MAX)));
    else
        idle_.stop();
}

void Connection::enqueue(std::vector<Write> writes) {
    for (Write &w : writes) {
        if (faults_.splitPaging) {
            // Cut the paging prompt in two, so it arrives in two chunks.
            for (const QString &text : {QStringLiteral("---- More ( Press 'Q' to break ) ----"),
                                        QString::fromUtf8("---- 任意键继续显示 ( 'Q' 键退出 ) ----")}) {
                const QByteArray prompt = tw::toGbk(text);
                const qsizetype at = w.bytes.indexOf(prompt);
                if (at >= 0) {
                    const qsizetype cut = at + prompt.size() / 2;
                    queue_.push_back({w.bytes.left(cut), w.delayMs});
                    w = {w.bytes.mid(cut), 60};
                    break;
                }
            }
        }
        if (faults_.chunkBytes > 0) {
            for (qsizetype i = 0; i < w.bytes.size(); i += faults_.chunkBytes)
                queue_.push_back(
                    {w.bytes.mid(i, faults_.chunkBytes), i == 0 ? w.delayMs : faults_.chunkDelayMs});
        } else {
            queue_.push_back(std::move(w));
        }
    }
    pump();
}

void Connection::pump() {
    if (waiting_ || dropped_) return;
    while (!queue_.empty()) {
        Write &w = queue_.front();
        if (w.delayMs > 0) {
            waiting_ = true;
            QTimer::singleShot(w.delayMs, this, [this] {
                waiting_ = false;
                if (!queue_.empty()) queue_.front().delayMs = 0;
                pump();
            });
            return;
        }
        QByteArray bytes = std::move(w.bytes);
        queue_.pop_front();
        if (faults_.dropAfter >= 0) {
            if (bytes.size() >= faults_.dropAfter) {
                link_->write(bytes.left(faults_.dropAfter));
                faults_.dropAfter = -1;
                dropped_ = true;
                queue_.clear();
                link_->close();
                return;
            }
            faults_.dropAfter -= bytes.size();
        }
        link_->write(bytes);
    }
    if (session_.closing()) {
        idle_.stop();
        link_->close();
        if (session_.restarting() && !std::exchange(restartSignalled_, true)) emit deviceRestarting();
    }
}

OltServer::OltServer(Device &device, Faults &faults, SessionOptions options, QObject *parent)
    : QObject(parent), device_(device), faults_(faults), options_(options) {
    ontLoadTicker_.setInterval(200);
    connect(&ontLoadTicker_, &QTimer::timeout, this, [this] {
        if (device_.ontLoad.phase == OntLoad::Phase::Running)
            advanceOntLoad(device_, options_.clock ? options_.clock() : steadyMs());
    });
    ontLoadTicker_.start();
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server_.nextPendingConnection()) {
            auto *c = new Connection(new TcpLink(socket), device_, faults_, options_, {}, this);
            connect(c, &Connection::deviceRestarting, this, [this, c] { restart(c); });
        }
    });
}

bool OltServer::listen(const QHostAddress &address, quint16 port) {
    // Room for a burst of clients connecting at once while earlier ones are being served.
    server_.setListenBacklogSize(1024);
    if (!server_.listen(address, port)) return false;
    address_ = address;
    port_ = server_.serverPort();
    return true;
}

bool OltServer::listenSsh(const QHostAddress &address, quint16 port, const QString &keyFile,
                          const SshSettings &settings) {
    auto ssh = std::make_unique<SshListener>([this](const QString &user, const QString &password) {
        if (faults_.rejectLogins) return false;
        return std::any_of(device_.accounts.begin(), device_.accounts.end(),
                           [&](const Account &a) { return a.user == user && a.password == password; });
    });
    if (!ssh->setHostKey(keyFile)) {
        sshError_ = ssh->keyError();
        return false;
    }
    ssh->setSettings(settings);
    if (!ssh->listen(address, port)) {
        sshError_ = ssh->errorString();
        return false;
    }
    connect(ssh.get(), &SshListener::shellOpened, this, [this](SshLink *link) {
        auto *c = new Connection(link, device_, faults_, options_, link->user(), this);
        connect(c, &Connection::deviceRestarting, this, [this, c] { restart(c); });
    });
    ssh_ = std::move(ssh);
    sshAddress_ = address;
    sshPort_ = ssh_->serverPort();
    return true;
}

// The restart has changed the model already; here the device goes away for its boot time: every
// other session drops (telnet and SSH) and both ports refuse connections until it is back.
void OltServer::restart(Connection *from) {
    for (Connection *c : findChildren<Connection *>(Qt::FindDirectChildrenOnly))
        if (c != from) c->drop();
    server_.close();
    if (ssh_) {
        ssh_->close();
        ssh_->dropPending();
    }
    if (!device_.activating.isEmpty()) {
        replay_ = std::make_unique<ConfigurationReplay>(device_,
                                                        tw::fromGbk(std::exchange(device_.activating, {})));
        QTimer::singleShot(0, this, &OltServer::replayStep);
    }
    QTimer::singleShot(restartMs_, this, [this] { listenAgain(50); });
}

void OltServer::replayStep() {
    if (!replay_) return;
    if (!replay_->step(20)) {
        QTimer::singleShot(0, this, &OltServer::replayStep);
        return;
    }
    restartWith(device_, replay_->take().device);
    replay_.reset();
}

void OltServer::listenAgain(int triesLeft) {
    if (replay_) { // still booting with the new configuration
        QTimer::singleShot(100, this, [this, triesLeft] { listenAgain(triesLeft); });
        return;
    }
    bool up = server_.isListening() || server_.listen(address_, port_);
    if (ssh_ && !ssh_->isListening()) up = ssh_->listen(sshAddress_, sshPort_) && up;
    if (up || triesLeft <= 0) return;
    QTimer::singleShot(100, this, [this, triesLeft] { listenAgain(triesLeft - 1); });
}

namespace {

QString controlPlug(Device &d, const QStringList &w) {
    // plug <f/s/p> sn|mac <key> [loid L] [password P] [vendor V]
    if (w.size() < 4 || w.size() % 2 != 0)
        return "error usage: plug <f/s/p> sn|mac <key> [loid L] [password P] [vendor V]";
    auto at = PortRef::parse(w[1]);
    if (!at) return "error bad port " + w[1];
    AutofindEntry e;
    e.at = *at;
    e.time = d.now;
    if (w[2] == "sn") {
        e.pon = PonKind::Gpon;
        e.sn = normaliseSn(w[3]);
        if (e.sn.isEmpty()) return "error bad SN " + w[3];
        e.vendor = vendorForm(e.sn).section('-', 0, 0); // "HWTC" from 48575443...
    } else if (w[2] == "mac") {
        e.pon = PonKind::Epon;
        e.mac = normaliseMac(w[3]);
        if (e.mac.isEmpty()) return "error bad MAC " + w[3];
        e.vendor = "ZTEG";
        e.version = "V1.0";
        e.software = "V2.1.05";
        e.equipmentId = "F400";
    } else {
        return "error expected sn or mac, got " + w[2];
    }
    for (int i = 4; i + 1 < w.size(); i += 2) {
        if (w[i] == "loid")
            e.loid = w[i + 1];
        else if (w[i] == "password")
            e.password = w[i + 1];
        else if (w[i] == "vendor")
            e.vendor = w[i + 1];
        else
            return "error unknown option " + w[i];
    }
    const QString why = plugOnt(d, e);
    return why.isEmpty() ? "ok" : "error " + why;
}

QString controlOptics(Device &d, const QStringList &w) {
    // optics <sn|mac> [rx <dBm>] [tx <dBm>], at least one of them
    const QString usage = "error usage: optics <sn|mac> [rx <dBm>] [tx <dBm>]";
    if (w.size() < 4 || w.size() % 2 != 0) return usage;
    std::optional<double> rx, tx;
    for (int i = 2; i + 1 < w.size(); i += 2) {
        bool ok = false;
        const double v = w[i + 1].toDouble(&ok);
        if (!ok) return "error bad level " + w[i + 1];
        if (w[i] == "rx" && !rx)
            rx = v;
        else if (w[i] == "tx" && !tx)
            tx = v;
        else
            return usage;
    }
    const QString why = setOntOptics(d, w[1], rx, tx);
    return why.isEmpty() ? "ok" : "error " + why;
}

// The alarms "fault alarm" raises, in turn: an ONT that receives too little light, then a hot board.
Alarm nextAlarm(const Device &d) {
    const int n = d.alarmSerial + 1;
    if (n % 2 == 1 && !d.onts.empty()) {
        const Ont &o = d.onts[size_t(n / 2) % d.onts.size()];
        return {d.now, "MAJOR", "The received optical power of the ONT is abnormal",
                QStringLiteral("FrameID: %1, SlotID: %2, PortID: %3, ONT ID: %4")
                    .arg(o.at.frame)
                    .arg(o.at.slot)
                    .arg(o.at.port)
                    .arg(o.id)};
    }
    std::vector<int> present;
    for (const Board &b : d.boards)
        if (b.present()) present.push_back(b.slot);
    const int slot = present.empty() ? 0 : present[size_t(n / 2) % present.size()];
    return {d.now, "MINOR", "The board temperature exceeds the alarm threshold",
            QStringLiteral("FrameID: %1, SlotID: %2").arg(d.frame).arg(slot)};
}

QString controlFault(Device &d, Faults &f, const QStringList &w) {
    const QString what = w.value(1);
    bool ok = true;
    if (what == "chunk" && (w.size() == 3 || w.size() == 4)) {
        const int bytes = w[2].toInt(&ok);
        const int delay = w.size() == 4 ? w[3].toInt(&ok) : 0;
        if (!ok || bytes < 1 || delay < 0 || delay > 10000)
            return "error usage: fault chunk <bytes> [delay-ms]";
        f.chunkBytes = bytes;
        f.chunkDelayMs = delay;
    } else if (what == "split-paging" && w.size() == 2) {
        f.splitPaging = true;
    } else if (what == "drop-after" && w.size() == 3) {
        const qint64 bytes = w[2].toLongLong(&ok);
        if (!ok || bytes < 0) return "error usage: fault drop-after <bytes>";
        f.dropAfter = bytes;
    } else if (what == "alarm" && w.size() == 2) {
        // Raised now, and its notice goes into the middle of the next output.
        raiseAlarm(d, nextAlarm(d));
        f.alarmPending = true;
    } else if (what == "reject-logins" && w.size() <= 3) {
        f.rejectLogins = w.value(2, "on") == "on";
    } else if (what == "off" && w.size() == 2) {
        f = Faults{};
    } else {
        return "error usage: fault chunk <bytes> [delay-ms] | split-paging | drop-after <bytes> | alarm | "
               "reject-logins [on|off] | off";
    }
    return "ok";
}

} // namespace

QString runControlCommand(Device &d, Faults &f, const QString &line) {
    const QStringList w = line.simplified().split(' ', Qt::SkipEmptyParts);
    if (w.isEmpty()) return "error empty command";
    const QString cmd = w[0];
    if (cmd == "plug") return controlPlug(d, w);
    if (cmd == "unplug") {
        if (w.size() != 2) return "error usage: unplug <key>";
        const QString why = unplugOnt(d, w[1]);
        return why.isEmpty() ? "ok" : "error " + why;
    }
    if (cmd == "move") {
        if (w.size() != 3) return "error usage: move <key> <f/s/p>";
        auto to = PortRef::parse(w[2]);
        if (!to) return "error bad port " + w[2];
        const QString why = moveOnt(d, w[1], *to);
        return why.isEmpty() ? "ok" : "error " + why;
    }
    if (cmd == "optics") return controlOptics(d, w);
    if (cmd == "dump")
        return w.size() == 1 ? QString::fromUtf8(QJsonDocument(dumpDevice(d)).toJson(QJsonDocument::Compact))
                             : "error usage: dump";
    if (cmd == "fault") return controlFault(d, f, w);
    return "error unknown command " + cmd;
}

ControlServer::ControlServer(Device &device, Faults &faults, QObject *parent)
    : QObject(parent), device_(device), faults_(faults) {
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                while (socket->canReadLine()) {
                    const QString line = QString::fromUtf8(socket->readLine()).trimmed();
                    socket->write(runControlCommand(device_, faults_, line).toUtf8() + "\n");
                }
                if (socket->bytesAvailable() > 65536) { // no line end in sight: refuse, do not grow
                    socket->readAll();
                    socket->write("error line too long\n");
                }
            });
        }
    });
}

bool ControlServer::listen(const QHostAddress &address, quint16 port) {
    return server_.listen(address, port);
}

} // namespace tw::sim
