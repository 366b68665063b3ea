#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace tw {

// In the status bar while a long listing arrives: a busy bar, the lines received so far and a way
// to stop it.
class ReceivingIndicatorWidget : public QWidget {
    Q_OBJECT
  public:
    explicit ReceivingIndicatorWidget(QWidget *parent = nullptr);
    // The lines received so far; negative hides the indicator. While shown, the count changes at
    // most every UpdateMs: a listing reports after every page.
    void showProgress(qsizetype lines);
    static constexpr int UpdateMs = 100;

    QLabel *label;
    QPushButton *stopButton; // "中断命令(&Q)"

  private:
    QElapsedTimer sinceUpdate_;
};

} // namespace tw
