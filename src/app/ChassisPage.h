#pragma once

#include "response/ChassisDrawing.h"

#include <QWidget>

namespace tw {

// Page 0: the drawing surface of the chassis picture. It keeps the last reply and redraws it
// whenever the surface changes size.
class ChassisPage : public QWidget {
    Q_OBJECT
  public:
    explicit ChassisPage(QWidget *parent = nullptr);
    QWidget *surface() const { return surface_; }
    // Left 15, top 0, width of the page area less 30, its full height.
    void sizeSurface(const QSize &pageArea);
    // Draws the chassis from the reply to "display board 0".
    void drawFrom(const QString &reply);
    bool hasDrawing() const { return drawn_; }

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    QWidget *surface_;
    bool drawn_ = false;
};

} // namespace tw
