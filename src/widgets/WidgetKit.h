#pragma once
// Small widget helpers every page uses: text panes that show OLT text, number selectors.

#include <QString>

class QComboBox;
class QPlainTextEdit;
class QWidget;

namespace tw {

// A monospaced, non-wrapping pane for OLT output.
QPlainTextEdit *makeTextPane(QWidget *parent, const QString &objectName);
// Replace or extend a pane's text with OLT text (CR LF line ends).
void setPaneText(QPlainTextEdit *pane, const QString &text);
// Inserts at the end, whatever is selected, and leaves the caret there.
void appendPaneText(QPlainTextEdit *pane, const QString &text);
// A caption whose run of blanks marks where its field stands ("超时时间：   分钟"): the text before
// the blanks, the field, the text after them, in one row that carries the whole caption.
QWidget *captionAround(QWidget *parent, const QString &caption, QWidget *field);
// No tool tip at all: Qt shows a widget's caption when its tool tip is empty.
void suppressToolTip(QWidget *widget);
// A drop-down list holding "0" … `last`.
QComboBox *numberSelector(QWidget *parent, int last);

} // namespace tw
