#pragma once
// "命令行": the operator console (what the OLT sends, the entry for typed commands) and the row of
// buttons under it: save, detach, clear, disconnect, reconnect, and the typed command's help,
// interrupt and execute.

#include <QGroupBox>

class QPushButton;

namespace tw {

class OltSession;
class OperatorConsole;

class ConsolePane : public QGroupBox {
    Q_OBJECT
  public:
    explicit ConsolePane(OltSession &session, QWidget *parent = nullptr);

    OperatorConsole *console;
    QPushButton *writeButton, *detachButton, *clearButton, *disconnectButton, *reconnectButton, *helpButton,
        *breakButton, *executeButton;

  private:
    void sendEntry();

    OltSession &session_;
};

} // namespace tw
