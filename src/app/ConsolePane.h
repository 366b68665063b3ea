#pragma once
// "命令行": the operator console (what the OLT sends, the entry for typed commands) and the row of
// buttons under it: save, detach, clear, disconnect, reconnect, and the typed command's help,
// interrupt and execute.

#include <QGroupBox>

class QPushButton;
class QSplitter;

namespace tw {

class OltSession;
class OperatorConsole;
class SettingsStore;

class ConsolePane : public QGroupBox {
    Q_OBJECT
  public:
    explicit ConsolePane(OltSession &session, QWidget *parent = nullptr);

    // Puts `above` and the pane into `splitter`, the pane with two fifths of the height at first;
    // the operator's own division is kept in config.ini and comes back at the next start.
    void splitBelow(QWidget *above, QSplitter *splitter, SettingsStore &settings);

    OperatorConsole *console;
    QPushButton *writeButton, *detachButton, *clearButton, *disconnectButton, *reconnectButton, *helpButton,
        *breakButton, *executeButton;

  private:
    void sendEntry();

    OltSession &session_;
};

} // namespace tw
