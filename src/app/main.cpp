#include "admin/TftpServerUi.h"
#include "app/InstanceGuard.h"
#include "app/MainWindow.h"
#include "app/ToolsMenuUi.h"
#include "common/ActivityLog.h"
#include "common/PasswordCodec.h"
#include "common/QtChineseTexts.h"
#include "common/RunDirectory.h"
#include "common/SettingsStore.h"
#include "widgets/QtOperator.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstring>

namespace {

const char Usage[] =
    "usage: tarnwick [--run-dir DIR] [--tftp-port N]\n"
    "       tarnwick --encode-password TEXT   print the stored form of a password\n"
    "  --tftp-port N   port of the built-in TFTP server (menu 工具 > TFTP服务器); default 69\n";

// Handled before any window exists, so it works without a display.
int encodePasswordCommand(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--encode-password") != 0) continue;
        if (i + 1 >= argc) {
            std::fputs(Usage, stderr);
            return 2;
        }
        const QString stored = tw::encodePassword(QString::fromLocal8Bit(argv[i + 1]));
        std::printf("%s\n", stored.toLatin1().constData());
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
    }
    if (const int rc = encodePasswordCommand(argc, argv); rc >= 0) return rc;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const int tftpPort = tw::tftpPortArgument(arguments);
    if (tftpPort < 0) {
        std::fputs("tarnwick: --tftp-port takes a port number from 1 to 65535\n", stderr);
        std::fputs(Usage, stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    const tw::QtChineseTexts qtTexts;

    const tw::RunDirectory run =
        tw::RunDirectory::choose(app.arguments(), QApplication::applicationDirPath());
    if (!run.ensureWritable()) {
        QMessageBox::critical(
            nullptr, QStringLiteral("错误"),
            QStringLiteral("运行目录不可写：") + run.path +
                QStringLiteral("\r\n设置和日志都无法保存，请用 --run-dir 指定一个可写的目录。"));
        return 1;
    }

    tw::InstanceGuard guard(run.path);
    if (!guard.claim()) return 0; // the running console was asked to show itself

    tw::SettingsStore settings(run.configFile());
    tw::ActivityLog log(settings, run.path);
    tw::QtOperator op;
    tw::MainWindow window(settings, log, op);
    op.setParent(&window);
    if (tftpPort > 0) window.tools->tftp->setPort(quint16(tftpPort));
    QObject::connect(&guard, &tw::InstanceGuard::activationRequested, &window, &tw::MainWindow::bringToFront);

    if (!window.start()) return 0;
    window.show();
    return app.exec();
}
