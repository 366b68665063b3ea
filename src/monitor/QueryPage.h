#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace tw {

// Page 3: the query catalogue and its reply pane.
class QueryPage : public QWidget {
    Q_OBJECT
  public:
    explicit QueryPage(QWidget *parent = nullptr);
    QWidget *catalogue;
    QPlainTextEdit *queryPane;
};

} // namespace tw
