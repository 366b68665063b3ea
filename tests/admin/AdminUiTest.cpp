#include "../app/ConsoleFixture.h"
#include "Flow.h"
#include "admin/BackupGroupWidget.h"
#include "admin/OntFirmwareWidget.h"
#include "admin/SystemGroupWidget.h"
#include "admin/TftpServerUi.h"
#include "app/ToolsMenuUi.h"
#include "wizards/SettingsPage.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QUdpSocket>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(FirmwareUi, FieldsClearInOrderOfDependence) {
    PageFlow f;
    OntFirmwareWidget w(f.context);
    const FirmwareFields initial = w.fields();
    const QStringList texts = {initial.file, initial.address, initial.board, initial.port, initial.ont};
    EXPECT_EQ(texts, (QStringList{"ont.bin", "10.11.104.1", "0/1", "", ""}));
    EXPECT_EQ(initial.mode, ActiveMode::NextStartup);
    EXPECT_TRUE(w.nextStartupMode->isChecked());
    EXPECT_EQ(w.note->text(), QString(FirmwareNote).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    w.port->setText(QStringLiteral("3"));
    w.ont->setText(QStringLiteral("5"));
    w.port->clear();
    EXPECT_EQ(w.ont->text(), QString()) << "no ONT without its port";
    EXPECT_EQ(w.board->text(), QStringLiteral("0/1"));

    w.port->setText(QStringLiteral("3"));
    w.ont->setText(QStringLiteral("5"));
    w.board->clear();
    EXPECT_EQ(w.port->text(), QString());
    EXPECT_EQ(w.ont->text(), QString());
    // Typed again after the clearing, in any order, they stay.
    w.ont->setText(QStringLiteral("7"));
    EXPECT_EQ(w.ont->text(), QStringLiteral("7"));

    w.immediateMode->click();
    EXPECT_EQ(w.mode(), ActiveMode::Immediate);
    w.defaultMode->click();
    EXPECT_EQ(w.mode(), ActiveMode::Default);
}

TEST(FirmwareUi, ButtonsInThePagesOrderAndTheBrowser) {
    PageFlow f;
    OntFirmwareWidget w(f.context);
    w.port->setText(QStringLiteral("2")); // one port: nothing is asked
    const char *starts[] = {"diagnose\r\n\r\n",
                            "diagnose\r\nont-load info program ",
                            "diagnose\r\nont-load info configuration ",
                            "display ont-load info\r\n",
                            "display ont-load select 0/1 2 \r\n",
                            "ont-load stop\r\n",
                            "quit\r\nconfig\r\n"};
    const QStringList captions = {"调试模式",     "固件升级", "配置升级", "查看加载信息",
                                  "查看升级进度", "停止升级", "退出调试"};
    ASSERT_EQ(w.buttons.size(), qsizetype(std::size(starts)));
    for (qsizetype i = 0; i < w.buttons.size(); ++i) {
        EXPECT_EQ(w.buttons[i]->text(), captions[i]);
        f.sink.writes.clear();
        w.buttons[i]->click();
        ASSERT_EQ(f.sink.writes.size(), 1) << i;
        EXPECT_TRUE(f.sent().startsWith(QString::fromUtf8(starts[i]))) << f.sent().toStdString();
    }
    EXPECT_TRUE(f.op.boxes.isEmpty());

    f.op.answers.push_back(T("/somewhere/固件/HG8245.bin"));
    w.browseButton->click();
    EXPECT_EQ(w.file->text(), QStringLiteral("HG8245.bin"));
    EXPECT_EQ(f.op.boxes.last().initial, f.run.path()) << "opens in the run directory";
    f.op.answers.push_back(Cancel);
    w.browseButton->click();
    EXPECT_EQ(w.file->text(), QStringLiteral("HG8245.bin"));
}

