#pragma once

#include <QWidget>

namespace tw {

// Page 0: the drawing surface of the chassis picture.
class ChassisPage : public QWidget {
    Q_OBJECT
  public:
    explicit ChassisPage(QWidget *parent = nullptr);
    QWidget *surface() const { return surface_; }
    // Left 15, top 0, width of the page area less 30, its full height.
    void sizeSurface(const QSize &pageArea);

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    QWidget *surface_;
};

} // namespace tw
