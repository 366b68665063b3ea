#pragma once
// The router's view of the main window: the fields its fragments are built from, the panes it
// writes and the console it appends to.

#include "olt/RouterInterfaces.h"

namespace tw {

class MainWindow;

class RouterBridge : public RouterFields, public RouterTargets {
  public:
    explicit RouterBridge(MainWindow &window) : window_(window) {}

    QString text(Field field) const override;
    void replacePaneText(Pane pane, const QString &text) override;
    void appendQueryPane(const QString &text) override;
    void appendConsole(const QString &text) override;
    void receiving(qsizetype lines) override;

  private:
    MainWindow &window_;
};

} // namespace tw