TEST(BackupUi, GroupsSendTheirScripts) {
    PageFlow f;
    BackupGroupWidget backup(f.context);
    EXPECT_EQ(backup.address->text(), QStringLiteral("10.11.104.1"));
    ASSERT_EQ(backup.type->count(), 2);
    EXPECT_EQ(backup.type->itemText(0), QStringLiteral("配置文件"));
    EXPECT_EQ(backup.type->itemText(1), QStringLiteral("数据库文件"));
    EXPECT_EQ(backup.type->currentIndex(), 0);
    backup.address->setText(QStringLiteral("192.168.1.9"));
    backup.type->setCurrentIndex(1);
    backup.backupButton->click();
    f.op.answer(false);
    backup.restoreButton->click();
    backup.activateButton->click();
    EXPECT_EQ(f.writes(), (QStringList{"backup data tftp 192.168.1.9 MA5680T.dat\r\ny\r\n",
                                       "active  configuration  system\r\ny\r\n"}));

    OtherGroupWidget other(f.context);
    EXPECT_EQ(other.extractButton->text(), QStringLiteral("提取所有ONT数据(需提前备份OLT)"));
    other.extractButton->click();
    EXPECT_EQ(f.lastBox(), QStringLiteral("未检测到OLT备份文件，请备份后重新提取！"));
}

TEST(TftpUi, MenuItemStartsAndStopsTheServer) {
    PageFlow f;
    QMainWindow window;
    QMenu *tools = window.menuBar()->addMenu(QStringLiteral("工具(&T)"));
    TftpServerUi ui(tools, window.statusBar(), f.run.path(), f.op);
    EXPECT_EQ(ui.action->text(), QStringLiteral("TFTP服务器"));
    EXPECT_TRUE(ui.action->isCheckable());
    EXPECT_EQ(ui.configuredPort(), 69) << "the standard port unless --tftp-port says otherwise";

    QUdpSocket probe;
    ASSERT_TRUE(probe.bind(QHostAddress::AnyIPv4, 0));
    const quint16 free = probe.localPort();
    probe.close();
    ui.setPort(free);
    ui.action->trigger();
    ASSERT_TRUE(ui.server.isRunning());
    EXPECT_TRUE(ui.action->isChecked());
    EXPECT_FALSE(ui.statusLabel->isHidden());
    EXPECT_TRUE(ui.statusLabel->text().startsWith(QStringLiteral("TFTP服务器：")));
    EXPECT_TRUE(ui.statusLabel->text().contains(u':' + QString::number(free)))
        << ui.statusLabel->text().toStdString();
    EXPECT_EQ(ui.server.root(), f.run.path());
    ui.action->trigger();
    EXPECT_FALSE(ui.server.isRunning());
    EXPECT_TRUE(ui.statusLabel->isHidden());

    // A port in use: told why, and the item is not left ticked.
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::Any, 0, QUdpSocket::DontShareAddress));
    ui.setPort(taken.localPort());
    ui.action->trigger();
    EXPECT_FALSE(ui.server.isRunning());
    EXPECT_FALSE(ui.action->isChecked());
    EXPECT_TRUE(ui.statusLabel->isHidden());
    ASSERT_EQ(f.op.boxes.size(), 1);
    EXPECT_EQ(f.op.boxes[0].icon, BoxIcon::Error);
    EXPECT_TRUE(f.lastBox().startsWith(QStringLiteral("TFTP服务器无法启动："))) << f.lastBox().toStdString();
}

TEST(AdminUi, MainWindowHostsTheNewParts) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    EXPECT_NE(c.action(c.window->tools->toolsMenu, QStringLiteral("TFTP服务器")), nullptr);
    EXPECT_EQ(c.window->tools->tftp->server.root(), c.run.path());
    EXPECT_FALSE(c.window->tools->tftp->server.isRunning()) << "off until the operator starts it";
    ASSERT_NE(c.page().firmware, nullptr);
    EXPECT_EQ(c.page().firmware->parentWidget(), c.page().flashFields);
    EXPECT_NE(c.page().confirmAll, nullptr) << "the registration row stays";
    EXPECT_EQ(c.window->settingsPage->backupGroup->objectName(), QStringLiteral("BackupGroup"));
    c.window->settingsPage->backupGroup->backupButton->click();
    EXPECT_EQ(c.sent(), QStringLiteral("backup configuration tftp 10.11.104.1 MA5680T.cfg\r\ny\r\n"));
    EXPECT_TRUE(c.logText().endsWith(QStringLiteral("08:00:00   备份OLT配置文件 MA5680T.cfg 成功\r\n")))
        << c.logText().toStdString();
}
