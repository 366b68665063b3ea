#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace tw {

// The received-text pane and the custom command entry inside the group "命令行".
class OperatorConsole : public QWidget {
    Q_OBJECT
  public:
    // The pane keeps the newest lines up to this bound so it stays responsive over a long day.
    static constexpr int MaxLines = 50000;

    explicit OperatorConsole(QWidget *parent = nullptr);

    // Inserts at the end, whatever the operator has selected, and scrolls to it.
    void append(const QString &text);
    void clear();
    QString text() const;

    QPlainTextEdit *pane;
    QPlainTextEdit *entry;
};

} // namespace tw
