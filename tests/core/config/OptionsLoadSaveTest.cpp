#include "OptionsTestSupport.h"

#include "config/FontRecords.h"
#include "config/Options.h"
#include "config/OptionsText.h"
#include "platform/Prompt.h"
#include "platform/SettingsStoreMemory.h"

#include "TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace quorvex;
using quorvex::test::TestEnvironment;

namespace {

const QString Root;

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values) bytes.append(char(v));
    return bytes;
}

// Every setting as text: two settings objects are equal when these are.
std::vector<QString> Values(const TOptions& options)
{
    std::vector<QString> values;
    for (const TSettingText& t : DescribeOptions(options)) values.push_back(t.Name + "=" + t.Value);
    return values;
}

// Changes every setting away from its fresh default.
void ChangeEverything(TOptions& o)
{
    for (const TWordSettingDef& def : WordSettingTable()) {
        const int value = o.WordValue(def.Id);
        o.SetWordValue(def.Id, value == def.Max ? def.Min : def.Max);
    }
    o.SetWordValue(TWordSetting::DescWaitBar, 18);
    for (int slot = 0; slot < FontSlotCount; ++slot)
        o.SetFontSlot(slot, TFontSlot{slot % 2 == 0, -10 - slot, uint8_t(slot),
                                      QString("Face %1").arg(slot)});
    o.SetImportDescOrder({TDescSource::ArchiveComment, TDescSource::DescriptIon,
                          TDescSource::FileIdDiz, TDescSource::FilesBbs});
    o.SetToolbarEntries({3, 0, 1, 255, 2});
    o.SetAutoloadList({"/cat/one.ctf", "/cat/with space, and comma.ctf", "quote\"d.ctf"});
    o.SetDescList({"README.1ST", "*.DOC"});
    o.SetExtractDir("/exists/extract/");
    o.SetCatalogPathEdit("/exists/catalogs/");
    o.SetViewerEdit("/usr/bin/less");
    o.SetShellEdit("/usr/bin/nautilus");
}

} // namespace

TEST(OptionsLoad, WithoutStoredSettingsTheFreshDefaultsApply)
{
    TMemorySettingsStore store;
    const TOptions o(store, TestEnvironment());
    EXPECT_TRUE(o.IsChanged()); // so that the next save creates the store
    EXPECT_TRUE(o.CreateBakCheck());
    EXPECT_TRUE(o.InsideZipCheck());
    EXPECT_TRUE(o.AutoSaveCheck());
    EXPECT_EQ(o.AutoSaveEdit(), 15);
    EXPECT_FALSE(o.RestoreDirCheck());
    EXPECT_TRUE(o.AskRemoveTemp());
    EXPECT_EQ(o.ToolbarDock(), ToolbarTop);
    EXPECT_EQ(o.ToolbarButtonSize(), 25);
    EXPECT_EQ(o.ExtractDir(), "/tmp-test/");
    EXPECT_EQ(o.CatalogPathEdit(), "/prog/");
    EXPECT_EQ(o.ViewerEdit(), "/usr/bin/viewer");
    EXPECT_EQ(o.ShellEdit(), "");
    EXPECT_EQ(o.DescList(), TOptions::DefaultDescList());
    EXPECT_TRUE(o.FontSlot(fsAsciiViewer).UseCustom);
    EXPECT_EQ(o.FontSlot(fsAsciiViewer).Face, "Courier New");
    EXPECT_EQ(o.FontSlot(fsPropertiesDesc).Height, -15);
    EXPECT_FALSE(o.FontSlot(fsCatalogTree).UseCustom);
    EXPECT_EQ(o.EffectiveFont(fsAsciiViewer).Face, "Courier New");
    for (int kind = 1; kind <= 14; ++kind) EXPECT_TRUE(o.ArchiveKindEnabled(kind));
    EXPECT_FALSE(o.ArchiveKindEnabled(0));
    EXPECT_FALSE(o.ArchiveKindEnabled(15));
    EXPECT_TRUE(store.IsEmpty()); // loading never writes
}

