#pragma once

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
    // The lines received so far; negative hides the indicator.
    void showProgress(qsizetype lines);

    QLabel *label;
    QPushButton *stopButton; // "中断命令(&Q)"
};

} // namespace tw
