#include "app/ManualWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace tw;

// The window shows the guide's Markdown rendered: headings and table cells as text, no markup.
TEST(ManualWindow, ShowsTheGivenGuideOrSaysItIsMissing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("使用说明.md"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "# 连接 OLT\n\n点击“测试连接”。\n\n| 项目 | 说明 |\n|---|---|\n| “IP地址：” | OLT 的管理地址 |\n");
    f.close();

    ManualWindow window(path);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("使用说明"));
    const QString text = window.browser->toPlainText();
    for (const char *shown : {"连接 OLT", "点击“测试连接”。", "“IP地址：”", "OLT 的管理地址"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    for (const char *markup : {"# ", "|---|", "| 项目"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(markup))) << markup;

    for (const QString &missing : {QString(), dir.filePath(QStringLiteral("none.md"))}) {
        ManualWindow none(missing);
        EXPECT_TRUE(none.browser->toPlainText().startsWith(QStringLiteral("未找到使用说明")))
            << none.browser->toPlainText().toStdString();
    }
}
