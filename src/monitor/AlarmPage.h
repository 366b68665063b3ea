#pragma once

#include <QWidget>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace tw {

struct PageContext;

// Page 4: the group "报警状态" with "查询", "清除" and the alarm pane.
class AlarmPage : public QWidget {
    Q_OBJECT
  public:
    AlarmPage(PageContext &context, QWidget *parent = nullptr);
    QGroupBox *group;
    QPushButton *viewButton, *clearButton;
    QPlainTextEdit *alarmPane;
};

} // namespace tw
