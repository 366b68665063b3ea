#include "admin/TftpServerUi.h"

#include "common/InputCheck.h"
#include "common/Operator.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QNetworkInterface>
#include <QStatusBar>

namespace tw {

TftpServerUi::TftpServerUi(QMenu *tools, QStatusBar *bar, const QString &root, Operator &op, QObject *parent)
    : QObject(parent), server(root), op_(op) {
    action = tools->addAction(QStringLiteral("TFTP服务器"));
    action->setCheckable(true);
    statusLabel = new QLabel(bar);
    statusLabel->setObjectName(QStringLiteral("TftpStatus"));
    statusLabel->hide();
    bar->addPermanentWidget(statusLabel);
    connect(action, &QAction::triggered, this, [this](bool on) { setRunning(on); });
    connect(&server, &TftpServer::transferFinished, this, [this](const TftpReport &r) {
        if (report) report(tftpReportText(r));
    });
}

bool TftpServerUi::setRunning(bool on) {
    if (!on) {
        server.stop();
        statusLabel->hide();
        action->setChecked(false);
        return true;
    }
    if (!server.start(port_)) {
        action->setChecked(false);
        statusLabel->hide();
        op_.notice(tftpStartProblem(server.startError(), server.startErrorString(), port_,
                                    QCoreApplication::applicationFilePath(), server.root()),
                   ErrorBoxTitle, BoxIcon::Error);
        return false;
    }
    action->setChecked(true);
    showRunning();
    return true;
}

void TftpServerUi::showRunning() {
    statusLabel->setText(tftpListeningText(server.address(), server.port()));
    statusLabel->setToolTip(QStringLiteral("TFTP服务器根目录：") + server.root());
    statusLabel->show();
}

QString tftpListeningText(const QHostAddress &bound, quint16 port) {
    QStringList where;
    if (bound.isNull() || bound == QHostAddress::Any || bound == QHostAddress::AnyIPv4 ||
        bound == QHostAddress::AnyIPv6) {
        // Every interface: the OLT reaches one of the outward IPv4 addresses.
        for (const QHostAddress &a : QNetworkInterface::allAddresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
                where << a.toString() + u':' + QString::number(port);
        if (where.isEmpty()) where << QStringLiteral("0.0.0.0:") + QString::number(port);
    } else {
        where << bound.toString() + u':' + QString::number(port);
    }
    return QStringLiteral("TFTP服务器：") + where.join(QStringLiteral("  "));
}

QString tftpReportText(const TftpReport &r) {
    const QString peer = r.peer.toString();
    if (r.ok)
        return r.upload ? QStringLiteral("TFTP：已从 %1 收到 %2（%3 字节）").arg(peer, r.file).arg(r.bytes)
                        : QStringLiteral("TFTP：已向 %1 发送 %2（%3 字节）").arg(peer, r.file).arg(r.bytes);
    return (r.upload ? QStringLiteral("TFTP：从 %1 接收 %2 失败：%3")
                     : QStringLiteral("TFTP：向 %1 发送 %2 失败：%3"))
        .arg(peer, r.file, r.error);
}

} // namespace tw
