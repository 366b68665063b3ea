#include "widgets/OperatorConsole.h"

#include "widgets/WidgetKit.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <utility>

namespace tw {

OperatorConsole::OperatorConsole(QWidget *parent) : QWidget(parent) {
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    pane = new QPlainTextEdit(this);
    pane->setObjectName(QStringLiteral("ConsolePane"));
    pane->setReadOnly(true);
    // No undo history: it would keep every line ever shown. The line bound is kept by trim(), not
    // by the document's maximumBlockCount, which lays out every block it drops.
    pane->setUndoRedoEnabled(false);
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
    const qint64 since = sinceFlush_.isValid() ? sinceFlush_.elapsed() : FlushIntervalMs;
    QTimer::singleShot(int(qMax<qint64>(0, FlushIntervalMs - since)), this, &OperatorConsole::flush);
}

void OperatorConsole::flush() {
    flushQueued_ = false;
    sinceFlush_.start();
    const QStringView rest = QStringView(pending_).sliced(pendingAt_);
    if (rest.isEmpty()) return;
    // A huge read goes in over several turns, so that typing is answered in between.
    qsizetype take = rest.size();
    if (take > FlushChars) {
        const qsizetype lineEnd = rest.first(FlushChars).lastIndexOf(u'\n');
        take = lineEnd >= 0 ? lineEnd + 1 : FlushChars;
        if (rest.at(take - 1).isHighSurrogate()) --take;
        flushQueued_ = true;
        QTimer::singleShot(0, this, &OperatorConsole::flush);
    }
    appendPaneText(pane, rest.first(take).toString());
    pendingAt_ += take;
    if (pendingAt_ == pending_.size()) {
        pending_.clear();
        pendingAt_ = 0;
    } else if (pendingAt_ > pending_.size() / 2) {
        pending_.remove(0, pendingAt_); // now and then, so each character is moved about once
        pendingAt_ = 0;
    }
    trim();
    pane->verticalScrollBar()->setValue(pane->verticalScrollBar()->maximum());
}

void OperatorConsole::trim() {
    QTextDocument *doc = pane->document();
    const int excess = doc->blockCount() - MaxLines;
    if (excess < TrimLines) return;
    // Whole blocks from the top, selected by position: nothing is laid out on the way.
    QTextCursor cut(doc);
    cut.beginEditBlock();
    cut.setPosition(doc->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
    cut.removeSelectedText();
    cut.endEditBlock();
}

void OperatorConsole::clear() {
    pending_.clear();
    pendingAt_ = 0;
    pane->clear();
}

QString OperatorConsole::text() const {
    if (pendingAt_ == pending_.size()) return pane->toPlainText();
    // Line ends as the pane keeps them.
    QString more = pending_.sliced(pendingAt_);
    more.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    more.remove(u'\r');
    return pane->toPlainText() + more;
}

} // namespace tw
