#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tw {
class StartupFields;
}

namespace tw {

struct PageContext;

// Page 2: board operations, each in its own group with its own board box, and their reply pane.
class BoardPage : public QWidget {
    Q_OBJECT
  public:
    BoardPage(PageContext &context, QWidget *parent = nullptr);
    // The fields this page restores at start-up and stores as they are edited.
    void registerStartupFields(StartupFields &fields) const;
    QList<QLineEdit *> boardBoxes;     // the six "业务板：" boxes, in the groups' order
    QList<QPushButton *> groupButtons; // their buttons
    QPushButton *confirmAllButton;     // "确认所有板卡(&A)"
    QPlainTextEdit *boardPane;
};

} // namespace tw
