#include "ont/OntMenusUi.h"

#include "common/GridModel.h"
#include "ont/FlowDeletion.h"
#include "ont/OntAttributes.h"
#include "ont/OntLookups.h"
#include "ont/OntLifecycle.h"
#include "widgets/GridPanelWidget.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>

namespace tw {

namespace {

// One menu level: nullptr is a separator.
using Items = std::initializer_list<const char16_t *>;

void addItems(QMenu *menu, Items items, QHash<QString, QAction *> &out) {
    for (const char16_t *caption : items) {
        if (!caption) {
            menu->addSeparator();
            continue;
        }
        QAction *a = menu->addAction(QString::fromUtf16(caption));
        a->setEnabled(false);
        out.insert(a->text(), a);
    }
}

void addSubmenu(QMenu *menu, const char16_t *title, Items items, QHash<QString, QAction *> &out) {
    addItems(menu->addMenu(QString::fromUtf16(title)), items, out);
}

} // namespace

QHash<QString, QAction *> buildOntMenu(QMenu *m) {
    QHash<QString, QAction *> out;
    addSubmenu(m, u"删除ONT",
               {u"删除选定ONT", nullptr, u"按索引删除业务流", u"按VLAN删除业务流", u"按端口删除业务流",
                u"按业务板删除业务流", nullptr, u"按索引删除组播数据", u"按VLAN删除组播数据",
                u"按端口删除组播数据", u"按业务板删除组播数据", nullptr, u"删除选定端口所有ONT",
                u"删除该业务板所有ONT"},
               out);
    m->addSeparator();
    addSubmenu(m, u"激活ONT", {u"激活端口下所有的ONT", nullptr, u"激活当前选定ONT"}, out);
    m->addSeparator();
    addSubmenu(m, u"停用ONT", {u"停用端口下所有的ONT", nullptr, u"停用当前选定ONT"}, out);
    m->addSeparator();
    addSubmenu(m, u"重启ONT", {u"重启选定ONT", nullptr, u"重启选定端口所有ONT", u"重启该业务板所有ONT"}, out);
    m->addSeparator();
    addSubmenu(m, u"恢复ONT出厂设置",
               {u"恢复选定ONT", nullptr, u"恢复选定端口所有ONT", u"恢复该业务板所有ONT"}, out);
    m->addSeparator();
    addSubmenu(m, u"修改ONT",
               {u"修改ONT线路模板编号", u"修改ONT业务模板编号", nullptr, u"修改ONT序列号(SN)",
                u"修改ONT逻辑标识(LOID)", u"修改ONT密码(PASSWORD)", nullptr, u"修改ONT备注"},
               out);
    m->addSeparator();
    addSubmenu(m, u"查看ONT状态",
               {u"查看选定ONT状态", nullptr, u"查看选定端口所有ONT状态", u"查看该业务板所有ONT状态"}, out);
    m->addSeparator();
    addSubmenu(
        m, u"查看ONT业务索引",
        {u"查看选定ONT业务索引", nullptr, u"查看选定端口所有ONT业务索引", u"查看该业务板所有ONT业务索引"},
        out);
    m->addSeparator();
    addSubmenu(m, u"查看ONT收光功率", {u"查看选定ONT收光功率", nullptr, u"查看选中端口所有ONT收光功率"}, out);
    m->addSeparator();
    addItems(m, {u"查看ONT实时流量", nullptr, u"查看ONT的注册信息", nullptr, u"查看PON板的端口信息"}, out);
    return out;
}

QHash<QString, QAction *> buildOntVersionMenu(QMenu *m) {
    QHash<QString, QAction *> out;
    addItems(m, {u"查看ONT版本信息"}, out);
    return out;
}

QHash<QString, QAction *> buildOntDiscoveryMenu(QMenu *m) {
    QHash<QString, QAction *> out;
    addItems(m, {u"ONT注册(OMCI)", nullptr, u"ONU注册(SNMP)"}, out);
    return out;
}

QStringList wireMenuOperations(const QHash<QString, QAction *> &items,
                               const QList<OntMenuOperation> &operations, QTableView *view,
                               const GridModel &model, PageContext &context) {
    QStringList unknown;
    for (const OntMenuOperation &operation : operations) {
        QAction *item = items.value(QString::fromUtf16(operation.caption));
        if (!item) {
            unknown << QString::fromUtf16(operation.caption);
            continue;
        }
        item->setEnabled(true);
        const auto run = operation.run;
        QObject::connect(item, &QAction::triggered, view, [view, &model, &context, run] {
            const int row = currentSourceRow(view);
            if (gridMenuOpens(model, row)) run(context, OntRef::fromRow(model, row));
        });
    }
    return unknown;
}

QStringList wireOntMenus(const QHash<QString, QAction *> &listItems, QTableView *listView,
                         const GridModel &list, const QHash<QString, QAction *> &versionItems,
                         QTableView *versionView, const GridModel &versions, PageContext &context) {
    QStringList unknown;
    for (const auto *operations :
         {&lifecycleOperations(), &attributeOperations(), &inspectionOperations(), &flowDeletionOperations()})
        unknown += wireMenuOperations(listItems, *operations, listView, list, context);
    unknown += wireMenuOperations(versionItems, {versionInspection()}, versionView, versions, context);
    return unknown;
}

bool gridMenuOpens(const GridModel &model, int row) {
    return row >= 0 && !model.cell(row, 0).isEmpty();
}

void attachGridMenu(QTableView *view, const GridModel &model, QMenu *menu) {
    // The view's own actions (copy, CSV export) close the operations' menu; over a row no
    // operation applies to, or in an empty grid, they are the whole menu.
    const QList<QAction *> own = view->actions();
    if (!own.isEmpty()) menu->addSeparator();
    menu->addActions(own);
    auto *ownMenu = new QMenu(view);
    ownMenu->setObjectName(QStringLiteral("GridOwnMenu"));
    ownMenu->addActions(own);
    const auto open = [view, &model, menu, ownMenu](const QPoint &pos) {
        QMenu *shown = gridMenuOpens(model, currentSourceRow(view)) ? menu : ownMenu;
        if (!shown->isEmpty()) shown->popup(view->viewport()->mapToGlobal(pos));
    };
    QObject::connect(view, &QWidget::customContextMenuRequested, view, [view, open](const QPoint &pos) {
        // The row under the mouse becomes current, as a right-click selects in a grid; inside a
        // selection of several rows (to copy them) the selection stays.
        const QModelIndex under = view->indexAt(pos);
        QItemSelectionModel *selection = view->selectionModel();
        if (under.isValid() && selection->isRowSelected(under.row(), {}))
            selection->setCurrentIndex(under, QItemSelectionModel::NoUpdate);
        else if (under.isValid())
            view->setCurrentIndex(under);
        open(pos);
    });
    // From the keyboard (the menu key, Shift+F10) the menu opens at the current row.
    auto *byKey = new QAction(view);
    byKey->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    byKey->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(byKey);
    QObject::connect(byKey, &QAction::triggered, view, [view, open] {
        const QRect row = view->visualRect(view->currentIndex());
        open(row.isValid() ? row.center() : QPoint(0, 0));
    });
}

} // namespace tw