TEST(OptionsLoad, AStoreWithoutTheWordsDecodesTheirDefaults)
{
    TMemorySettingsStore store;
    store.Put(Root, "ExternalShell", QString("/bin/sh"));
    const TOptions o(store, TestEnvironment());
    EXPECT_TRUE(o.IsChanged());
    EXPECT_EQ(o.ShellEdit(), "/bin/sh");
    // "AdvSettings" 0x0005078F: keep descriptions and names, comment and FILE_ID.DIZ rows
    // ticked, autosave off at 17 minutes, archives sorted as files, double-click row 1, ask
    // before removing, quick scan, serial change and asking on.
    EXPECT_TRUE(o.DescKeepCurrentCheck());
    EXPECT_TRUE(o.UpdateNameCheck());
    EXPECT_TRUE(o.DescSourceChecked(TDescSource::ArchiveComment));
    EXPECT_TRUE(o.DescSourceChecked(TDescSource::FileIdDiz));
    EXPECT_FALSE(o.AutoSaveCheck());
    EXPECT_EQ(o.AutoSaveEdit(), 17);
    EXPECT_FALSE(o.ArchivesSortCheck());
    EXPECT_EQ(o.FileDoubleClickCombo(), dcProperties);
    EXPECT_TRUE(o.AskRemoveTemp());
    EXPECT_TRUE(o.ArchiveQuickScan());
    EXPECT_TRUE(o.SetSerialCheck());
    EXPECT_TRUE(o.SerialAskCheck());
    EXPECT_FALSE(o.CreateBakCheck());
    EXPECT_FALSE(o.InsideZipCheck());
    EXPECT_TRUE(o.AutohideCheck());
    EXPECT_FALSE(o.DisableSmoothCheck());
}

TEST(OptionsSave, ARoundTripKeepsEveryValue)
{
    TMemorySettingsStore store;
    TOptions first(store, TestEnvironment());
    const std::vector<QString> fresh = Values(first);
    ChangeEverything(first);
    const std::vector<QString> changed = Values(first);
    for (size_t i = 0; i < fresh.size(); ++i) EXPECT_NE(fresh[i], changed[i]);

    TScriptedPrompt prompt;
    ASSERT_TRUE(first.Save(prompt));
    EXPECT_FALSE(first.IsChanged());
    EXPECT_TRUE(prompt.Shown.empty());

    const TOptions second(store, TestEnvironment());
    EXPECT_EQ(Values(second), changed);
    EXPECT_FALSE(second.IsChanged()); // every value was there and readable
    EXPECT_EQ(second.FontSlot(3), first.FontSlot(3));
    EXPECT_EQ(store.ReadBinary(Root, "RevisionMarker"), Bytes({2}));
    EXPECT_EQ(store.ReadBinary(Root, "Font2")->size(), 7 + 6); // name length + 7
}

TEST(OptionsSave, FreshSettingsRoundTripToo)
{
    TMemorySettingsStore store;
    TOptions first(store, TestEnvironment());
    ASSERT_TRUE(first.Save());
    const TOptions second(store, TestEnvironment());
    EXPECT_EQ(Values(second), Values(first));
}

TEST(OptionsLoad, ValuesOfTheWrongTypeOrSizeTakeTheirDefaults)
{
    TMemorySettingsStore store;
    store.Put(Root, "RevisionMarker", Bytes({2}));
    store.Put(Root, "Settings", Bytes({0x12, 0x34}));         // too short
    store.Put(Root, "AdvSettings", QString("0x0005078F"));    // text, not bytes
    store.Put(Root, "Settings2", Bytes({1, 0, 0, 0, 0}));     // too long
    store.Put(Root, "ArchiveSupport", qlonglong(0));          // a number
    store.Put(Root, "UseFontData", Bytes({0}));
    store.Put(Root, "Font2", Bytes({1, 0, 0, 0, 0, 200, 'A'})); // name longer than the record
    store.Put(Root, "Font3", QByteArray());
    store.Put(Root, "ImportDescOrder", Bytes({3, 2, 1}));
    store.Put(Root, "CustomToolbar", QString("1,2,3"));
    store.Put(Root, "Autoload", Bytes({'a'}));
    store.Put(Root, "TempDir", Bytes({'/'}));
    const TOptions o(store, TestEnvironment());
    EXPECT_TRUE(o.IsChanged());
    EXPECT_EQ(o.DescWaitBar(), 12);          // from 0x315CAEA2
    EXPECT_EQ(o.AutoSaveEdit(), 17);         // from 0x0005078F
    EXPECT_TRUE(o.ShowShortcutsCheck());     // from 1
    EXPECT_TRUE(o.ArchiveKindEnabled(9));    // from 0xFFFF
    EXPECT_EQ(o.FontSlot(2).Face, "Courier New");
    EXPECT_TRUE(o.FontSlot(2).UseCustom);
    EXPECT_EQ(o.ImportDescOrder()[0], TDescSource::FileIdDiz);
    EXPECT_TRUE(o.AutoloadList().isEmpty());
    EXPECT_EQ(o.ExtractDir(), "/tmp-test/");
}

