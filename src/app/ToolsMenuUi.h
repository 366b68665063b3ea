#pragma once
// The "工具(&T)" and "帮助(&H)" menus: the desktop's notepad and calculator, the built-in TFTP
// server, the operator's guide, the command reference and the about box.

#include <QObject>
#include <QStringList>

#include <functional>

class QMainWindow;
class QMenu;

namespace tw {

class OltSession;
class TftpServerUi;

class ToolsMenuUi : public QObject {
    Q_OBJECT
  public:
    // Adds both menus to `window`'s menu bar; `report` puts a line in the status bar.
    ToolsMenuUi(QMainWindow *window, OltSession &session, std::function<void(const QString &)> report);

    QMenu *toolsMenu;
    QMenu *helpMenu;
    TftpServerUi *tftp; // "TFTP服务器": the built-in server on the run directory

  private:
    // Starts the first of `candidates` found on the path; says so when none is.
    void launchTool(const QStringList &candidates, const QString &what);
    void showAbout();

    QMainWindow *window_;
    OltSession &session_;
};

} // namespace tw
