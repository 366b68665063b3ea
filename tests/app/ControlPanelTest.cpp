#include "TestDoubles.h"
#include "app/ControlPanelWindow.h"
#include "common/Gbk.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tw;

namespace {
struct Panel {
    test::TempRunDir run;
    SettingsStore settings{run.config()};
    test::ScriptedOperator op;
    std::unique_ptr<ControlPanelWindow> window;
    void open() { window = std::make_unique<ControlPanelWindow>(settings, op); }
};
} // namespace

TEST(ControlPanel, FillsFromFileWithEmptyDefaults) {
    Panel p;
    p.run.writeConfig(QStringLiteral("[OLT]\n帐号=admin\n密码=") + encodePassword(QStringLiteral("秘密")) +
                      QStringLiteral("\n自动重连=真\n[基本]\nE线路模板=7\n"));
    p.open();
    EXPECT_EQ(p.window->windowTitle(), QStringLiteral("控制面板"));
    EXPECT_EQ(p.window->address->text(), QString()) << "a missing key empties the form text";
    EXPECT_EQ(p.window->account->text(), QStringLiteral("admin"));
    EXPECT_EQ(p.window->password->text(), QStringLiteral("秘密"));
    EXPECT_EQ(p.window->gponLine->text(), QString());
    EXPECT_EQ(p.window->eponLine->text(), QStringLiteral("7"));
    EXPECT_FALSE(p.window->logBox->isChecked()) << "unticked while the log writer still logs";
    EXPECT_TRUE(p.window->reconnectBox->isChecked());
}

TEST(ControlPanel, SaveConnectionValidatesThenWritesInOrder) {
    Panel p;
    p.open();
    p.window->address->setText(QStringLiteral("10.0.0.9"));
    p.window->port->setText(QStringLiteral("23"));
    p.window->account->setText(QStringLiteral("root"));
    p.window->saveConnectionButton->click();
    ASSERT_EQ(p.op.boxes.size(), 1);
    EXPECT_EQ(p.op.boxes[0].text, QStringLiteral("配置信息不能为空！"));
    EXPECT_EQ(p.op.boxes[0].title, QStringLiteral("错误"));
    EXPECT_EQ(p.op.boxes[0].icon, BoxIcon::Error);
    EXPECT_TRUE(p.run.readFile(QStringLiteral("config.ini")).isNull());

    p.window->password->setText(QStringLiteral("pw 1"));
    p.window->saveConnectionButton->click();
    EXPECT_EQ(p.op.boxes.last().text, QStringLiteral("配置信息保存成功！"));
    EXPECT_EQ(p.op.boxes.last().icon, BoxIcon::Information);
    EXPECT_EQ(p.op.boxes.last().title, QStringLiteral("信息："));
    const QString file = fromGbk(p.run.readFile(QStringLiteral("config.ini")));
    const QString stored = p.settings.read(settings::OltPassword);
    EXPECT_EQ(file, QStringLiteral("[OLT]\r\nIP地址=10.0.0.9\r\n端口=23\r\n帐号=root\r\n密码=") + stored +
                        QStringLiteral("\r\n标识=\r\n"));
    EXPECT_EQ(decodePassword(stored), QStringLiteral("pw 1"));
}

TEST(ControlPanel, SaveOtherWritesAsTypedIncludingEmpty) {
    Panel p;
    p.open();
    p.window->gponLine->setText(QStringLiteral("12"));
    p.window->description->setText(QStringLiteral(" 备注 "));
    p.window->saveOtherButton->click();
    EXPECT_EQ(p.op.boxes.last().text, QStringLiteral("保存成功！"));
    EXPECT_EQ(p.settings.read(settings::GponLineProfile), QStringLiteral("12"));
    // Opened without the key, the box was empty: saving stores the empty value, not the default.
    EXPECT_EQ(p.settings.read(settings::GponServiceProfile), QString());
    EXPECT_EQ(p.settings.read(settings::DefaultDescription), QStringLiteral("备注"))
        << "the INI format trims";
    const QString file = fromGbk(p.run.readFile(QStringLiteral("config.ini")));
    const QStringList order = {QStringLiteral("G线路模板"), QStringLiteral("G业务模板"),
                               QStringLiteral("E线路模板"), QStringLiteral("E业务模板"),
                               QStringLiteral("业务外层"),  QStringLiteral("业务内层"),
                               QStringLiteral("点播外层"),  QStringLiteral("点播内层"),
                               QStringLiteral("组播VLAN"),  QStringLiteral("默认备注")};
    qsizetype last = -1;
    for (const QString &key : order) {
        const qsizetype at = file.indexOf(key + QLatin1Char('='));
        EXPECT_GT(at, last) << key.toStdString();
        last = at;
    }
}

