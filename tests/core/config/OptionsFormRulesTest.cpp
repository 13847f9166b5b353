#include "config/OptionsFormRules.h"

#include "config/Options.h"
#include "platform/SettingsStoreMemory.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

TEST(OptionsFormRules, DescriptionMasksAreCleaned)
{
    const std::pair<const char*, const char*> cases[] = {
        {"file_id.diz", "FILE_ID.DIZ"}, {"a,b/c\\d", "ABCD"}, {"**.txt", "*.TXT"},
        {"*?x", "*X"},                  {"?*", "?*"},          {",/\\", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(CleanDescMask(in), out) << in;
}

TEST(OptionsFormRules, EnablingFollowsTheSettings)
{
    TMemorySettingsStore store;
    TOptions options(store);
    options.SetInsideZipCheck(false);
    options.SetDescAsTipsCheck(true);
    options.SetAutohideCheck(false);
    options.SetAutoloadCheck(true);
    options.SetAutoloadList({});
    TOptionsEnabling e = OptionsEnabling(options, {});
    EXPECT_FALSE(e.ArchiveKinds);
    EXPECT_TRUE(e.DescWaitBar);
    EXPECT_FALSE(e.DescHideBar) << "the hide delay needs both switches";
    EXPECT_TRUE(e.AutoloadAdd);
    EXPECT_FALSE(e.AutoloadUpDown) << "nothing to move in an empty list";
    EXPECT_FALSE(e.DescAdd);
    EXPECT_TRUE(OptionsEnabling(options, "x").DescAdd);

    QStringList full;
    for (int i = 0; i < MaxAutoloadCatalogs; ++i) full << QString::number(i);
    options.SetAutoloadList(full);
    e = OptionsEnabling(options, {});
    EXPECT_FALSE(e.AutoloadAdd);
    EXPECT_TRUE(e.AutoloadUpDown);
    options.SetAutoloadCheck(false);
    EXPECT_FALSE(OptionsEnabling(options, {}).AutoloadUpDown);
}

TEST(OptionsFormRules, APickedProgramGetsTheExtensionWhenItHasNone)
{
    const std::pair<const char*, const char*> withExe[] = {
        {"C:\\Tools\\view", "C:\\Tools\\view.exe"},
        {"C:\\Tools\\view.com", "C:\\Tools\\view.com"},
        {"C:\\My.Tools\\view", "C:\\My.Tools\\view.exe"}, // a dot in a folder is no extension
        {"/opt/my.tools/view", "/opt/my.tools/view.exe"},
        {"", ""},
    };
    for (const auto& [in, out] : withExe) EXPECT_EQ(WithProgramExtension(in, ".exe"), out) << in;
    EXPECT_EQ(WithProgramExtension("/usr/bin/less", QString()), "/usr/bin/less");
}

TEST(OptionsFormRules, AutoloadAndListMoves)
{
    EXPECT_FALSE(CanAddAutoload({"/a/One.ctf"}, "/A/ONE.CTF"));
    EXPECT_TRUE(CanAddAutoload({"/a/One.ctf"}, "/a/two.ctf"));
    QStringList list{"a", "b", "c"};
    EXPECT_TRUE(MoveListEntry(list, 2, -1));
    EXPECT_EQ(list, (QStringList{"a", "c", "b"}));
    EXPECT_FALSE(MoveListEntry(list, 0, -1));
    EXPECT_FALSE(MoveListEntry(list, 2, 1));
}

} // namespace