TEST(OptionsLoad, ImportDescOrderMovesEachStoredSourceToItsRow)
{
    struct TCase {
        QByteArray Stored;
        TDescSourceOrder Expected;
    };
    using S = TDescSource;
    const TCase cases[] = {
        {Bytes({2, 0, 1, 3}), {S::DescriptIon, S::FileIdDiz, S::FilesBbs, S::ArchiveComment}},
        {Bytes({3, 2, 1, 0}), {S::ArchiveComment, S::DescriptIon, S::FilesBbs, S::FileIdDiz}},
        // damaged bytes still leave every source in exactly one row
        {Bytes({9, 200, 1, 1}), {S::FileIdDiz, S::DescriptIon, S::ArchiveComment, S::FilesBbs}},
        {Bytes({1, 1, 1, 1}), {S::FileIdDiz, S::DescriptIon, S::ArchiveComment, S::FilesBbs}},
    };
    for (const TCase& c : cases) {
        TMemorySettingsStore store;
        store.Put(Root, "ImportDescOrder", c.Stored);
        const TOptions o(store, TestEnvironment());
        EXPECT_EQ(o.ImportDescOrder(), c.Expected) << c.Stored.toHex().constData();
    }
}

TEST(OptionsLoad, DescSourceChecksFollowTheirSourceNotTheirRow)
{
    TMemorySettingsStore store;
    store.Put(Root, "ImportDescOrder", Bytes({2, 0, 1, 3}));
    store.Put(Root, "Settings", Bytes({0x22, 0x2E, 0x5C, 0x31})); // DESCRIPT.ION and FILES.BBS off
    TOptions o(store, TestEnvironment());
    EXPECT_EQ(o.DescSourceAt(0), TDescSource::DescriptIon);
    EXPECT_FALSE(o.DescSourceChecked(TDescSource::DescriptIon));
    EXPECT_FALSE(o.DescSourceChecked(TDescSource::FilesBbs));
    EXPECT_TRUE(o.DescSourceChecked(TDescSource::FileIdDiz));
    o.MoveDescSourceRow(0, +1); // "Lower priority"
    EXPECT_EQ(o.DescSourceRow(TDescSource::DescriptIon), 1);
    EXPECT_FALSE(o.DescSourceChecked(TDescSource::DescriptIon));
    o.MoveDescSourceRow(0, -1); // nothing above the first row
    EXPECT_EQ(o.DescSourceAt(0), TDescSource::FileIdDiz);
}

TEST(OptionsLoad, ArchiveSupportSwitchesKindsAndIsWrittenWithOtherBitsSet)
{
    TMemorySettingsStore store;
    store.Put(Root, "ArchiveSupport", Bytes({0xFF, 0xFE, 0, 0})); // bit 8 clear: ZIP off
    TOptions o(store, TestEnvironment());
    EXPECT_FALSE(o.ArchiveKindEnabled(9));
    EXPECT_FALSE(o.ArcZIP());
    EXPECT_TRUE(o.ArchiveKindEnabled(8));
    o.SetArcTAR(false);
    ASSERT_TRUE(o.Save());
    EXPECT_EQ(store.ReadWord(Root, "ArchiveSupport"), 0xFFFFFFFFu & ~(1u << 8) & ~(1u << 11));
}

TEST(OptionsLoad, FolderSettingsFallBackSilentlyWhenTheFolderIsGone)
{
    struct TCase {
        QVariant Stored;
        QString ExtractDir;
    };
    const TCase cases[] = {
        {QString("/exists/x/"), "/exists/x/"},
        {QString("/gone/"), "/tmp-test/"},
        {QString(""), "/tmp-test/"},
        {QVariant(), "/tmp-test/"},
    };
    for (const TCase& c : cases) {
        TMemorySettingsStore store;
        store.Put(Root, "ExternalShell", QString());
        if (c.Stored.isValid()) {
            store.Put(Root, "TempDir", c.Stored);
            store.Put(Root, "CatalogDir", c.Stored);
        }
        const TOptions o(store, TestEnvironment());
        EXPECT_EQ(o.ExtractDir(), c.ExtractDir);
        EXPECT_EQ(o.CatalogPathEdit(), c.ExtractDir == "/tmp-test/" ? "/prog/" : c.ExtractDir);
    }
}