TEST(ControlPanel, SwitchesWriteOnEveryClick) {
    Panel p;
    p.open();
    p.window->logBox->click();
    EXPECT_EQ(p.settings.read(settings::LogEnabled), QStringLiteral("真"));
    p.window->logBox->click();
    EXPECT_EQ(p.settings.read(settings::LogEnabled), QStringLiteral("假"));
    p.window->serviceFlowBox->click();
    EXPECT_EQ(p.settings.read(settings::AutoServiceFlows), QStringLiteral("真"));
    p.window->reconnectBox->click();
    EXPECT_EQ(p.settings.read(settings::AutoReconnect), QStringLiteral("真"));
    EXPECT_TRUE(p.op.boxes.isEmpty());
}

TEST(ControlPanel, WriteFailureIsReportedNotClaimedAsSuccess) {
    Panel p;
    p.open();
    QDir(p.run.path()).mkdir(QStringLiteral("config.ini")); // a config.ini that cannot be written
    p.window->address->setText(QStringLiteral("h"));
    p.window->port->setText(QStringLiteral("23"));
    p.window->account->setText(QStringLiteral("a"));
    p.window->password->setText(QStringLiteral("b"));
    p.window->saveConnectionButton->click();
    ASSERT_EQ(p.op.boxes.size(), 1);
    EXPECT_EQ(p.op.boxes[0].icon, BoxIcon::Error);
    EXPECT_TRUE(p.op.boxes[0].text.startsWith(QStringLiteral("配置信息保存失败")));
}

// The protocol choice: the port field follows the protocol's usual port unless the operator typed
// another; SSH is stored as 协议 with its own SSH端口, and 端口 (telnet's) is left as it was.
TEST(ControlPanel, ProtocolChoiceSetsThePortDefaultAndStoresItsOwnPort) {
    Panel p;
    p.run.writeConfig(QStringLiteral("[OLT]\nIP地址=10.0.0.9\n端口=2323\n帐号=root\n密码=") +
                      encodePassword(QStringLiteral("pw")) + QStringLiteral("\n"));
    p.open();
    QLineEdit *port = p.window->port;
    EXPECT_EQ(p.window->protocol->currentText(), QStringLiteral("Telnet"));
    EXPECT_EQ(port->text(), QStringLiteral("2323"));
    p.window->protocol->setCurrentText(QStringLiteral("SSH"));
    EXPECT_EQ(port->text(), QStringLiteral("22")) << "a port read from the file was not typed";
    p.window->protocol->setCurrentText(QStringLiteral("Telnet"));
    EXPECT_EQ(port->text(), QStringLiteral("23"));

    port->selectAll();
    QTest::keyClicks(port, QStringLiteral("23")); // typed, but the usual port: still follows
    p.window->protocol->setCurrentText(QStringLiteral("SSH"));
    EXPECT_EQ(port->text(), QStringLiteral("22"));
    port->selectAll();
    QTest::keyClicks(port, QStringLiteral("2222"));
    p.window->protocol->setCurrentText(QStringLiteral("Telnet"));
    p.window->protocol->setCurrentText(QStringLiteral("SSH"));
    EXPECT_EQ(port->text(), QStringLiteral("2222")) << "a typed port stays";

    p.window->saveConnectionButton->click();
    EXPECT_EQ(p.op.boxes.last().text, QStringLiteral("配置信息保存成功！"));
    EXPECT_EQ(p.settings.read(settings::OltProtocol), QStringLiteral("SSH"));
    EXPECT_EQ(p.settings.read(settings::OltSshPort), QStringLiteral("2222"));
    EXPECT_EQ(p.settings.read(settings::OltPort), QStringLiteral("2323"));

    p.open();
    EXPECT_EQ(p.window->protocol->currentText(), QStringLiteral("SSH"));
    EXPECT_EQ(p.window->port->text(), QStringLiteral("2222"));
}
