#pragma once

#include <QWidget>

class QGroupBox;
class QPlainTextEdit;

namespace tw {

// Page 4: the group "报警状态" with the alarm pane.
class AlarmPage : public QWidget {
    Q_OBJECT
  public:
    explicit AlarmPage(QWidget *parent = nullptr);
    QGroupBox *group;
    QWidget *controls; // alarm and fan buttons
    QPlainTextEdit *alarmPane;
};

} // namespace tw
