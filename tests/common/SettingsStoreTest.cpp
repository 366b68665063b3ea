#include "common/SettingsStore.h"
#include "TestDoubles.h"
#include "common/Gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tw;

namespace {
QByteArray gbk(const char *utf8) {
    return toGbk(QString::fromUtf8(utf8));
}
} // namespace

TEST(SettingsStore, DefaultsWhenFileOrKeyMissing) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    EXPECT_EQ(store.read(settings::Period), QStringLiteral("1"));
    EXPECT_EQ(store.read(settings::ServiceInnerVlan, QString()), QString());
    EXPECT_EQ(store.read(u"OLT", u"无此键", QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_FALSE(QFile::exists(run.config())) << "reading must not create the file";
}

TEST(SettingsStore, FirstWriteCreatesFileAndSectionOwnerOnly) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    ASSERT_TRUE(store.write(settings::OltAddress, QStringLiteral("10.0.0.1")));
    ASSERT_TRUE(store.write(settings::OltLabel, QStringLiteral("一号机房")));
    EXPECT_EQ(run.readFile(QStringLiteral("config.ini")),
              gbk("[OLT]\r\nIP地址=10.0.0.1\r\n标识=一号机房\r\n"));
    const auto others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_EQ(QFileInfo(run.config()).permissions() & others, 0);
    EXPECT_EQ(store.read(settings::OltLabel), QStringLiteral("一号机房"));
}

TEST(SettingsStore, WriteKeepsEveryOtherLineByteForByte) {
    test::TempRunDir run;
    // Comments, blank lines, odd spacing, LF-only endings, a byte that is not GBK, a junk line.
    const QByteArray before =
        gbk("; 手工注释\n[OLT]\nIP地址 = 1.2.3.4\n  junk line without equals\n\n[基本]\n"
            "周期=5\nGPON业务流=service-port vlan 100 # x\n") +
        QByteArray("raw=\xFF\x80\x01\n");
    run.writeFile(QStringLiteral("config.ini"), before);
    SettingsStore store(run.config());
    EXPECT_EQ(store.read(settings::OltAddress), QStringLiteral("1.2.3.4"));
    ASSERT_TRUE(store.write(settings::Period, QStringLiteral("7")));
    QByteArray expected = before;
    expected.replace("\xD6\xDC\xC6\xDA=5", "\xD6\xDC\xC6\xDA=7"); // 周期
    EXPECT_EQ(run.readFile(QStringLiteral("config.ini")), expected);

    // A new key goes to the end of its section, before the blank separator line.
    ASSERT_TRUE(store.write(settings::OltPort, QStringLiteral("23")));
    EXPECT_TRUE(
        run.readFile(QStringLiteral("config.ini"))
            .startsWith(
                gbk("; 手工注释\n[OLT]\nIP地址 = 1.2.3.4\n  junk line without equals\n端口=23\n\n[基本]")));
}

TEST(SettingsStore, JunkFilesNeverLoseOtherSettings) {
    struct Case {
        const char *name;
        QByteArray file;
        const char *section, *key, *want;
    };
    const QByteArray big(20 * 1024, 'v');
    const Case cases[] = {
        {"no section header", "orphan=1\nkey=2\n[OLT]\n帐号=root\n", "OLT", "帐号", "root"},
        {"duplicate keys: first wins", "[OLT]\n帐号=first\n帐号=second\n", "OLT", "帐号", "first"},
        {"duplicate sections: first wins", "[OLT]\n帐号=a\n[OLT]\n帐号=b\n", "OLT", "帐号", "a"},
        {"case-insensitive ASCII names", "[olt]\nIP地址=h\n", "OLT", "IP地址", "h"},
        {"unterminated last line", "[OLT]\n帐号=root", "OLT", "帐号", "root"},
        // A lone CR ends the file: the next line must not be glued to it (found by fuzzing).
        {"lone CR at the end of another section", "[OLT]\r\n帐号=root\r", "OLT", "帐号", "root"},
        {"lone CR at the end of the written section", "[基本]\r\n框=0\r", "基本", "框", "0"},
        {"binary junk", QByteArray("\x00\x01[\x02\n[OLT]\n\xFE\n", 13) + gbk("帐号=r\n"), "OLT", "帐号", "r"},
    };
    for (const Case &c : cases) {
        test::TempRunDir run;
        QByteArray file = c.file;
        if (!file.contains('\0')) file = toGbk(QString::fromUtf8(c.file));
        run.writeFile(QStringLiteral("config.ini"), file);
        SettingsStore store(run.config());
        EXPECT_EQ(store.read(QString::fromUtf8(c.section), QString::fromUtf8(c.key)),
                  QString::fromUtf8(c.want))
            << c.name;
        ASSERT_TRUE(store.write(settings::Period, QStringLiteral("3"))) << c.name;
        EXPECT_EQ(store.read(QString::fromUtf8(c.section), QString::fromUtf8(c.key)),
                  QString::fromUtf8(c.want))
            << c.name << " after a write";
        EXPECT_EQ(store.read(settings::Period), QStringLiteral("3")) << c.name;
    }

    test::TempRunDir run;
    run.writeFile(QStringLiteral("config.ini"), "[OLT]\nbig=" + big + "\n帐号=root\n");
    SettingsStore store(run.config());
    EXPECT_EQ(store.read(u"OLT", u"big").size(), SettingsStore::MaxValueBytes);
    ASSERT_TRUE(store.write(settings::OltAccount, QStringLiteral("admin")));
    EXPECT_TRUE(run.readFile(QStringLiteral("config.ini")).contains("big=" + big + "\n"));
}

