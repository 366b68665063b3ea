#include "common/QtChineseTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tw;

// In the C locale the file dialog still speaks Chinese: its labels, its column heads, a folder's
// type and a file's type; taken back, Qt is as it was.
TEST(ChineseQtTexts, TheFileDialogIsChineseInTheCLocale) {
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("备份")));
    QFile csv(dir.filePath(QStringLiteral("onts.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.close();
    {
        const QtChineseTexts texts;
        ASSERT_TRUE(texts.translationLoaded()) << "Qt's translations (qt6-translations-l10n) are missing";
        QFileDialog dialog(nullptr, QStringLiteral("导出CSV"), dir.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto *model = dialog.findChild<QFileSystemModel *>();
        ASSERT_NE(model, nullptr);
        const QModelIndex folder = model->index(dir.filePath(QStringLiteral("备份")), 2);
        const QModelIndex file = model->index(csv.fileName(), 2);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !folder.data().toString().isEmpty() && !file.data().toString().isEmpty(); }));
        EXPECT_EQ(folder.data().toString(), QStringLiteral("文件夹"));
        EXPECT_EQ(file.data().toString(), QStringLiteral("CSV 文档"));
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("名称"));
        auto *lookIn = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
        ASSERT_NE(lookIn, nullptr);
        EXPECT_EQ(lookIn->text(), QStringLiteral("查找范围："));
    }
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), QStringLiteral("Folder"));
    EXPECT_EQ(QLocale(), QLocale::c());
}
