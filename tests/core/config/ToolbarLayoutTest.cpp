#include "config/Options.h"
#include "config/ToolbarLayout.h"
#include "platform/SettingsStoreMemory.h"

#include "OptionsTestSupport.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values) bytes.append(char(v));
    return bytes;
}

using TEntries = std::vector<uint8_t>;

} // namespace

TEST(ToolbarLayout, StoredLayoutIsMergedWithTheToolbar)
{
    const TEntries toolbar = {1, 2, 0, 3, 4, 0, 5}; // buttons 1..5 with two separators
    struct TCase {
        const char* What;
        std::optional<QByteArray> Stored;
        TEntries Expected;
    };
    const TCase cases[] = {
        {"as stored", Bytes({5, 0, 4, 3, 2, 1, 255}), {5, 0, 4, 3, 2, 1, 255}},
        {"button 9 no longer exists", Bytes({1, 9, 2, 3, 4, 5, 255}), {1, 2, 3, 4, 5, 255}},
        {"missing 4 goes after 3", Bytes({3, 0, 1, 255, 2, 5}), {3, 4, 0, 1, 255, 2, 5}},
        {"missing first button goes first", Bytes({2, 3, 4, 5, 255}), {1, 2, 3, 4, 5, 255}},
        {"hidden neighbour takes it along", Bytes({1, 255, 3}), {1, 2, 255, 3, 4, 5}},
        {"duplicates and extra dividers", Bytes({1, 1, 2, 255, 3, 255, 4, 5}),
         {1, 2, 255, 3, 4, 5}},
        {"no divider", Bytes({1, 2, 3, 4, 5}), {1, 2, 3, 4, 5, 255}},
        {"nothing stored", std::nullopt, {1, 2, 0, 3, 4, 0, 5, 255}},
    };
    for (const TCase& c : cases) {
        TToolbarLayout layout;
        layout.Load(c.Stored, toolbar);
        EXPECT_EQ(layout.Entries(), c.Expected) << c.What;
        EXPECT_TRUE(layout.IsKnown());
    }
}

TEST(ToolbarLayout, WithoutAToolbarTheStoredBytesAreKept)
{
    TToolbarLayout layout;
    layout.Load(Bytes({7, 9, 0, 255, 254}), {});
    EXPECT_EQ(layout.Stored(), Bytes({7, 9, 0, 255, 254}));
    EXPECT_TRUE(layout.IsHidden(4));
    EXPECT_FALSE(layout.IsHidden(3));
    EXPECT_FALSE(layout.IsHidden(0));
    EXPECT_EQ(TToolbarLayout::EntryCaption(255), "Unused Buttons");
    EXPECT_EQ(TToolbarLayout::EntryCaption(0), "(separator)");
    EXPECT_EQ(TToolbarLayout::EntryCaption(7), "(button)");

    layout.Load(QByteArray(300, char(1)), {});
    EXPECT_EQ(layout.Entries().size(), 256u);

    layout.Load(std::nullopt, {});
    EXPECT_FALSE(layout.IsKnown());
}

TEST(ToolbarLayout, AnUnknownLayoutIsNotWrittenOverAStoredOne)
{
    TMemorySettingsStore store;
    TOptions cli(store, test::TestEnvironment()); // no toolbar, nothing stored
    ASSERT_TRUE(cli.Save());
    EXPECT_FALSE(store.ReadBinary(QString(), "CustomToolbar"));

    auto env = test::TestEnvironment();
    env.ToolbarControls = {1, 2, 0, 3};
    TOptions gui(store, env);
    EXPECT_EQ(gui.ToolbarLayout().Entries(), (TEntries{1, 2, 0, 3, 255}));
    ASSERT_TRUE(gui.Save());
    EXPECT_EQ(store.ReadBinary(QString(), "CustomToolbar"), Bytes({1, 2, 0, 3, 255}));
}

TEST(ToolbarLayout, ToolbarArrivingAfterLoadMergesTheStoredLayout)
{
    TMemorySettingsStore store;
    {
        auto env = test::TestEnvironment();
        env.ToolbarControls = {1, 2, 0, 3};
        TOptions first(store, env);
        first.SetToolbarEntries({3, 0, 1, 255, 2, 9});
        ASSERT_TRUE(first.Save());
    }
    // The settings object is made before the main window builds its toolbar.
    TOptions options(store, test::TestEnvironment());
    EXPECT_EQ(options.ToolbarLayout().Entries(), (TEntries{3, 0, 1, 255, 2, 9}));
    options.SetToolbarControls({1, 2, 0, 3, 4});
    EXPECT_EQ(options.ToolbarLayout().Entries(), (TEntries{3, 4, 0, 1, 255, 2}));
    EXPECT_FALSE(options.IsChanged());

    options.SetToolbarEntries({1});
    options.Load(); // Cancel in the dialog reads the store against the same toolbar
    EXPECT_EQ(options.ToolbarLayout().Entries(), (TEntries{3, 4, 0, 1, 255, 2}));

    TMemorySettingsStore empty;
    TOptions fresh(empty, test::TestEnvironment());
    fresh.SetToolbarControls({1, 0, 2});
    EXPECT_EQ(fresh.ToolbarLayout().Entries(), (TEntries{1, 0, 2, 255}));
    EXPECT_TRUE(fresh.IsChanged());
}
