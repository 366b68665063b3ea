#include "app/CommandLineWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace tw;

TEST(CommandLineWindow, MirrorsFreezesAndResizes) {
    QString pane = QStringLiteral("line 1\nline 2");
    CommandLineWindow w([&] { return pane; });
    EXPECT_EQ(w.windowTitle(), QStringLiteral("命令行"));
    EXPECT_TRUE(w.timer.isActive());
    EXPECT_EQ(w.timer.interval(), 1000);
    w.sync();
    EXPECT_EQ(w.view->toPlainText(), pane);

    w.autoSync->click(); // unticked: frozen
    EXPECT_FALSE(w.timer.isActive());
    pane.clear();
    EXPECT_EQ(w.view->toPlainText(), QStringLiteral("line 1\nline 2"));
    w.autoSync->click();
    EXPECT_TRUE(w.timer.isActive());
    w.sync();
    EXPECT_EQ(w.view->toPlainText(), QString()) << "a cleared console empties the copy";

    w.fontSize->setText(QStringLiteral("12.7"));
    EXPECT_EQ(w.view->font().pointSize(), 12);
    w.fontSize->setText(QStringLiteral("abc")); // no usable size: the text stays readable
    EXPECT_EQ(w.view->font().pointSize(), 12);
}
