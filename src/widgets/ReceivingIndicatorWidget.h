#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace tw {

// In the status bar while a long listing arrives: a busy bar, how far it has come (ONTs for an ONT
// list, lines for the others) and a way to stop it.
class ReceivingIndicatorWidget : public QWidget {
    Q_OBJECT
  public:
    explicit ReceivingIndicatorWidget(QWidget *parent = nullptr);
    // The lines and the ONTs (negative: not an ONT list) received so far; negative lines hide the
    // indicator. While shown, the count changes at most every UpdateMs: a listing reports after
    // every page.
    void showProgress(qsizetype lines, qsizetype onts = -1);
    static constexpr int UpdateMs = 100;

    QLabel *label;
    QPushButton *stopButton; // "中断命令(&Q)"

  private:
    QElapsedTimer sinceUpdate_;
};

} // namespace tw
