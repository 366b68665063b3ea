#pragma once

#include "provision/ScriptGenerator.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace tw {

class Operator;

// "ONU 注册": the script workbench. The top row, the preview pane "代码预览区：(单击右侧生成)" on
// the left, and on the right the OLT-side and ONU-side generators.
class OnuRegisterTab : public QWidget {
    Q_OBJECT
  public:
    OnuRegisterTab(PageContext &context, QWidget *parent = nullptr);
    OltSideFields oltFields() const;
    OnuSideFields onuFields() const;

    // Top row.
    QLineEdit *frame, *lineProfile, *serviceProfile;
    QComboBox *slot, *port, *managementMode, *boardType; // "SNMP"/"OMCI", "GPON"/"EPON"
    QLabel *serviceProfileLabel;
    QPlainTextEdit *preview;
    QTabWidget *sides;
    // "OLT侧 (需关闭自动注册和自动建流)"
    QLineEdit *ip, *mask, *gateway, *managementVlan, *serial, *ontId, *description;
    QLineEdit *svlan, *uvlan, *cvlan, *gemPort;
    QCheckBox *qinq;
    QPushButton *fetchSerialButton, *generateButton, *managementIpButton, *serviceFlowButton;
    // "ONU侧 (型号不同命令有所不同)"
    QLineEdit *onuIp, *onuUser, *onuPassword, *onuVlan, *uplinkBoard, *uplinkPort, *serviceBoard, *onuUvlan;
    QComboBox *portRange;
    QCheckBox *bridging;
    QLineEdit *templateId, *bridgingVlans;
    QPushButton *flowAButton, *flowBButton;
    // "复制" and "清屏", once on each side.
    QPushButton *oltCopyButton, *oltClearButton, *onuCopyButton, *onuClearButton;

  private:
    QWidget *buildTopRow();
    QWidget *buildOltSide(PageContext &context);
    QWidget *buildOnuSide(PageContext &context);
    void wireCopyAndClear(Operator &op, QPushButton *copy, QPushButton *clear);
    void showScript(const std::optional<QString> &text, bool append);
};

} // namespace tw
