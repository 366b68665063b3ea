#include "widgets/SwitchBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QSignalBlocker>

namespace tw {

void onSwitched(QAbstractButton *box, QObject *owner, std::function<bool(bool)> apply) {
    QObject::connect(box, &QAbstractButton::toggled, owner, [box, apply = std::move(apply)](bool on) {
        if (apply(on)) return;
        loadSwitch(box, !on);
    });
}

void loadSwitch(QAbstractButton *box, bool checked) {
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

void loadSwitch(QAction *action, bool checked) {
    const QSignalBlocker quiet(action);
    action->setChecked(checked);
}

} // namespace tw
