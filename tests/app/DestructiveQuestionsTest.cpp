#include "../wizards/CommissioningFields.h"
#include "Flow.h"
#include "admin/BackupOperations.h"
#include "admin/BoardOperations.h"
#include "admin/FirmwareOperations.h"
#include "admin/SystemOperations.h"
#include "widgets/QtOperator.h"
#include "monitor/AlarmsAndFans.h"
#include "ont/FlowDeletion.h"
#include "ont/OntLifecycle.h"
#include "wizards/Commissioning.h"
#include "wizards/UplinkSetup.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace tw;
using test::PageFlow;

namespace {

const OntRef Row{QStringLiteral("0/1/0"), QStringLiteral("3"), QStringLiteral("48575443000000A3")};

bool runOntItem(PageContext &c, const QList<OntMenuOperation> &ops, const char16_t *caption) {
    for (const OntMenuOperation &op : ops)
        if (QStringView(op.caption) == QStringView(caption)) return op.run(c, Row);
    ADD_FAILURE() << "no menu item " << QString::fromUtf16(caption).toStdString();
    return false;
}

} // namespace

// Every question whose Yes deletes, powers off, resets, erases, reboots or cuts service is asked as
// destructive (No/Cancel the default button); the questions that only ask leave Yes the default.
TEST(DestructiveQuestions, AreMarkedInEveryFlowThatDestroys) {
    using Run = std::function<void(PageContext &)>;
    const struct {
        const char *name;
        Run run;
        bool destructive;
    } cases[] = {
        {"board power-off", [](PageContext &c) { runBoardAction(c, BoardAction::PowerOff, "0/1"); }, true},
        {"board delete", [](PageContext &c) { runBoardAction(c, BoardAction::Delete, "0/1"); }, true},
        {"board reset", [](PageContext &c) { runBoardAction(c, BoardAction::Reset, "0/1"); }, true},
        {"board confirm", [](PageContext &c) { runBoardAction(c, BoardAction::Confirm, "0/1"); }, false},
        {"board power-on", [](PageContext &c) { runBoardAction(c, BoardAction::PowerOn, "0/1"); }, false},
        {"erase database", [](PageContext &c) { runSystemAction(c, SystemAction::EraseDatabase); }, true},
        {"reboot", [](PageContext &c) { runSystemAction(c, SystemAction::Reboot); }, true},
        {"switch-over", [](PageContext &c) { runSystemAction(c, SystemAction::SwitchOver); }, true},
        {"save", [](PageContext &c) { runSystemAction(c, SystemAction::Save); }, false},
        {"restore a backup", [](PageContext &c) { restoreFromTftp(c, BackupFields{}); }, true},
        {"firmware to a whole board",
         [](PageContext &c) { runFirmwareAction(c, FirmwareAction::LoadProgram, FirmwareFields{}); }, true},
        {"clear every alarm", [](PageContext &c) { clearAlarms(c); }, true},
        {"delete a VLAN", [](PageContext &c) { deleteVlan(c, "100"); }, true},
        {"commissioning", [](PageContext &c) { runCommissioning(c, test::firstStart()); }, true},
        {"delete an ONT", [](PageContext &c) { runOntItem(c, lifecycleOperations(), u"删除选定ONT"); }, true},
        {"delete a port's ONTs",
         [](PageContext &c) { runOntItem(c, lifecycleOperations(), u"删除选定端口所有ONT"); }, true},
        {"reboot an ONT", [](PageContext &c) { runOntItem(c, lifecycleOperations(), u"重启选定ONT"); }, true},
        {"factory-reset a board's ONTs",
         [](PageContext &c) { runOntItem(c, lifecycleOperations(), u"恢复该业务板所有ONT"); }, true},
        {"deactivate an ONT",
         [](PageContext &c) { runOntItem(c, lifecycleOperations(), u"停用当前选定ONT"); }, true},
        {"activate an ONT", [](PageContext &c) { runOntItem(c, lifecycleOperations(), u"激活当前选定ONT"); },
         false},
        {"delete flows by VLAN",
         [](PageContext &c) { runOntItem(c, flowDeletionOperations(), u"按VLAN删除业务流"); }, true},
        {"delete a port's multicast users",
         [](PageContext &c) { runOntItem(c, flowDeletionOperations(), u"按端口删除组播数据"); }, true},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        PageFlow f;
        f.settings.writeSwitch(settings::Iptv, true); // the deletions ask about multicast users too
        f.op.agreeWith = QStringLiteral("100");
        k.run(f.context);
        QList<bool> marks;
        for (const test::Box &b : f.op.boxes)
            if (b.kind == test::Box::YesNo || b.kind == test::Box::OkCancel)
                if (!b.text.contains(QStringLiteral("GPON选是"))) marks << b.destructive;
        ASSERT_FALSE(marks.isEmpty()) << "no question asked";
        for (bool m : marks)
            EXPECT_EQ(m, k.destructive);
        EXPECT_FALSE(f.sink.writes.isEmpty()) << "confirmed, it is sent";
    }
}

// Enter on a destructive question answers No (Cancel); on an ordinary one it still answers Yes (OK).
TEST(DestructiveQuestions, EnterTakesTheSafeButtonOfTheQtBox) {
    QtOperator qt;
    Operator &op = qt;
    const auto pressEnter = [] {
        QTimer::singleShot(0, [] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(qobject_cast<QMessageBox *>(box), nullptr);
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    pressEnter();
    EXPECT_FALSE(op.askDestructive(QStringLiteral("确实要删除该单板？")));
    pressEnter();
    EXPECT_FALSE(op.askDestructive(QStringLiteral("确实要复位系统？"), DefaultBoxTitle, BoxIcon::Information,
                                   QuestionButtons::OkCancel));
    pressEnter();
    EXPECT_TRUE(op.askYesNo(QStringLiteral("确实要确认该单板？"), DefaultBoxTitle, BoxIcon::Question));
}
