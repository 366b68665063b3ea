#include "app/OperatorConsoleWidget.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace tw {

OperatorConsole::OperatorConsole(QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    pane = new QPlainTextEdit(this);
    pane->setObjectName(QStringLiteral("ConsolePane"));
    pane->setReadOnly(true);
    pane->setMaximumBlockCount(MaxLines);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    pane->setFont(mono);
    entry = new QPlainTextEdit(this);
    entry->setObjectName(QStringLiteral("CommandEntry"));
    entry->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    entry->setFont(mono);
    layout->addWidget(pane, 3);
    layout->addWidget(entry, 1);
}

void OperatorConsole::append(const QString &text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.remove(QLatin1Char('\r'));
    if (plain.isEmpty()) return;
    QTextCursor cursor = pane->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(plain);
    pane->setTextCursor(cursor);
    pane->verticalScrollBar()->setValue(pane->verticalScrollBar()->maximum());
}

void OperatorConsole::clear() {
    pane->clear();
}

QString OperatorConsole::text() const {
    return pane->toPlainText();
}

} // namespace tw