TEST(OptionsApply, MissingFoldersAreResetWithAMessage)
{
    TMemorySettingsStore store;
    TOptions o(store, TestEnvironment());
    o.SetExtractDir("/gone/extract");
    o.SetCatalogPathEdit("/exists/catalogs");
    TScriptedPrompt prompt;
    o.Apply(prompt);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Invalid folder");
    EXPECT_EQ(prompt.Shown[0].Icon, TPromptIcon::Warning);
    EXPECT_EQ(prompt.Shown[0].Text,
              "Folder \"/gone/extract\", set as temporary folder for extracting files does not "
              "exist!\rReverting to default Windows temporary folder.");
    EXPECT_EQ(o.ExtractDir(), "/tmp-test/");
    EXPECT_EQ(o.CatalogPathEdit(), "/exists/catalogs/"); // separator appended

    o.SetCatalogPathEdit("");
    o.Apply(prompt);
    ASSERT_EQ(prompt.Shown.size(), 2u);
    EXPECT_EQ(prompt.Shown[1].Text,
              "Folder \"\", set as default folder for catalog storage does not exist!\r"
              "Reverting to program folder.");
    EXPECT_EQ(o.CatalogPathEdit(), "/prog/");
}

TEST(OptionsApply, HooksLearnWhatTheyMustRedo)
{
    TMemorySettingsStore store;
    TOptions o(store, TestEnvironment());
    std::vector<TApplyChanges> seen;
    o.AddApplyHook([&](const TOptions& options, const TApplyChanges& changes) {
        EXPECT_EQ(&options, &o);
        seen.push_back(changes);
    });
    TScriptedPrompt prompt;
    o.Apply(prompt);
    o.SetArchivesSortCheck(!o.ArchivesSortCheck());
    o.Apply(prompt);
    o.SetFormattedSizesCheck(!o.FormattedSizesCheck());
    o.Apply(prompt);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_TRUE(seen[0].First);
    EXPECT_FALSE(seen[0].ArchivesSortChanged);
    EXPECT_FALSE(seen[1].First);
    EXPECT_TRUE(seen[1].ArchivesSortChanged);
    EXPECT_FALSE(seen[1].FormattedSizesChanged);
    EXPECT_FALSE(seen[2].ArchivesSortChanged);
    EXPECT_TRUE(seen[2].FormattedSizesChanged);
}

TEST(OptionsSave, AStoreThatCannotBeWrittenIsReportedAndStaysPending)
{
    for (bool failAtFlush : {false, true}) {
        TMemorySettingsStore store;
        TOptions o(store, TestEnvironment());
        o.SetCreateBakCheck(false);
        if (failAtFlush)
            store.SetFailFlush(true);
        else
            store.SetWritable(false);
        TScriptedPrompt prompt;
        EXPECT_FALSE(o.Save(prompt));
        EXPECT_TRUE(o.IsChanged());
        ASSERT_EQ(prompt.Shown.size(), 1u);
        EXPECT_EQ(prompt.Shown[0].Caption, "Error saving config");
        EXPECT_EQ(prompt.Shown[0].Icon, TPromptIcon::Error);
        EXPECT_EQ(prompt.Shown[0].Text,
                  "An error has occurred while writing to registry!\r\nPlease check your windows "
                  "registry, there may be more serious problem involved.");
        if (!failAtFlush) {
            EXPECT_TRUE(store.IsEmpty()); // nothing written
        }
    }
}

TEST(Options, EditsSetTheChangedFlagAndAReloadUndoesThem)
{
    TMemorySettingsStore store;
    TOptions o(store, TestEnvironment());
    ASSERT_TRUE(o.Save());
    o.SetCreateBakCheck(o.CreateBakCheck()); // same value: no edit
    EXPECT_FALSE(o.IsChanged());
    o.SetAutoSaveEdit(500); // clamped to the spin box's range
    EXPECT_EQ(o.AutoSaveEdit(), 240);
    EXPECT_TRUE(o.IsChanged());
    o.SetAutoloadList({"/a.ctf"});
    o.Load(); // the dialog's Cancel
    EXPECT_EQ(o.AutoSaveEdit(), 15);
    EXPECT_TRUE(o.AutoloadList().isEmpty());
    EXPECT_FALSE(o.IsChanged());
}

