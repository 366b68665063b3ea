#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace tw {

struct PageContext;

// Page 3: the query catalogue, its fixed buttons and the query pane.
class QueryPage : public QWidget {
    Q_OBJECT
  public:
    QueryPage(PageContext &context, QWidget *parent = nullptr);
    QWidget *catalogue;
    QComboBox *catalogueList; // "功能查询："
    QPushButton *queryButton; // "查询"
    QList<QPushButton *> fixedButtons;
    QPlainTextEdit *queryPane;
};

} // namespace tw
