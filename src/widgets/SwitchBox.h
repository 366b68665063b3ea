#pragma once
// Check boxes that act when their state changes, whatever changed it: a click, the space bar, a
// screen reader's "Toggle" action (which never clicks), a script. Loading a stored state is no change.

#include <functional>

class QAbstractButton;
class QAction;
class QObject;

namespace tw {

// Each change of `box`'s state goes to `apply` with the new state; `apply` sends or stores it and
// says whether it took. When it did not, the box goes back without acting again.
void onSwitched(QAbstractButton *box, QObject *owner, std::function<bool(bool)> apply);
// Shows a stored state without acting on it.
void loadSwitch(QAbstractButton *box, bool checked);
void loadSwitch(QAction *action, bool checked);

} // namespace tw
