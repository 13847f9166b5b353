// These tests use a real settings file. Before anything else runs, HOME and XDG_CONFIG_HOME
// point into a fresh temporary folder, so the user's own settings are never touched.

#include "OptionsTestSupport.h"

#include "config/Options.h"
#include "config/OptionsText.h"
#include "config/RevisionCheck.h"
#include "config/WindowRecords.h"
#include "platform/SettingsStoreQt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quorvex;

namespace {

struct TPrivateHome {
    TPrivateHome()
    {
        char pattern[] = "/tmp/quorvex-config-test-XXXXXX";
        if (const char* dir = mkdtemp(pattern)) Path = QString::fromLocal8Bit(dir);
        qputenv("HOME", Path.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (Path + "/config").toLocal8Bit());
    }
    ~TPrivateHome() { QDir(Path).removeRecursively(); }
    QString Path;
};
const TPrivateHome PrivateHome;

std::vector<QString> Values(const TOptions& options)
{
    std::vector<QString> values;
    for (const TSettingText& t : DescribeOptions(options)) values.push_back(t.Name + "=" + t.Value);
    return values;
}

} // namespace

TEST(QtSettingsStore, NativeStoreLivesInTheUsersConfigFolder)
{
    ASSERT_FALSE(PrivateHome.Path.isEmpty());
    const TQtSettingsStore store;
#ifdef Q_OS_LINUX
    EXPECT_EQ(store.FileName(), PrivateHome.Path + "/config/Talmirex/Quorvex.conf");
#endif
}

TEST(QtSettingsStore, SettingsRoundTripThroughTheNativeFile)
{
    std::vector<QString> saved;
    {
        TQtSettingsStore store;
        store.DeleteKey(QString());
        EXPECT_FALSE(RunRevisionCheck(store).MarkerPresent);
        TOptions options(store, test::TestEnvironment());
        options.SetAutoSaveEdit(100);
        options.SetDescWaitBar(20);
        options.SetAutoloadList({"/my catalogs/a,b.ctf", "@odd.ctf", "plain.ctf"});
        options.SetFontSlot(fsFileList, TFontSlot{true, -13, fsItalic, "Noto \xC3\xA9"});
        options.SetToolbarEntries({0, 255, 254});
        options.SetShellEdit("=;#[x]");
        ASSERT_TRUE(options.Save());
        SaveWindowRecord(store, "ViewerWndPos", {{1, 2, 3, 4}, -1}, {1920, 1080});
        saved = Values(options);
    }
    TQtSettingsStore store;
    EXPECT_TRUE(QFile::exists(store.FileName()));
    const TRevisionCheck check = RunRevisionCheck(store);
    EXPECT_TRUE(check.MarkerPresent);
    EXPECT_FALSE(check.StoreDeleted);
    const TOptions options(store, test::TestEnvironment());
    EXPECT_EQ(Values(options), saved);
    EXPECT_FALSE(options.IsChanged());
    EXPECT_EQ(LoadWindowRecord(store, "ViewerWndPos"), (TWindowRecord{{1, 2, 3, 4}, -1}));
}

TEST(QtSettingsStore, AHandEditedFileFallsBackToDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("edited.conf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\n"
               "RevisionMarker=@ByteArray(\\x2)\n"
               "Settings=hello\n"
               "AdvSettings=@ByteArray(\\x1\\x2)\n"
               "Autoload=a.ctf, b.ctf\n"
               "WindowPos=@ByteArray(abc)\n"
               "Font1=12\n");
    file.close();
    TQtSettingsStore store(path);
    EXPECT_TRUE(RunRevisionCheck(store).MarkerPresent);
    const TOptions options(store, test::TestEnvironment());
    EXPECT_TRUE(options.IsChanged());
    EXPECT_EQ(options.DescWaitBar(), 12);
    EXPECT_EQ(options.AutoSaveEdit(), 17);
    EXPECT_EQ(options.AutoloadList(), QStringList({"a.ctf", "b.ctf"}));
    EXPECT_FALSE(LoadMainWindowRecord(store));
    EXPECT_EQ(store.ReadInteger(QString(), "Font1"), 12);
}

TEST(QtSettingsStore, DeletingTheRootEmptiesTheFileAndSubkeysGoWithIt)
{
    QTemporaryDir dir;
    TQtSettingsStore store(dir.filePath("s.conf"));
    EXPECT_FALSE(store.KeyExists(QString()));
    store.WriteWord("ReportGen", "Settings", 15);
    store.WriteInteger(QString(), "CopyTo", 3);
    EXPECT_TRUE(store.KeyExists(QString()));
    EXPECT_TRUE(store.KeyExists("ReportGen"));
    EXPECT_FALSE(store.KeyExists("Columns"));
    EXPECT_EQ(store.ReadWord("ReportGen", "Settings"), 15u);
    EXPECT_EQ(store.ValueNames(QString()), QStringList({"CopyTo"}));
    store.DeleteKey("ReportGen");
    EXPECT_FALSE(store.KeyExists("ReportGen"));
    EXPECT_TRUE(store.KeyExists(QString()));
    store.DeleteKey(QString());
    EXPECT_FALSE(store.KeyExists(QString()));
    EXPECT_TRUE(store.Flush());
}
