#pragma once

#include "ont/OntOperation.h"

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QTableView;

namespace tw {

class GridModel;

// Fills the pop-up menus of the three ONT grids: where each item sits (its submenu and section).
// Every item starts disabled until an operation is wired to it. Returns the items by caption.
QHash<QString, QAction *> buildOntMenu(QMenu *menu);
QHash<QString, QAction *> buildOntVersionMenu(QMenu *menu);
QHash<QString, QAction *> buildOntDiscoveryMenu(QMenu *menu);

// Pops `menu` up on a right-click (or the menu key) over a row whose first cell is not empty, with
// the view's own actions (copy, CSV export) at its end; elsewhere a menu of those alone.
void attachGridMenu(QTableView *view, const GridModel &model, QMenu *menu);

// Enables the item of each operation and runs it on the grid's current row when chosen. Returns
// the captions of operations that have no item (a caption typed differently in the two tables).
QStringList wireMenuOperations(const QHash<QString, QAction *> &items,
                               const QList<OntMenuOperation> &operations, QTableView *view,
                               const GridModel &model, PageContext &context);

// Every operation of the ONT list's menu and of the version grid's menu, wired; the captions that
// found no item.
QStringList wireOntMenus(const QHash<QString, QAction *> &listItems, QTableView *listView,
                         const GridModel &list, const QHash<QString, QAction *> &versionItems,
                         QTableView *versionView, const GridModel &versions, PageContext &context);

// Whether a right-click on `row` may open the grid's menu.
bool gridMenuOpens(const GridModel &model, int row);

} // namespace tw
