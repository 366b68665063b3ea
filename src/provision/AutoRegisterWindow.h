#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tw {

// The modal window that runs the automatic registration while it is open.
class AutoRegisterWindow : public QDialog {
    Q_OBJECT
  public:
    explicit AutoRegisterWindow(const QString &period, QWidget *parent = nullptr);

    QLineEdit *periodBox;
    QPushButton *testButton; // "自动测试"

  protected:
    void timerEvent(QTimerEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    int frame_ = 0;
};

} // namespace tw
