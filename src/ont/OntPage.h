#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <memory>

class QAction;
class QCheckBox;
class QDialog;
class QMenu;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace tw {

class GridPanelWidget;

class BatchConfirmWidget;
class BatchRegistrationWidget;
class GridModel;
class OntFirmwareWidget;
class OltSession;
class OntQueries;
class OnuRegisterTab;
class StartupFields;
struct PageContext;
struct RegisterFields;
struct PortFields;
struct DetailFields;

// The fixed tips of "ONT 注册", shown in its pane until a registration reply replaces them.
inline const QString RegistrationHelp = QStringLiteral(
    "\r\n每个PON端口最多注册127个ONT\r\n\r\n业务板：     左 1-8，右 11-18\r\n\r\n端口：       "
    "0-15，0为第一个\r\n\r\nLOID：       长度1-24位文本\r\n\r\n密码：       长度1-10位文本\r\n\r\n"
    "序列号：     14位、16位或4+8位，如 <XXXXXXXXXXXXXXXX>、<XXXX-XXXXXXXX>\r\n\r\n"
    "开启自动注册后请勿执行其他命令，以免命令回显被当作注册回复；如需其他操作请先关闭自动注册！\r\n");

// The frame box and the board and port selectors that several tabs share.
struct PortSelector {
    QLineEdit *frame;
    QComboBox *slot; // "0" … "22"
    QComboBox *port; // "0" … "15"
    PortFields fields() const;
};

// Page 1: the eight ONT tabs over the session's three grids, with their queries, the ONT menus,
// the manual, batch and automatic registration and the firmware part.
class OntPage : public QWidget {
    Q_OBJECT
  public:
    explicit OntPage(OltSession &session, QWidget *parent = nullptr);
    ~OntPage() override;

    // The fields this page restores at start-up and stores as they are edited.
    void registerStartupFields(StartupFields &fields);
    // The modal auto-registration window ("自动注册"): the loop runs while it is open.
    void openAutoRegisterWindow();

    QTabWidget *tabs;
    QWidget *listTab, *detailTab, *discoveryTab, *searchTab, *registerTab, *onuRegisterTab, *versionTab,
        *flashTab;
    QTableView *ontListGrid, *ontDiscoveryGrid, *ontVersionGrid; // the views of the panels
    GridPanelWidget *listPanel, *discoveryPanel, *versionPanel;
    QPlainTextEdit *detailPane, *searchPane, *registrationPane;
    // Where each tab's own fields and buttons go, above its grid or pane.
    QWidget *listFields, *detailFields, *discoveryFields, *searchFields, *registerFields, *versionFields,
        *flashFields;

    // "ONT 列表"
    PortSelector list;
    QPushButton *listPortButton, *listBoardButton, *listFrameButton;
    // "ONT 详细"
    PortSelector detail;
    QLineEdit *detailOnt, *detailIndex;
    QPushButton *detailButton, *registrationButton, *indexButton, *flowButton, *detailHelpButton;
    DetailFields detailFieldsNow() const;
    // "ONT 发现"
    PortSelector discovery;
    QPushButton *discoverButton, *portStateButton, *allStatesButton, *discoverAllButton;
    // "ONT 查询"
    QComboBox *searchType;
    QLineEdit *searchParameter;
    QPushButton *searchButton, *searchHelpButton;
    // "ONT 版本"
    PortSelector version;
    QPushButton *versionPortButton, *versionBoardButton, *versionFrameButton;

    // "ONT 注册": the manual and batch registration groups share one place; the automatic one.
    QGroupBox *manualGroup, *batchGroup, *autoGroup;
    QCheckBox *autoRegisterBox, *iptvBox, *autoMoveBox;
    QLineEdit *periodBox;
    // The "序列号：" boxes of the manual registration group and of "ONU 注册".
    QLineEdit *manualSerial, *onuSerial = nullptr;
    // "ONT 注册": the top row and the rest of the manual group.
    PortSelector registration;
    QLineEdit *outerVlan, *serviceVlan, *lineProfile, *serviceProfile, *manualDescription;
    QComboBox *registrationMode; // "SN/MAC", "LOID", "密码"
    QPushButton *fetchSerialButton, *registerButton;
    QPushButton *testAutoRegisterButton;
    BatchRegistrationWidget *batch = nullptr;
    OnuRegisterTab *onu = nullptr;
    BatchConfirmWidget *confirmAll = nullptr;
    OntFirmwareWidget *firmware = nullptr;

    // The grids' pop-up menus and their items by caption.
    QMenu *ontMenu, *ontVersionMenu, *ontDiscoveryMenu;
    QHash<QString, QAction *> ontActions, ontVersionActions, ontDiscoveryActions;

  signals:
    // The auto-registration window is up (tests drive it from here).
    void autoRegisterWindowOpened(QDialog *window);

  private:
    void buildQueryTabs();
    void buildRegisterGroups();
    // The parts whose buttons run flows: the batch group of "ONT 注册", the whole of "ONU 注册",
    // and the firmware part and the registration row of "ONT 刷机".
    void buildProvisioning();
    void wireQueries();
    void wireMenus();
    void wireRegistration();
    void wireAutoRegistration();
    void registerRouterView();
    RegisterFields registerFieldsNow() const;

    OltSession &session_;
    std::unique_ptr<OntQueries> queries_;
};

} // namespace tw
