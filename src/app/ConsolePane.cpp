#include "app/ConsolePane.h"

#include "admin/SystemOperations.h"
#include "app/CommandLineWindow.h"
#include "common/ActivityLog.h"
#include "common/Settings.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "olt/OltDisconnect.h"
#include "session/OltSession.h"
#include "widgets/OperatorConsole.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextCursor>
#include <QVBoxLayout>

namespace tw {

ConsolePane::ConsolePane(OltSession &session, QWidget *parent)
    : QGroupBox(QStringLiteral("命令行"), parent), session_(session) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    console = new OperatorConsole(this);
    layout->addWidget(console);

    auto *row = new QHBoxLayout;
    auto button = [&](const char16_t *caption) {
        auto *b = new QPushButton(QString::fromUtf16(caption), this);
        row->addWidget(b);
        return b;
    };
    writeButton = button(u"写入OLT(&S)");
    detachButton = button(u"独立显示(&P)");
    clearButton = button(u"清屏(&C)");
    disconnectButton = button(u"断开OLT(&D)");
    reconnectButton = button(u"重连OLT(&R)");
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("执行自定义命令："), this));
    helpButton = button(u"帮助");
    breakButton = button(u"中断命令(&Q)");
    executeButton = button(u"回车执行(&E)");
    layout->addLayout(row);

    connect(clearButton, &QPushButton::clicked, console, &OperatorConsole::clear);
    connect(writeButton, &QPushButton::clicked, this,
            [this] { runSystemAction(session_.context(), SystemAction::Save); });
    connect(detachButton, &QPushButton::clicked, this, [this] {
        auto *w = new CommandLineWindow([this] { return console->text(); }, window());
        w->show();
    });
    connect(disconnectButton, &QPushButton::clicked, this,
            [this] { disconnectOlt(session_.settings, session_.sink(), session_.op, session_.log); });
    // The operator's own 重连 dials again even after a refused login or host key.
    connect(reconnectButton, &QPushButton::clicked, this, [this] {
        session_.connection.allowRedial();
        session_.connectOlt();
    });
    connect(executeButton, &QPushButton::clicked, this, &ConsolePane::sendEntry);
    connect(breakButton, &QPushButton::clicked, this, [this] { session_.sink().breakOutput(); });
    // The entry keeps its text: the OLT shows it again after the list, and the operator goes on.
    connect(helpButton, &QPushButton::clicked, this,
            [this] { session_.sendHelp(withCrLf(console->entry->toPlainText())); });

    session_.view.setConsole([this](const QString &text) { console->append(text); });
    session_.clearConsole = [this] { console->clear(); };
}

void ConsolePane::sendEntry() {
    // The box gives its line breaks as LF; the CLI (and the log file) takes CR LF.
    const QString text = withCrLf(console->entry->toPlainText());
    // What the operator types runs as typed, in whatever mode it leaves the CLI.
    session_.sink().run(text + QStringLiteral("\r\n"), {}, RunOptions{false, false});
    console->entry->clear();
    console->entry->moveCursor(QTextCursor::End);
    session_.log.write(QStringLiteral("   执行一次自定义命令！ ") + text);
}

void ConsolePane::splitBelow(QWidget *above, QSplitter *splitter, SettingsStore &settings) {
    splitter->addWidget(above);
    splitter->addWidget(this);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    const QStringList sizes = settings.read(settings::SplitterSizes).split(u',');
    if (sizes.size() == 2 && sizes[0].toInt() > 0 && sizes[1].toInt() > 0)
        splitter->setSizes({sizes[0].toInt(), sizes[1].toInt()});
    connect(splitter, &QSplitter::splitterMoved, this, [splitter, &settings] {
        const QList<int> now = splitter->sizes();
        settings.write(settings::SplitterSizes,
                       QString::number(now.value(0)) + u',' + QString::number(now.value(1)));
    });
}

} // namespace tw
