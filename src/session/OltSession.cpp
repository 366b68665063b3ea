#include "session/OltSession.h"

#include "common/ActivityLog.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "olt/OltLink.h"
#include "response/AutoRegistrar.h"

#include <utility>

namespace tw {

OltSession::OltSession(SettingsStore &settings_, ActivityLog &log_, Operator &op_, QObject *parent)
    : QObject(parent), settings(settings_), log(log_), op(op_), connection(settings_, op_) {
    sink_.target = &connection;
    connectOlt = [this] { connection.connectToOlt(); };
    router_ = std::make_unique<ResponseRouter>(view, view, replies, shared, settings);
    registrar_ = std::make_unique<AutoRegistrar>(sink_, settings, log);
    registrar_->report = [this](const QString &message) { tell(message); };
    context_.reset(new PageContext{op, sink_, log, settings, shared,
                                   [this] {
                                       if (clearConsole) clearConsole();
                                   },
                                   [this](const QString &message) { tell(message); }});
    context_->view = &view;

    connect(&connection, &OltConnection::chunkReceived, this, &OltSession::receive);
    connect(&connection, &OltConnection::outputBroken, this, [this] { router_->outputBroken(); });
    connect(&connection, &OltConnection::connectedChanged, this, [this](bool up) {
        if (up) {
            router_->newSession();
            sink_.held.clear();
        } else {
            view.receiving(-1, -1); // what was arriving will not complete
        }
        emit connectionChanged(up, where());
    });
    connect(&connection, &OltConnection::configurationRestored, this,
            [this](const QString &note) { view.appendConsole(note); });
    connect(&connection, &OltConnection::loginAnswered, this, [this] {
        if (!tickResend_.isEmpty()) sink_.send(std::exchange(tickResend_, QString()));
        // What a dropped connection cut off is finished now that the CLI is back.
        registrar_->resume();
    });

    replies.report = [this](const QString &message) { tell(message); };
    replies.autoRegister = [this](const QString &text) { registrar_->discovered(text); };
    replies.onAddReply = [this](const QString &text) {
        AddReplyFields fields = addReplyFields ? addReplyFields() : AddReplyFields{};
        fields.gpon = shared.ponKindFlag == 1;
        handleAddReply(text, settings, sink_, log, fields,
                       [this](const QString &key) { return registrar_->owns(key); });
    };

    autoRegisterTimer.setObjectName(QStringLiteral("AutoRegisterTimer"));
    connect(&autoRegisterTimer, &QTimer::timeout, this, &OltSession::autoRegisterTick);
}

OltSession::~OltSession() = default;

QString OltSession::where() const {
    return settings.read(settings::OltAddress) + QLatin1Char(':') +
           settings.read(portSetting(oltLink(settings).protocol));
}

bool OltSession::sendHelp(const QString &partial) {
    return sink_.target->send(sink_.held.help(partial));
}

void OltSession::setAutoRegisterInterval(int ms) {
    // Interval 0 means stopped: a running zero-interval timer would fire without pause.
    if (ms > 0) {
        autoRegisterTimer.start(ms);
    } else {
        autoRegisterTimer.stop();
        autoRegisterTimer.setInterval(0);
    }
}

void OltSession::autoRegisterTick() {
    const QString text = QStringLiteral("display ont autofind all\r\n");
    if (sink_.send(text)) return;
    // One connect and one resend; a resend still waiting from an earlier tick is the same query.
    tickResend_ = text;
    connectOlt();
}

void OltSession::tell(const QString &message) const {
    if (report) report(message);
}

} // namespace tw
