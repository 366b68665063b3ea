#include "app/OperatorConsoleWidget.h"

#include "app/WidgetKitUi.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include <utility>

namespace tw {

OperatorConsole::OperatorConsole(QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    pane = new QPlainTextEdit(this);
    pane->setObjectName(QStringLiteral("ConsolePane"));
    pane->setReadOnly(true);
    pane->setMaximumBlockCount(MaxLines);
    // Long lines wrap: the pane scrolls up and down only.
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    if (text.isEmpty()) return;
    pending_ += text;
    if (flushQueued_) return;
    flushQueued_ = true;
    QTimer::singleShot(0, this, &OperatorConsole::flush);
}

void OperatorConsole::flush() {
    flushQueued_ = false;
    if (pending_.isEmpty()) return;
    appendPaneText(pane, std::exchange(pending_, QString()));
    pane->verticalScrollBar()->setValue(pane->verticalScrollBar()->maximum());
}

void OperatorConsole::clear() {
    pending_.clear();
    pane->clear();
}

QString OperatorConsole::text() const {
    if (pending_.isEmpty()) return pane->toPlainText();
    // Line ends as the pane keeps them.
    QString more = pending_;
    more.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    more.remove(u'\r');
    return pane->toPlainText() + more;
}

} // namespace tw
