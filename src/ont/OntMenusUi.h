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

// Fills the pop-up menus of the three ONT grids. Every item starts disabled; each operation
// enables its item when it is wired. Returns the items by caption.
QHash<QString, QAction *> buildOntMenu(QMenu *menu);
QHash<QString, QAction *> buildOntVersionMenu(QMenu *menu);
QHash<QString, QAction *> buildOntDiscoveryMenu(QMenu *menu);

// Pops `menu` up on a right-click (or the menu key) over a row whose first cell is not empty, with
// the view's own actions (copy, CSV export) at its end; elsewhere a menu of those alone.
void attachGridMenu(QTableView *view, const GridModel &model, QMenu *menu);

// Enables the item of each operation and runs it on the grid's current row when chosen.
void wireMenuOperations(const QHash<QString, QAction *> &items, const QList<OntMenuOperation> &operations,
                        QTableView *view, const GridModel &model, PageContext &context);

// Every operation of the ONT list's menu and of the version grid's menu, wired.
void wireOntMenus(const QHash<QString, QAction *> &listItems, QTableView *listView, const GridModel &list,
                  const QHash<QString, QAction *> &versionItems, QTableView *versionView,
                  const GridModel &versions, PageContext &context);

// Whether a right-click on `row` may open the grid's menu.
bool gridMenuOpens(const GridModel &model, int row);

} // namespace tw
