#pragma once
// The fields that hold values from config.ini right after start-up. Each page registers its own
// fields here, in the order they are loaded.

#include "common/Settings.h"

#include <QList>
#include <QPointer>
#include <QWidget>

namespace tw {

class SettingsStore;

class StartupFields {
  public:
    // Edit boxes and drop-down lists receive the text; check boxes are ticked when it is "真".
    void add(QWidget *field, const Setting &setting);
    void load(const SettingsStore &settings) const;
    qsizetype size() const { return entries_.size(); }

  private:
    struct Entry {
        QPointer<QWidget> field;
        Setting setting;
    };
    QList<Entry> entries_;
};

} // namespace tw
