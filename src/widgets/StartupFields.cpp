#include "widgets/StartupFields.h"

#include "widgets/SwitchBox.h"
#include "common/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tw {

void StartupFields::add(QWidget *field, const Setting &setting) {
    entries_.append({field, setting});
}

void StartupFields::load(const SettingsStore &settings) const {
    for (const Entry &e : entries_) {
        if (!e.field) continue;
        const QString value = settings.read(e.setting);
        if (auto *box = qobject_cast<QCheckBox *>(e.field))
            loadSwitch(box, value == SwitchOn); // a stored state is no change to act on
        else if (auto *edit = qobject_cast<QLineEdit *>(e.field))
            edit->setText(value);
        else if (auto *combo = qobject_cast<QComboBox *>(e.field))
            combo->setCurrentText(value);
        else if (auto *text = qobject_cast<QPlainTextEdit *>(e.field))
            text->setPlainText(value);
    }
}

} // namespace tw
