#include "provision/AutoRegisterWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtMath>

namespace tw {

AutoRegisterWindow::AutoRegisterWindow(const QString &period, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ONT自动注册中"));
    resize(423, 551);
    periodBox = new QLineEdit(period, this);
    periodBox->setMaximumWidth(60);
    testButton = new QPushButton(QStringLiteral("自动测试"), this);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("监控周期(分钟)："), this));
    row->addWidget(periodBox);
    row->addWidget(testButton);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addLayout(row);
    startTimer(80); // the animation
}

void AutoRegisterWindow::timerEvent(QTimerEvent *) {
    frame_ = (frame_ + 1) % 36;
    update();
}

void AutoRegisterWindow::paintEvent(QPaintEvent *) {
    // A turning ring of dots: the loop is alive.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0 - 40);
    for (int i = 0; i < 12; ++i) {
        const double angle = qDegreesToRadians(30.0 * i + 10.0 * frame_);
        const int shade = 60 + 16 * ((i + 12) % 12);
        p.setBrush(QColor(0x1F, 0x6F, 0xB2, qMin(255, shade)));
        p.setPen(Qt::NoPen);
        p.drawEllipse(centre + QPointF(90 * qCos(angle), 90 * qSin(angle)), 11, 11);
    }
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawText(QRectF(0, centre.y() - 12, width(), 24), Qt::AlignCenter, QStringLiteral("ONT自动注册中"));
}

} // namespace tw
