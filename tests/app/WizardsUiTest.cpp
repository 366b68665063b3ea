#include "ConsoleFixture.h"
#include "wizards/BasicConfigTab.h"
#include "wizards/CommissioningPage.h"
#include "wizards/SettingsPage.h"
#include "wizards/UplinkTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace tw;

using test::configured;
using test::Console;

TEST(WizardsUi, StartupFieldsLoadFromSettingsWithDefaults) {
    Console stored(configured(QStringLiteral(
        "[配置]\n创建VLAN=210\n透传=0/20\n创建端口=0-3\n默认上联板=0/18\n默认端口=all\n默认VLAN=211\n"
        "接口索引=1\n管理VLAN=60\n[基本]\n业务外层=120\n业务内层=42\n点播外层=3400\n点播内层=46\n组播VLAN="
        "3600\n")));
    ASSERT_TRUE(stored.window->start());
    const UplinkTab &u = *stored.window->settingsPage->uplinkTab;
    EXPECT_EQ(u.createVlan->text(), QStringLiteral("210"));
    EXPECT_EQ(u.passThroughBoard->text(), QStringLiteral("0/20"));
    EXPECT_EQ(u.createPort->currentText(), QStringLiteral("0-3")) << "a range the list holds";
    EXPECT_EQ(u.uplinkBoard->text(), QStringLiteral("0/18"));
    EXPECT_EQ(u.uplinkPort->currentText(), QStringLiteral("all"));
    EXPECT_EQ(u.nativeVlan->text(), QStringLiteral("211"));
    EXPECT_EQ(stored.window->settingsPage->basicTab->methIndex->text(), QStringLiteral("1"));
    EXPECT_EQ(stored.window->settingsPage->basicTab->managementVlan->text(), QStringLiteral("60"));
    const CommissioningPage &p = *stored.window->commissioningPage;
    const QStringList values = {p.serviceOuterVlan->text(), p.serviceInnerVlan->text(),
                                p.iptvOuterVlan->text(), p.iptvInnerVlan->text(), p.multicastVlan->text()};
    EXPECT_EQ(values, (QStringList{"120", "42", "3400", "46", "3600"}));

    Console first(configured());
    ASSERT_TRUE(first.window->start());
    const BasicConfigTab &b = *first.window->settingsPage->basicTab;
    EXPECT_EQ(b.methIndex->text(), QStringLiteral("0"));
    EXPECT_EQ(b.managementVlan->text(), QStringLiteral("50")) << "the stored default, not the form's 46";
    const CommissioningPage &q = *first.window->commissioningPage;
    const QStringList defaults = {q.serviceOuterVlan->text(),
                                  q.serviceInnerVlan->text(),
                                  q.iptvOuterVlan->text(),
                                  q.iptvInnerVlan->text(),
                                  q.multicastVlan->text(),
                                  q.gponLineProfile->text(),
                                  q.gponDba->text(),
                                  q.maxBandwidth->currentText(),
                                  q.dbaProfile->text(),
                                  q.serviceUplinkBoard->text(),
                                  q.serviceUplinkPort->currentText(),
                                  q.serviceEthPorts->text(),
                                  q.iptvEthPorts->text()};
    EXPECT_EQ(defaults, (QStringList{"100", "41", "3444", "45", "3501", "", "11", "100", "11", "0/19", "0",
                                     "1,2", ""}));
    EXPECT_TRUE(q.createOuterVlanBox->isChecked());
    EXPECT_FALSE(q.qinqBox->isChecked());
    EXPECT_TRUE(first.sink.writes.isEmpty());
}

TEST(WizardsUi, EveryButtonIsEnabledAndSendsItsScript) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    c.op.agreeWith = QStringLiteral("300"); // Yes to every question, 300 in every input box
    CommissioningPage &p = *c.window->commissioningPage;
    p.gponLineProfile->setText(QStringLiteral("10"));
    p.gponServiceProfile->setText(QStringLiteral("20"));
    p.eponLineProfile->setText(QStringLiteral("30"));
    p.eponServiceProfile->setText(QStringLiteral("40"));
    p.serviceEthPorts->setText(QStringLiteral("1，2"));

    UplinkTab &u = *c.window->settingsPage->uplinkTab;
    BasicConfigTab &b = *c.window->settingsPage->basicTab;
    const QList<QPushButton *> buttons =
        u.buttons + b.ipButtons +
        QList<QPushButton *>{p.commissionButton, p.iptvButton, p.arpProxyButton, p.interworkingButton};
    const char *starts[] = {
        "vlan 100 smart\r\ny\r\n\r\nvlan attrib 100 common\r\n",
        "port vlan 100 0/19 0\r\n",
        "interface giu 0/19\r\nnative-vlan 0 vlan 100\r\nquit\r\n",
        "undo vlan 100\r\n",
        "undo port vlan 100 0/19 0\r\n",
        "interface meth0\r\nip address 10.11.104.2 255.255.255.0 description Telnet\r\nquit\r\n",
        "interface vlanif 50\r\nip address 192.168.88.200 255.255.255.0 description ManageVlan\r\nquit\r\n",
        "ip route-static 0.0.0.0 0.0.0.0 192.168.88.254 description DefaultRoute\r\n",
        "\r\nboard confirm 0\r\n",
        "vlan 3444 smart\r\n",
        "arp proxy enable\r\ninterface vlanif 300\r\n",
        "vlan service-profile profile-id 1\r\n",
    };
    ASSERT_EQ(buttons.size(), qsizetype(std::size(starts)));
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(buttons[i]->text().toStdString());
        EXPECT_TRUE(buttons[i]->isEnabled());
        EXPECT_TRUE(buttons[i]->toolTip().isEmpty());
        c.sink.writes.clear();
        buttons[i]->click();
        ASSERT_EQ(c.sink.writes.size(), 1);
        EXPECT_TRUE(c.sent().startsWith(QString::fromUtf8(starts[i]))) << c.sent().toStdString();
    }
    EXPECT_EQ(p.serviceEthPorts->text(), QStringLiteral("1,2"))
        << "the list shows the commas it was sent with";
    EXPECT_EQ(c.settings.read(settings::ServiceInnerVlan), QStringLiteral("41"));
    EXPECT_EQ(c.settings.read(settings::PassThroughBoard), QStringLiteral("0/19"));
}

TEST(WizardsUi, SetupPagesFitTheWindow) {
    Console c(configured());
    ASSERT_TRUE(c.window->start());
    c.window->show();
    const int available = c.window->pages->contentsRect().width();
    EXPECT_EQ(c.window->width(), 1038);
    for (QWidget *page : {static_cast<QWidget *>(c.window->settingsPage),
                          static_cast<QWidget *>(c.window->commissioningPage)}) {
        SCOPED_TRACE(page->metaObject()->className());
        EXPECT_LE(page->minimumSizeHint().width(), available);
    }
}
