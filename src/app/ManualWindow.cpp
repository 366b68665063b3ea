#include "app/ManualWindow.h"

#include "common/ManualLocation.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tw {

ManualWindow::ManualWindow(const QString &path, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("使用说明"));
    resize(900, 700);
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("ManualText"));
    browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);

    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        browser->setPlainText(QStringLiteral("未找到使用说明（") + (path.isEmpty() ? ManualFileName : path) +
                              QStringLiteral("）。"));
        return;
    }
    // Relative links and images of the guide resolve beside it.
    browser->setSearchPaths({QFileInfo(path).absolutePath()});
    browser->setMarkdown(QString::fromUtf8(file.readAll()));
}

} // namespace tw
