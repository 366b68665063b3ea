#include "ConsoleFixture.h"
#include "provision/BatchConfirmWidget.h"
#include "provision/BatchRegistrationWidget.h"
#include "provision/OnuRegisterTab.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tw;

namespace {

// A started main window on a fresh run directory, writing to a recorder.
struct Console : test::Console {
    explicit Console(const QString &extra = {})
        : test::Console(QStringLiteral("[OLT]\nIP地址=10.1.1.1\n端口=23\n密码=") +
                        encodePassword(QStringLiteral("admin")) + QLatin1Char('\n') + extra) {
        EXPECT_TRUE(window->start());
    }
};

QString plain(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TEST(ProvisioningUi, ModeSelectorSwapsManualAndBatchGroups) {
    Console c;
    OntPage &p = c.page();
    EXPECT_FALSE(p.manualGroup->isHidden());
    EXPECT_TRUE(p.batchGroup->isHidden());
    for (int mode : {1, 2}) {
        p.registrationMode->setCurrentIndex(mode);
        EXPECT_TRUE(p.manualGroup->isHidden()) << mode;
        EXPECT_FALSE(p.batchGroup->isHidden()) << mode;
        EXPECT_TRUE(p.batch->isVisibleTo(p.batchGroup));
        EXPECT_FALSE(p.registerButton->isEnabled());
        EXPECT_FALSE(p.fetchSerialButton->isEnabled());
        EXPECT_FALSE(p.manualSerial->isEnabled());
    }
    p.registrationMode->setCurrentIndex(0);
    EXPECT_FALSE(p.manualGroup->isHidden());
    EXPECT_TRUE(p.batchGroup->isHidden());
    EXPECT_TRUE(p.registerButton->isEnabled());
}

TEST(ProvisioningUi, StartupFieldsLoadIntoTheBatchGroup) {
    Console stored(QStringLiteral("[基本]\n起始编号=12\n注册码规则=HZ-(B)-(P)-(O)\n"));
    EXPECT_EQ(stored.page().batch->start->text(), QStringLiteral("12"));
    EXPECT_EQ(stored.page().batch->rule->text(), QStringLiteral("HZ-(B)-(P)-(O)"));
    Console defaults;
    EXPECT_EQ(defaults.page().batch->start->text(), QStringLiteral("0"));
    EXPECT_EQ(defaults.page().batch->rule->text(), QStringLiteral("0-(B)-(P)-(O)"));
    EXPECT_EQ(defaults.page().batch->count->text(), QStringLiteral("1"));
}

TEST(ProvisioningUi, BatchUsesTheTabsTopRowAndHelpRestoresThePane) {
    Console c;
    OntPage &p = c.page();
    p.registrationMode->setCurrentIndex(1);
    p.registration.slot->setCurrentText(QStringLiteral("2"));
    p.registration.port->setCurrentText(QStringLiteral("4"));
    p.batch->count->setText(QStringLiteral("2"));
    c.op.answer(true);
    c.op.answer(true);
    p.batch->registerButton->click();
    EXPECT_TRUE(c.sent().startsWith(
        QStringLiteral("interface gpon 0/2\r\nont add 4 loid-auth 0-2-4-0 always-on omci")));
    EXPECT_TRUE(c.sent().contains(QStringLiteral("ont add 4 loid-auth 0-2-4-1 ")));
    EXPECT_EQ(c.op.boxes.last().text, QStringLiteral("本次注册方式：LOID，注册数量：2，确实要批量注册？"));

    p.batch->previewButton->click();
    EXPECT_TRUE(c.op.boxes.last().text.startsWith(QStringLiteral("注册码：0-2-4-0\r\n")));

    p.registrationPane->setPlainText(QStringLiteral("ont add reply"));
    p.batch->helpButton->click();
    EXPECT_EQ(p.registrationPane->toPlainText(), plain(RegistrationHelp));
}

TEST(ProvisioningUi, GeneratorPaneReplacesAppendsCopiesAndClears) {
    Console c;
    OnuRegisterTab &t = *c.page().onu;
    EXPECT_TRUE(t.serviceProfile->isHidden()) << "SNMP has no service profile";
    t.managementMode->setCurrentText(QStringLiteral("OMCI"));
    EXPECT_FALSE(t.serviceProfile->isHidden());
    EXPECT_FALSE(t.serviceProfileLabel->isHidden());

    c.window->session.replies.discoveredKey(QStringLiteral("4857544300000001"));
    EXPECT_EQ(t.serial->text(), QStringLiteral("4857544300000001"));
    t.ontId->setText(QStringLiteral("5"));
    t.generateButton->click();
    const QString registration = t.preview->toPlainText();
    EXPECT_TRUE(registration.startsWith(
        QStringLiteral("interface gpon 0/0\n\nont add 0 5 sn-auth 4857544300000001 omci")));
    t.managementIpButton->click();
    t.managementIpButton->click();
    EXPECT_EQ(t.preview->toPlainText().count(QStringLiteral("ont ipconfig 0 5 ")), 2);
    EXPECT_TRUE(t.preview->toPlainText().startsWith(registration));
    t.generateButton->click();
    EXPECT_EQ(t.preview->toPlainText(), registration) << "生成注册 replaces the pane";
    t.flowAButton->click();
    EXPECT_TRUE(t.preview->toPlainText().startsWith(QStringLiteral("telnet 192.168.88.1\n")));

    t.oltCopyButton->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), t.preview->toPlainText());
    EXPECT_EQ(c.op.boxes.last().text, QStringLiteral("复制成功，请核对无误后在下方命令行粘贴！"));
    t.onuClearButton->click();
    EXPECT_TRUE(t.preview->toPlainText().isEmpty());
    EXPECT_TRUE(c.sink.writes.isEmpty()) << "the generator sends nothing";

    t.boardType->setCurrentText(QStringLiteral("EPON"));
    c.window->session.shared.ponKindFlag = 1;
    t.fetchSerialButton->click();
    EXPECT_EQ(c.sent(), QStringLiteral("interface epon 0/0\r\ndisplay ont autofind 0\r\n     \r\nquit\r\n"));
    EXPECT_EQ(c.window->session.shared.ponKindFlag, 0);
}

TEST(ProvisioningUi, FlashTabConfirmsAllOntsOfAPort) {
    Console c;
    BatchConfirmWidget &row = *c.page().confirmAll;
    row.port->setText(QStringLiteral("6"));
    c.op.answer(false);
    row.confirmButton->click();
    EXPECT_EQ(c.sent(),
              QStringLiteral("interface epon 0/1\r\nont confirm 6 all mac-auth oam ont-lineprofile-id 1 "
                             "ont-srvprofile-id 1\r\n\r\nquit\r\n"));
}
