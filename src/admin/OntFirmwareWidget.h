#pragma once

#include "admin/FirmwareOperations.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tw {

struct PageContext;

// The firmware part of "ONT 刷机": file and TFTP server, the targets, the take-effect mode, the
// seven buttons and the fixed note.
class OntFirmwareWidget : public QWidget {
    Q_OBJECT
  public:
    OntFirmwareWidget(PageContext &context, QWidget *parent = nullptr);
    FirmwareFields fields() const;
    ActiveMode mode() const;

    QLineEdit *address, *file, *board, *port, *ont;
    QPushButton *browseButton;
    QRadioButton *defaultMode, *immediateMode, *nextStartupMode;
    // In the page's order: "调试模式" … "退出调试" (FirmwareAction's order).
    QList<QPushButton *> buttons;
    QLabel *note;
};

} // namespace tw
