#include "config/ColumnLayouts.h"
#include "platform/SettingsStoreMemory.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(ColumnLayouts, DefaultsPutCategoryBeforeDescriptionInTheFilesList)
{
    const TColumnLayout files = DefaultColumnLayout(clFiles);
    EXPECT_EQ(files.Order, (std::array<int32_t, 11>{0, 1, 2, 3, 4, 5, 7, 6, 8, 9, 10}));
    const TColumnLayout search = DefaultColumnLayout(clSearch);
    EXPECT_EQ(search.Order, (std::array<int32_t, 11>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    for (bool shown : search.Shown) EXPECT_TRUE(shown);
    EXPECT_EQ(ColumnListName(clCompare), "Compare to Media Results List");
    EXPECT_EQ(ColumnLayoutValueName(3), "ListView3");
}

TEST(ColumnLayouts, ALayoutRoundTripsUnderColumns)
{
    TMemorySettingsStore store;
    TColumnLayout layout = DefaultColumnLayout(clSearch);
    std::swap(layout.Order[6], layout.Order[7]);
    layout.Shown[2] = false;
    ASSERT_TRUE(SaveColumnLayout(store, clSearch, layout));
    const QByteArray bytes = *store.ReadBinary("Columns", "ListView2");
    ASSERT_EQ(bytes.size(), 56);
    EXPECT_EQ(bytes.mid(24, 4), QByteArray::fromHex("07000000"));
    EXPECT_EQ(uint8_t(bytes[46]), 0);
    EXPECT_EQ(LoadColumnLayout(store, clSearch), layout);
    EXPECT_EQ(LoadColumnLayout(store, clUserList), DefaultColumnLayout(clUserList));
}

TEST(ColumnLayouts, AnUnreadableLayoutGivesTheDefault)
{
    QByteArray duplicate = EncodeColumnLayout(DefaultColumnLayout(0));
    duplicate[4] = 0; // column 0 twice
    QByteArray outOfRange = EncodeColumnLayout(DefaultColumnLayout(0));
    outOfRange[40] = 11;
    const QByteArray values[] = {duplicate, outOfRange, QByteArray(55, 0), QByteArray(57, 0)};
    for (const QByteArray& value : values) {
        TMemorySettingsStore store;
        store.Put("Columns", "ListView1", value);
        EXPECT_EQ(LoadColumnLayout(store, clFiles), DefaultColumnLayout(clFiles));
    }
}
