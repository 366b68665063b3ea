#include "app/ToolsMenuUi.h"

#include "admin/OntDataExtraction.h"
#include "admin/TftpServerUi.h"
#include "app/ManualWindow.h"
#include "app/ProductTitle.h"
#include "common/ActivityLog.h"
#include "common/ManualLocation.h"
#include "common/Operator.h"
#include "common/SettingsStore.h"
#include "session/OltSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>

namespace tw {

ToolsMenuUi::ToolsMenuUi(QMainWindow *window, OltSession &session,
                         std::function<void(const QString &)> report)
    : QObject(window), window_(window), session_(session) {
    toolsMenu = window->menuBar()->addMenu(QStringLiteral("工具(&T)"));
    connect(toolsMenu->addAction(QStringLiteral("记事本")), &QAction::triggered, this, [this] {
        launchTool({QStringLiteral("notepad.exe"), QStringLiteral("gnome-text-editor"),
                    QStringLiteral("gedit"), QStringLiteral("kwrite"), QStringLiteral("kate"),
                    QStringLiteral("mousepad"), QStringLiteral("xed"), QStringLiteral("pluma"),
                    QStringLiteral("featherpad"), QStringLiteral("leafpad")},
                   QStringLiteral("记事本"));
    });
    toolsMenu->addSeparator();
    connect(toolsMenu->addAction(QStringLiteral("计算器")), &QAction::triggered, this, [this] {
        launchTool({QStringLiteral("calc.exe"), QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                    QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                    QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")},
                   QStringLiteral("计算器"));
    });
    toolsMenu->addSeparator();
    tftp = new TftpServerUi(toolsMenu, window->statusBar(), runDirectoryOf(session.context()), session.op,
                            window);
    tftp->report = [this, report = std::move(report)](const QString &line) {
        report(session_.log.timeStamp() + u' ' + line);
    };

    helpMenu = window->menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    connect(helpMenu->addAction(QStringLiteral("使用说明")), &QAction::triggered, this, [this] {
        // Inside the program: no desktop launcher is needed, installed or from a build tree.
        auto *manual = new ManualWindow(manualPath(QCoreApplication::applicationDirPath()), window_);
        manual->setAttribute(Qt::WA_DeleteOnClose);
        manual->show();
    });
    connect(helpMenu->addAction(QStringLiteral("OLT命令参考")), &QAction::triggered, this, [this] {
        // The OLT itself is the reference: "?" lists what may follow the typed command.
        session_.op.notice(
            QStringLiteral("在命令输入框中输入命令的开头，然后点击“帮助”，OLT会列出可用的后续参数。"));
    });
    helpMenu->addSeparator();
    connect(helpMenu->addAction(QStringLiteral("关于 Tarnwick")), &QAction::triggered, this,
            &ToolsMenuUi::showAbout);
}

void ToolsMenuUi::showAbout() {
    QMessageBox::about(
        window_, QStringLiteral("关于 Tarnwick"),
        QStringLiteral(
            "<h3>%1</h3><p>GPON/EPON OLT 管理控制台</p>"
            "<p>通过 Telnet 或 SSH 命令行管理 OLT：ONT 查询、发现与注册、业务流、单板与系统管理。</p>"
            "<p>运行目录：%2</p>")
            .arg(ProductTitle.toHtmlEscaped(),
                 QFileInfo(session_.settings.filePath()).absolutePath().toHtmlEscaped()));
}

void ToolsMenuUi::launchTool(const QStringList &candidates, const QString &what) {
    for (const QString &program : candidates) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    session_.op.notice(QStringLiteral("未找到") + what + QStringLiteral("程序。"));
}

} // namespace tw
