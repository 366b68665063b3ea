#include "app/CommandLineWindow.h"

#include "common/Text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tw {

CommandLineWindow::CommandLineWindow(std::function<QString()> source, QWidget *parent)
    : QWidget(parent, Qt::Window), source_(std::move(source)) {
    setWindowTitle(QStringLiteral("命令行"));
    resize(850, 600);
    setAttribute(Qt::WA_DeleteOnClose);
    view = new QPlainTextEdit(this);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(9);
    view->setFont(mono);
    fontSize = new QLineEdit(QStringLiteral("9"), this);
    fontSize->setMaximumWidth(50);
    autoSync = new QCheckBox(QStringLiteral("开启自动同步"), this);
    autoSync->setChecked(true);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("字体大小："), this));
    row->addWidget(fontSize);
    row->addWidget(autoSync);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    layout->addLayout(row);

    connect(&timer, &QTimer::timeout, this, &CommandLineWindow::sync);
    connect(autoSync, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            timer.start(1000);
        else
            timer.stop();
    });
    connect(fontSize, &QLineEdit::textChanged, this, [this](const QString &text) {
        // Fraction dropped; a size Qt cannot show (0 or less) keeps the current one.
        const int size = leadingInt(text);
        if (size <= 0) return;
        QFont f = view->font();
        f.setPointSize(qMin(size, 200));
        view->setFont(f);
    });
    timer.start(1000);
}

void CommandLineWindow::sync() {
    const QString text = source_();
    if (text == view->toPlainText()) return;
    view->setPlainText(text);
    view->moveCursor(QTextCursor::End);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
}

} // namespace tw
