// Batch registration and "批量注册" against the simulator's model.

#include "ConsoleHarness.h"

#include "ont/OntPage.h"
#include "provision/BatchConfirmWidget.h"
#include "provision/BatchRegistrationWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::e2e;

namespace {

// The ONTs the model holds on `port`, as "id key" with the key the ONT is registered by.
QStringList ontsOn(const QJsonObject &dump, const QString &port, const char *key) {
    QStringList out;
    for (const QJsonValue &v : dump["onts"].toArray())
        if (v["port"].toString() == port) out << QString::number(v["id"].toInt()) + u' ' + v[key].toString();
    return out;
}

} // namespace

// Twenty LOID registrations and then ten password registrations on one port: exactly those ONTs,
// with the next free ids and the generated keys.
TEST(BatchE2E, LoidAndPasswordBatchesRegisterExactlyTheirOnts) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    OntPage *page = h.window->ontPage;
    const QString port = QStringLiteral("0/2/7");
    ASSERT_TRUE(ontsOn(h.sim.dump(), port, "loid").isEmpty()) << "an empty port";
    page->registration.frame->setText(QStringLiteral("0"));
    page->registration.slot->setCurrentText(QStringLiteral("2"));
    page->registration.port->setCurrentText(QStringLiteral("7"));

    page->registrationMode->setCurrentText(QStringLiteral("LOID"));
    page->batch->start->setText(QStringLiteral("1"));
    page->batch->count->setText(QStringLiteral("20"));
    page->batch->rule->setText(QStringLiteral("L-(B)-(P)-(O)"));
    page->batch->padding->setChecked(true);
    h.op.answers = {true, true}; // GPON, register
    h.click(page->batch->registerButton);
    QStringList expected;
    for (int n = 1; n <= 20; ++n)
        expected << QStringLiteral("%1 L-2-7-%2").arg(n - 1).arg(n, 2, 10, QLatin1Char('0'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ontsOn(h.sim.dump(), port, "loid") == expected; }, WaitMs))
        << ontsOn(h.sim.dump(), port, "loid").join(u',').toStdString() << "\n"
        << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.settle());

    page->registrationMode->setCurrentText(QStringLiteral("密码"));
    page->batch->start->setText(QStringLiteral("7"));
    page->batch->count->setText(QStringLiteral("10"));
    page->batch->rule->setText(QStringLiteral("p(O)"));
    h.op.answers = {true, true};
    h.click(page->batch->registerButton);
    QStringList passwords;
    for (int n = 7; n <= 16; ++n)
        passwords << QStringLiteral("%1 p%2").arg(20 + n - 7).arg(n, 2, 10, QLatin1Char('0'));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return ontsOn(h.sim.dump(), port, "password").mid(20) == passwords; }, WaitMs))
        << ontsOn(h.sim.dump(), port, "password").join(u',').toStdString();
    ASSERT_TRUE(h.settle());
    EXPECT_EQ(ontsOn(h.sim.dump(), port, "loid").mid(0, 20), expected) << "the first batch is untouched";
    EXPECT_TRUE(h.op.answers.empty());
}

// "批量注册" on "ONT 刷机" registers every ONT waiting on the port, and only those.
TEST(BatchE2E, ConfirmAllRegistersEveryOntWaitingOnThePort) {
    ConsoleHarness h;
    ASSERT_TRUE(h.startAndLogIn());
    for (const char *sn : {"48575443AAAA0001", "48575443AAAA0002", "48575443AAAA0003"})
        ASSERT_EQ(h.sim.command(QStringLiteral("plug 0/4/5 sn %1").arg(QString::fromLatin1(sn))), "ok");
    ASSERT_EQ(h.sim.command(QStringLiteral("plug 0/4/6 sn 48575443BBBB0001")), "ok");
    BatchConfirmWidget *row = h.window->ontPage->confirmAll;
    row->frame->setText(QStringLiteral("0"));
    row->slot->setText(QStringLiteral("4"));
    row->port->setText(QStringLiteral("5"));
    h.op.answers = {true}; // GPON
    h.click(row->confirmButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ontsOn(h.sim.dump(), "0/4/5", "sn").size() >= 3; }, WaitMs))
        << h.consoleText().right(800).toStdString();
    ASSERT_TRUE(h.settle());
    QStringList keys;
    for (const QString &s : ontsOn(h.sim.dump(), "0/4/5", "sn"))
        keys << s.section(u' ', 1);
    for (const char *sn : {"48575443AAAA0001", "48575443AAAA0002", "48575443AAAA0003"})
        EXPECT_TRUE(keys.contains(QString::fromLatin1(sn))) << sn;
    bool stillWaiting = false;
    for (const QJsonValue &v : h.sim.dump()["autofind"].toArray()) {
        EXPECT_NE(v["port"].toString(), "0/4/5");
        stillWaiting |= v["sn"].toString() == "48575443BBBB0001";
    }
    EXPECT_TRUE(stillWaiting) << "another port's ONT keeps waiting";
}
