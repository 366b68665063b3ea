#include "widgets/WidgetKit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace tw {

namespace {
class NoToolTip : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::ToolTip; }
};
} // namespace

QWidget *captionAround(QWidget *parent, const QString &caption, QWidget *field) {
    auto *row = new QWidget(parent);
    row->setAccessibleName(caption);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    const QRegularExpressionMatch m = gap.match(caption);
    const QString before = m.hasMatch() ? caption.left(m.capturedStart()) : caption;
    const QString after = m.hasMatch() ? caption.mid(m.capturedEnd()) : QString();
    layout->addWidget(new QLabel(before, row));
    field->setParent(row);
    layout->addWidget(field);
    if (!after.isEmpty()) layout->addWidget(new QLabel(after, row));
    layout->addStretch(1);
    return row;
}

void suppressToolTip(QWidget *widget) {
    widget->installEventFilter(new NoToolTip(widget));
}

namespace {
QString plainLines(const QString &text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.remove(QLatin1Char('\r'));
    return plain;
}
} // namespace

QPlainTextEdit *makeTextPane(QWidget *parent, const QString &objectName) {
    auto *pane = new QPlainTextEdit(parent);
    pane->setObjectName(objectName);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    pane->setFont(mono);
    return pane;
}

void setPaneText(QPlainTextEdit *pane, const QString &text) {
    pane->setPlainText(plainLines(text));
}

void appendPaneText(QPlainTextEdit *pane, const QString &text) {
    const QString plain = plainLines(text);
    if (plain.isEmpty()) return;
    QTextCursor cursor = pane->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(plain);
    pane->setTextCursor(cursor);
}

QComboBox *numberSelector(QWidget *parent, int last) {
    auto *box = new QComboBox(parent);
    for (int i = 0; i <= last; ++i)
        box->addItem(QString::number(i));
    return box;
}

} // namespace tw
