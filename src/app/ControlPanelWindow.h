#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tw {

class Operator;
class SettingsStore;

// The modal window for the OLT connection data, the registration defaults and three switches.
class ControlPanelWindow : public QDialog {
    Q_OBJECT
  public:
    ControlPanelWindow(SettingsStore &settings, Operator &op, QWidget *parent = nullptr);

    // Fills every field from config.ini with an empty default (done on opening).
    void fill();
    void saveConnection(); // "保存设置"
    void saveOther();      // "保存"

    QTabWidget *tabs;
    // "OLT配置"
    QLineEdit *address, *port, *account, *password, *label;
    // "Telnet" or "SSH": which protocol, and so which port key, the port field is for.
    QComboBox *protocol;
    QCheckBox *logBox, *reconnectBox;
    QPushButton *testButton, *saveConnectionButton;
    // "其他"
    QLineEdit *gponLine, *eponLine, *gponService, *eponService;
    QLineEdit *serviceOuter, *serviceInner, *iptvOuter, *iptvInner, *multicast, *description;
    QCheckBox *serviceFlowBox;
    QPushButton *saveOtherButton;

  signals:
    // "测试连接" with the texts as typed and the chosen protocol.
    void testConnectionRequested(const QString &host, const QString &port, const QString &account,
                                 const QString &password, const QString &protocol);

  private:
    void protocolChosen();

    SettingsStore &settings_;
    Operator &op_;
    int shownProtocol_ = 0;  // the combo's index the port field was last set for
    bool portTyped_ = false; // the operator edited the port field since then
};

} // namespace tw
