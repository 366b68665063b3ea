#pragma once

#include <QHash>
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

// Pops `menu` up on a right-click over a row whose first cell is not empty; nothing otherwise.
void attachGridMenu(QTableView *view, const GridModel &model, QMenu *menu);

// Whether a right-click on `row` may open the grid's menu.
bool gridMenuOpens(const GridModel &model, int row);

} // namespace tw
