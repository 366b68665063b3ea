#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace tw {

// A larger, detached copy of the console pane, brought up to date once a second.
class CommandLineWindow : public QWidget {
    Q_OBJECT
  public:
    // `source` gives the console pane's current text.
    explicit CommandLineWindow(std::function<QString()> source, QWidget *parent = nullptr);

    void sync(); // one timer tick

    QPlainTextEdit *view;
    QLineEdit *fontSize;
    QCheckBox *autoSync;
    QTimer timer;

  private:
    std::function<QString()> source_;
};

} // namespace tw