TEST(SettingsStore, CapNeverSplitsADoubleByteCharacter) {
    test::TempRunDir run;
    run.writeFile(QStringLiteral("config.ini"), "[a]\nk=x" + gbk("中").repeated(6000) + "\n");
    const QString value = SettingsStore(run.config()).read(u"a", u"k");
    EXPECT_EQ(value.size(), 1 + (SettingsStore::MaxValueBytes - 1) / 2);
    EXPECT_FALSE(value.contains(QChar::ReplacementCharacter));
}

TEST(SettingsStore, LineBreaksInAValueDoNotSplitTheFile) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    ASSERT_TRUE(store.write(settings::DefaultDescription, QStringLiteral("a\r\nb\nc")));
    EXPECT_EQ(store.read(settings::DefaultDescription), QStringLiteral("a b c"));
}

TEST(SettingsStore, UnwritablePlacesFailInsteadOfLosingData) {
    test::TempRunDir run;
    run.writeFile(QStringLiteral("notadir"), "a file");
    EXPECT_FALSE(
        SettingsStore(run.path() + QStringLiteral("/notadir/config.ini")).write(settings::Period, "2"));
    // A config.ini that exists but cannot be read must not be replaced by a one-key file.
    ASSERT_TRUE(QDir(run.path()).mkdir(QStringLiteral("config.ini")));
    SettingsStore store(run.config());
    EXPECT_FALSE(store.write(settings::Period, QStringLiteral("2")));
    EXPECT_EQ(store.read(settings::Period), QStringLiteral("1"));
    EXPECT_TRUE(QFileInfo(run.config()).isDir());
}

TEST(SettingsStore, ReplaceIsAtomicNoTemporaryLeftBehind) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(store.write(settings::Period, QString::number(i)));
    EXPECT_EQ(QDir(run.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("config.ini")});
}

// The operator's config.ini may be a link (to a shared file, or planted by someone else) or made
// read-only on purpose; a write changes neither the file nor what it points at, and says why.
TEST(SettingsStore, NeverWritesThroughALinkOrIntoAReadOnlyFile) {
    test::TempRunDir run;
    const QByteArray original = gbk("[OLT]\r\nIP地址=10.0.0.1\r\n");
    run.writeFile(QStringLiteral("target.ini"), original);
    ASSERT_TRUE(QFile::link(run.path() + QStringLiteral("/target.ini"), run.config()));
    const auto permissions = QFileInfo(run.path() + QStringLiteral("/target.ini")).permissions();

    SettingsStore store(run.config());
    QStringList told;
    store.setFailureListener([&](const QString &why) { told << why; });
    EXPECT_EQ(store.read(settings::OltAddress), QStringLiteral("10.0.0.1")) << "reading through it is fine";
    EXPECT_FALSE(store.write(settings::OltAddress, QStringLiteral("10.9.9.9")));
    EXPECT_EQ(run.readFile(QStringLiteral("target.ini")), original);
    EXPECT_EQ(QFileInfo(run.path() + QStringLiteral("/target.ini")).permissions(), permissions);
    EXPECT_TRUE(QFileInfo(run.config()).isSymLink());
    EXPECT_TRUE(store.lastError().contains(QStringLiteral("符号链接"))) << store.lastError().toStdString();
    EXPECT_EQ(told, QStringList{store.lastError()});

    // Read-only, even for root (who could write it anyway).
    ASSERT_TRUE(QFile::remove(run.config()));
    run.writeFile(QStringLiteral("config.ini"), original);
    ASSERT_TRUE(QFile::setPermissions(run.config(), QFileDevice::ReadOwner | QFileDevice::ReadUser));
    EXPECT_FALSE(store.write(settings::OltAddress, QStringLiteral("10.9.9.9")));
    EXPECT_EQ(run.readFile(QStringLiteral("config.ini")), original);
    EXPECT_TRUE(store.lastError().contains(QStringLiteral("只读")));

    // Writable again: the write goes through and the reason is gone.
    ASSERT_TRUE(QFile::setPermissions(run.config(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_TRUE(store.write(settings::OltAddress, QStringLiteral("10.9.9.9")));
    EXPECT_TRUE(store.lastError().isEmpty());
    EXPECT_EQ(told.size(), 2);
}
