#include "app/ChassisPage.h"

#include <QPainter>
#include <QResizeEvent>

namespace tw {

namespace {
class Surface : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xF4, 0xF6, 0xF8));
        p.setPen(QColor(0x70, 0x78, 0x80));
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("点击工具栏“单板信息”显示机框"));
    }
};
} // namespace

ChassisPage::ChassisPage(QWidget *parent) : QWidget(parent), surface_(new Surface(this)) {
    surface_->setObjectName(QStringLiteral("ChassisSurface"));
}

void ChassisPage::sizeSurface(const QSize &pageArea) {
    surface_->setGeometry(15, 0, qMax(0, pageArea.width() - 30), pageArea.height());
}

void ChassisPage::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    sizeSurface(event->size());
}

} // namespace tw
