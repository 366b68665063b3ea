#include "app/StatusBarUi.h"

#include "common/ActivityLog.h"
#include "session/OltSession.h"
#include "widgets/ReceivingIndicatorWidget.h"

#include <QLabel>
#include <QStatusBar>

namespace tw {

StatusBarUi::StatusBarUi(QStatusBar *bar, OltSession &session) : QObject(bar), session_(session) {
    connectionLabel = new QLabel(linkStateText(LinkState::Disconnected), bar);
    connectionLabel->setObjectName(QStringLiteral("ConnectionState"));
    oltLabel = new QLabel(bar);
    eventLabel = new QLabel(bar);
    eventLabel->setObjectName(QStringLiteral("LastEvent"));
    bar->addWidget(connectionLabel, 1);
    bar->addWidget(oltLabel, 1);
    bar->addWidget(eventLabel, 3);
    receivingIndicator = new ReceivingIndicatorWidget(bar);
    bar->addPermanentWidget(receivingIndicator);

    session.view.setReceiving([this](qsizetype lines, qsizetype onts) {
        // A new listing makes the last one's "查询完成" stale: it is not shown beside it.
        if (lines >= 0 && receivingIndicator->isHidden()) setLastEvent({});
        receivingIndicator->showProgress(lines, onts);
    });
    connect(&session.connection, &OltConnection::stateChanged, this,
            [this](LinkState state) { showLinkState(state, session_.where()); });
    connect(&session, &OltSession::connectionChanged, this, [this](bool up, const QString &where) {
        // After the report, not over it: what a drop cut off is reported just before the drop
        // itself, and the reconnect follows at once.
        const QString event = session_.log.timeStamp() +
                              (up ? QStringLiteral(" 已连接到 ") : QStringLiteral(" 与OLT的连接已断开 ")) +
                              where;
        eventLabel->setText(lastReport_.isEmpty() ? event : lastReport_ + QStringLiteral("；") + event);
    });
}

void StatusBarUi::showLinkState(LinkState state, const QString &where) {
    const QString text = linkStateText(state);
    connectionLabel->setText(state == LinkState::Connected ? text + u' ' + where : text);
}

void StatusBarUi::setOltLabel(const QString &label) {
    oltLabel->setText(QStringLiteral("标识：") + label);
}

void StatusBarUi::setLastEvent(const QString &event) {
    lastReport_ = event;
    eventLabel->setText(event);
}

} // namespace tw
