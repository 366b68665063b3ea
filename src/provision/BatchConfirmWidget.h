#pragma once

#include "provision/BatchRegistration.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace tw {

// The registration row of "ONT 刷机": every ONT a port has found, confirmed with the given profiles.
class BatchConfirmWidget : public QWidget {
    Q_OBJECT
  public:
    BatchConfirmWidget(PageContext &context, QWidget *parent = nullptr);
    ConfirmAllFields fields() const;

    QLineEdit *frame, *slot, *port, *lineProfile, *serviceProfile;
    QPushButton *confirmButton; // "批量注册"
};

} // namespace tw
