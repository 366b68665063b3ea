#pragma once
// "使用说明": the operator's guide (Markdown) in a window of its own.

#include <QDialog>

class QTextBrowser;

namespace tw {

class ManualWindow : public QDialog {
    Q_OBJECT
  public:
    // Shows the guide at `path` (see manualPath()); a missing or unreadable file says so instead.
    explicit ManualWindow(const QString &path, QWidget *parent = nullptr);

    QTextBrowser *browser;
};

} // namespace tw
