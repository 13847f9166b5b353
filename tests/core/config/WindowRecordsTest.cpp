#include "config/WindowRecords.h"
#include "platform/SettingsStoreMemory.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorvex;

TEST(WindowRecords, MainWindowRecordRoundTripsAtItsOffsets)
{
    TMemorySettingsStore store;
    TMainWindowRecord record;
    record.Bounds = {-4, 10, 800, 600};
    record.TreeWidth = 250;
    record.ViewStyle = vsList;
    record.SortByte = TMainWindowRecord::PackSort(2, 5, true);
    SaveMainWindowRecord(store, record, {1920, 1080});
    const QByteArray bytes = *store.ReadBinary(QString(), "WindowPos");
    ASSERT_EQ(bytes.size(), 30);
    EXPECT_EQ(bytes.mid(0, 4), QByteArray::fromHex("fcffffff"));
    EXPECT_EQ(bytes.mid(16, 4), QByteArray::fromHex("fa000000"));
    EXPECT_EQ(bytes.mid(20, 8), QByteArray(8, 0));
    EXPECT_EQ(uint8_t(bytes[28]), 2);
    EXPECT_EQ(uint8_t(bytes[29]), 0x80 | 5 << 3 | 2);
    const auto back = LoadMainWindowRecord(store);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, record);
    EXPECT_EQ(back->DiskSortKey(), 2);
    EXPECT_EQ(back->FileSortKey(), 5);
    EXPECT_TRUE(back->SortReversed());
}

TEST(WindowRecords, RecordsOfAnyOtherLengthAreIgnored)
{
    TMemorySettingsStore store;
    for (int size : {0, 20, 29, 31, 56}) {
        store.Put(QString(), "WindowPos", QByteArray(size, 1));
        EXPECT_FALSE(LoadMainWindowRecord(store)) << size;
    }
    for (int size : {0, 19, 21, 30}) {
        store.Put(QString(), "SearchWndPos", QByteArray(size, 1));
        EXPECT_FALSE(LoadWindowRecord(store, "SearchWndPos")) << size;
    }
    store.Put(QString(), "SearchWndPos", QString("not bytes"));
    EXPECT_FALSE(LoadWindowRecord(store, "SearchWndPos"));
    EXPECT_FALSE(LoadWindowRecord(store, "ViewerWndPos"));
}

TEST(WindowRecords, ListWindowRecordKeepsItsValue)
{
    TMemorySettingsStore store;
    const TWindowRecord record{{100, 50, 400, 300}, PackWindowValue(120, 45)};
    SaveWindowRecord(store, "SearchWndPos", record, {1920, 1080});
    const auto back = LoadWindowRecord(store, "SearchWndPos");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, record);
    EXPECT_EQ(WindowValueLow(back->Value), 120);
    EXPECT_EQ(WindowValueHigh(back->Value), 45);
}

TEST(WindowRecords, AMaximizedWindowIsStoredAsItsVisibleArea)
{
    EXPECT_EQ(BoundsToSave({-8, -8, 1936, 1056}, {1936, 1056}), (TWindowBounds{0, 0, 1920, 1040}));
    EXPECT_EQ(BoundsToSave({-8, -8, 1000, 1056}, {1936, 1056}),
              (TWindowBounds{-8, -8, 1000, 1056}));
}

TEST(WindowRecords, ARectangleOffTheScreenIsNotTaken)
{
    const TScreenSize screen{1920, 1080};
    const int32_t big = std::numeric_limits<int32_t>::max();
    struct TCase {
        TWindowBounds Bounds;
        bool OnScreen;
    };
    const TCase cases[] = {
        {{100, 100, 400, 300}, true},     {{-399, 0, 400, 300}, true},
        {{-401, 0, 400, 300}, false},     {{1920, 0, 400, 300}, false},
        {{1919, 1079, 400, 300}, true},   {{0, 1080, 400, 300}, false},
        {{0, -301, 400, 300}, false},     {{big, big, big, big}, false},
        {{-big, 0, big - 1, 100}, false},
        {{-big, 0, big, 100}, true}, // its right edge is at 0
    };
    for (const TCase& c : cases)
        EXPECT_EQ(BoundsOnScreen(c.Bounds, screen), c.OnScreen)
            << c.Bounds.Left << "," << c.Bounds.Top;
}
