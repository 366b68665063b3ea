#include "common/RunDirectory.h"
#include "common/ManualLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tw;

TEST(RunDirectory, GivenDirectoryThenPortableProgramDirectoryButNeverASystemOne) {
    QTemporaryDir programDir;
    ASSERT_TRUE(programDir.isValid());
    const QString given = programDir.filePath(QStringLiteral("run"));
    const QString tarnwick = QStringLiteral("tarnwick");

    EXPECT_EQ(RunDirectory::choose({tarnwick, QStringLiteral("--run-dir"), given}, programDir.path()).path,
              given);
    EXPECT_EQ(RunDirectory::choose({tarnwick}, programDir.path()).path,
              QDir(programDir.path()).absolutePath());
    // Installed from a package: the per-user directory, also for root, who may write /usr/bin.
    for (const char *system : {"/usr/bin", "/bin", "/usr/local/bin"}) {
        const QString dir = QString::fromLatin1(system);
        if (!QDir(dir).exists()) continue;
        const QString chosen = RunDirectory::choose({tarnwick}, dir).path;
        EXPECT_NE(QDir(chosen).canonicalPath(), QDir(dir).canonicalPath()) << system;
        EXPECT_FALSE(chosen.isEmpty()) << system;
    }
}

// The guide of an installed program, of a portable copy and of a build tree; none elsewhere.
TEST(ManualLocation, InstalledPortableOrBuildTreeGuideElseNone) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const auto dir = [&](const QString &relative) {
        const QString path = QDir::cleanPath(root.filePath(relative));
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    };
    const auto put = [&](const QString &relative) {
        const QString path = QDir::cleanPath(root.filePath(relative));
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return path;
    };
    const QString installed = put(QStringLiteral("usr/share/doc/tarnwick/使用说明.md"));
    const QString source = put(QStringLiteral("src/docs/使用说明.md"));
    const QString portable = put(QStringLiteral("portable/使用说明.md"));

    EXPECT_EQ(manualPath(dir(QStringLiteral("usr/bin"))), installed);
    EXPECT_EQ(manualPath(dir(QStringLiteral("src/build/src"))), source);
    EXPECT_EQ(manualPath(dir(QStringLiteral("src/build/tests/app"))), source);
    EXPECT_EQ(manualPath(dir(QStringLiteral("portable"))), portable);
    EXPECT_EQ(manualPath(dir(QStringLiteral("a/b/c/d/e/bin"))), QString());
    // A folder of that name is no guide.
    dir(QStringLiteral("f/g/h/i/share/doc/tarnwick/使用说明.md"));
    EXPECT_EQ(manualPath(dir(QStringLiteral("f/g/h/i/bin"))), QString());
}
