#pragma once

#include "provision/BatchRegistration.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tw {

// The body of "批量生成参数 (线路业务模版使用默认参数)" on "ONT 注册": start, count, naming rule,
// zero padding, and "预览", "注册", "帮助". The frame, board, port, "业务VLAN：" and "注册方式："
// come from the tab's top row through `topRow`.
class BatchRegistrationWidget : public QWidget {
    Q_OBJECT
  public:
    BatchRegistrationWidget(PageContext &context, std::function<BatchFields()> topRow,
                            QWidget *parent = nullptr);
    BatchFields fields() const;

    QLineEdit *start, *count, *rule;
    QCheckBox *padding;
    QPushButton *previewButton, *registerButton, *helpButton; // "帮助" is the tab's to wire

  private:
    std::function<BatchFields()> topRow_;
};

} // namespace tw
