#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
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
class OnuRegisterTab;
struct PageContext;
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

// Page 1: the eight ONT tabs.
class OntPage : public QWidget {
    Q_OBJECT
  public:
    OntPage(GridModel &listGrid, GridModel &discoveryGrid, GridModel &versionGrid, QWidget *parent = nullptr);
    // Builds the parts whose buttons run flows: the batch group of "ONT 注册", the whole of
    // "ONU 注册", and the firmware part and the registration row of "ONT 刷机".
    void buildProvisioning(PageContext &context);

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
    // Built by buildProvisioning().
    BatchRegistrationWidget *batch = nullptr;
    OnuRegisterTab *onu = nullptr;
    BatchConfirmWidget *confirmAll = nullptr;
    OntFirmwareWidget *firmware = nullptr;

  private:
    void buildQueryTabs();
    void buildRegisterGroups();
};

// A grid view over a model, with the model's column widths and a context menu request signal.
// A grid with its filter and count; `onlineColumn` >= 0 counts the online rows, `fitted` columns
// grow to their content.
GridPanelWidget *makeGridPanel(GridModel &model, const QString &name, int onlineColumn, QList<int> fitted);
// Applies the model's captions and widths to the view's header.
void applyGridHeader(QTableView *view, const GridModel &model);

} // namespace tw