TEST(OptionsText, SettingsAreSetFromTextAndBadTextIsRefused)
{
    TMemorySettingsStore store;
    TOptions o(store, TestEnvironment());
    QString error;
    EXPECT_TRUE(SetOptionFromText(o, "createbakcheck", "off", error));
    EXPECT_FALSE(o.CreateBakCheck());
    EXPECT_TRUE(SetOptionFromText(o, "ToolbarDock", "Toolbar4", error));
    EXPECT_EQ(o.ToolbarDock(), ToolbarRight);
    EXPECT_TRUE(SetOptionFromText(o, "TempRemoval", "AlwaysLeaveTemp", error));
    EXPECT_TRUE(o.AlwaysLeaveTemp());
    EXPECT_TRUE(SetOptionFromText(o, "Font0", "custom:-12:BS:Sans: Serif", error));
    EXPECT_EQ(o.FontSlot(0), (TFontSlot{true, -12, fsBold | fsStrikeOut, "Sans: Serif"}));
    EXPECT_TRUE(
        SetOptionFromText(o, "ImportDescOrder", "2,\"archive comment\",FILES.BBS,0", error));
    EXPECT_EQ(o.DescSourceAt(0), TDescSource::DescriptIon);
    EXPECT_TRUE(SetOptionFromText(o, "AutoloadList", "a.ctf,\"b c.ctf\"", error));
    EXPECT_EQ(o.AutoloadList(), QStringList({"a.ctf", "b c.ctf"}));

    const std::pair<const char*, const char*> refused[] = {
        {"NoSuchSetting", "1"}, {"AutoSaveEdit", "241"}, {"AutoSaveEdit", "x"},
        {"CreateBakCheck", "maybe"}, {"ToolbarDock", "Toolbar5"}, {"Font1", "bold"},
        {"ImportDescOrder", "0,0,1,2"}, {"CustomToolbar", "1,256"},
    };
    for (const auto& [name, value] : refused) {
        error.clear();
        EXPECT_FALSE(SetOptionFromText(o, name, value, error)) << name << " " << value;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(Options, TheProgramsSettingsAreTheInstalledOnes)
{
    EXPECT_TRUE(Options().CreateBakCheck()); // built in: fresh defaults, nothing stored
    TMemorySettingsStore store;
    TOptions installed(store, TestEnvironment());
    installed.SetCreateBakCheck(false);
    SetOptions(&installed);
    EXPECT_FALSE(Options().CreateBakCheck());
    SetOptions(nullptr);
    EXPECT_TRUE(Options().CreateBakCheck());
}

TEST(Options, SlotsNotCustomUseTheSystemsFont)
{
    auto env = TestEnvironment();
    env.SystemFont = [](int slot) {
        return TFontSlot{false, slot < 2 ? -12 : -13, 0, slot < 2 ? "Icon Title" : "Toolkit"};
    };
    TMemorySettingsStore store;
    store.Put(Root, "UseFontData", QByteArray(4, 0)); // no slot custom
    store.Put(Root, "Font1", EncodeFontSlotRecord(TFontSlot{true, -20, fsBold, "Stored"}));
    const TOptions o(store, env);
    EXPECT_EQ(o.FontSlot(fsCatalogTree).Face, "Icon Title");
    EXPECT_EQ(o.FontSlot(fsFileList).Face, "Stored"); // kept for when it is made custom
    EXPECT_EQ(o.EffectiveFont(fsFileList), (TFontSlot{false, -12, 0, "Icon Title"}));
    EXPECT_EQ(o.EffectiveFont(fsAsciiViewer), (TFontSlot{false, -13, 0, "Toolkit"}));
}

TEST(OptionsEnvironment, CatalogsDefaultToTheUsersDocumentsOrHomeFolder)
{
    // The program's own folder is no place for the user's catalogs on this platform.
    quorvex::testing::TTempDir home;
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QByteArray::fromStdString(home.Path("")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.Path(".config")));
    const QString base = QDir(QString::fromStdString(home.Path(""))).absolutePath();
    EXPECT_EQ(TOptionsEnvironment::System().ProgramFolder, base + "/");
    QDir().mkpath(base + "/Documents");
    EXPECT_EQ(TOptionsEnvironment::System().ProgramFolder, base + "/Documents/");
    qputenv("HOME", savedHome);
    if (savedConfig.isNull()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", savedConfig);
}
