#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QPlainTextEdit;

namespace tw {

// The received-text pane and the custom command entry inside the group "命令行".
class OperatorConsole : public QWidget {
    Q_OBJECT
  public:
    // The pane keeps the newest lines up to this bound so it stays responsive over a long day.
    // Older lines go in batches of TrimLines once the pane holds MaxLines + TrimLines.
    static constexpr int MaxLines = 50000;
    static constexpr int TrimLines = 5000;
    // At most this much text goes into the pane per event-loop turn.
    static constexpr qsizetype FlushChars = 256 * 1024;
    // Reads that follow each other closely go into the pane together, at most once per this many
    // milliseconds (a paged listing arrives as thousands of reads, one page each).
    static constexpr int FlushIntervalMs = 15;

    explicit OperatorConsole(QWidget *parent = nullptr);

    // Inserts at the end, whatever the operator has selected, and scrolls to it. A listing
    // arrives in thousands of small reads: the first goes into the pane on the next event-loop
    // turn, the ones after it in batches, so the pane lays out each batch once instead of each read.
    void append(const QString &text);
    void clear();
    // What the pane shows, with what is still to be put in.
    QString text() const;
    // True while appended text waits to be put into the pane.
    bool hasPendingText() const { return pendingAt_ < pending_.size(); }

    QPlainTextEdit *pane;
    QPlainTextEdit *entry;

  private:
    void flush();
    void trim();

    QString pending_; // appended text not yet in the pane, from pendingAt_ on
    qsizetype pendingAt_ = 0;
    bool flushQueued_ = false;
    QElapsedTimer sinceFlush_;
};

} // namespace tw
