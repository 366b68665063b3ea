#include "app/AppIconPainter.h"

#include <QPainter>
#include <QPixmap>

namespace tw {

QIcon paintAppIcon() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1F, 0x6F, 0xB2));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(4, 4, 56, 56, 12, 12);
    p.setBrush(QColor(0xF5, 0xB8, 0x2E));
    p.drawEllipse(QPointF(32, 32), 9, 9);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(14, 18 + i * 14), QPointF(23, 32));
    p.drawLine(QPointF(41, 32), QPointF(52, 32));
    return QIcon(pm);
}

} // namespace tw
