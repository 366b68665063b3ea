#include "common/RunDirectory.h"

#include <QDir>
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
