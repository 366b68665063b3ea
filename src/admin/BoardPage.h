#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace tw {

// Page 2: board operations and their reply pane.
class BoardPage : public QWidget {
    Q_OBJECT
  public:
    explicit BoardPage(QWidget *parent = nullptr);
    QWidget *operations;           // the board operation rows
    QList<QLineEdit *> boardBoxes; // the six "业务板：" boxes
    QPlainTextEdit *boardPane;
};

} // namespace tw
