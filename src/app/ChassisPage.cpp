#include "app/ChassisPage.h"

#include <QPainter>
#include <QResizeEvent>

namespace tw {

namespace {

QColor qt(const Rgb &c) {
    return QColor(c.r, c.g, c.b);
}

class Surface : public QWidget {
  public:
    using QWidget::QWidget;
    QString reply;
    bool drawn = false;

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xF4, 0xF6, 0xF8));
        if (!drawn) {
            p.setPen(QColor(0x70, 0x78, 0x80));
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("点击工具栏“单板信息”显示机框"));
            return;
        }
        QPen pen(Qt::black);
        QColor textColor(Qt::black);
        for (const DrawOp &op : chassisDrawing(reply, width(), height())) {
            switch (op.kind) {
            case DrawOp::Clear:
                p.fillRect(rect(), QColor(0xF4, 0xF6, 0xF8));
                break;
            case DrawOp::PenStyle:
                pen.setStyle(static_cast<Qt::PenStyle>(op.value));
                break;
            case DrawOp::PenWidth:
                pen.setWidth(op.value);
                break;
            case DrawOp::PenColor:
                pen.setColor(qt(op.color));
                break;
            case DrawOp::BrushColor:
                p.setBrush(qt(op.color));
                break;
            case DrawOp::TextColor:
                textColor = qt(op.color);
                break;
            case DrawOp::Line:
                p.setPen(pen);
                p.drawLine(op.a, op.b);
                break;
            case DrawOp::Rect:
                p.setPen(pen);
                p.drawRect(QRect(op.a, op.b));
                break;
            case DrawOp::Text: {
                p.setPen(textColor);
                const QString text = QString(op.text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
                p.drawText(QRect(op.a, QSize(width(), height())), Qt::AlignLeft | Qt::AlignTop, text);
                break;
            }
            }
        }
    }
};

} // namespace

ChassisPage::ChassisPage(QWidget *parent) : QWidget(parent), surface_(new Surface(this)) {
    surface_->setObjectName(QStringLiteral("ChassisSurface"));
}

void ChassisPage::sizeSurface(const QSize &pageArea) {
    surface_->setGeometry(15, 0, qMax(0, pageArea.width() - 30), pageArea.height());
}

void ChassisPage::drawFrom(const QString &reply) {
    auto *s = static_cast<Surface *>(surface_);
    s->reply = reply;
    s->drawn = drawn_ = true;
    s->update();
}

void ChassisPage::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    sizeSurface(event->size());
}

} // namespace tw
