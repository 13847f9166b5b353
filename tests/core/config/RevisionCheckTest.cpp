#include "OptionsTestSupport.h"

#include "config/Options.h"
#include "config/RevisionCheck.h"
#include "platform/SettingsStoreMemory.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(RevisionCheck, OnlyAStoreOfRevisionTwoIsKept)
{
    struct TCase {
        const char* What;
        QVariant Marker; // invalid: none stored
        bool MarkerPresent;
        bool Kept;
    };
    const TCase cases[] = {
        {"revision 2", QByteArray(1, 2), true, true},
        {"revision 1", QByteArray(1, 1), true, false},
        {"no marker", QVariant(), false, false},
        {"marker of two bytes", QByteArray(2, 2), false, false},
        {"marker as text", QString("2"), false, false},
    };
    for (const TCase& c : cases) {
        TMemorySettingsStore store;
        store.Put(QString(), "Settings", QByteArray(4, 0));
        store.Put("ReportGen", "Settings", QByteArray(4, 0));
        store.Put("Columns", "ListView0", QByteArray(56, 0));
        if (c.Marker.isValid()) store.Put(QString(), "RevisionMarker", c.Marker);
        const TRevisionCheck result = RunRevisionCheck(store);
        EXPECT_EQ(result.MarkerPresent, c.MarkerPresent) << c.What;
        EXPECT_EQ(result.StoreDeleted, !c.Kept) << c.What;
        EXPECT_EQ(store.IsEmpty(), !c.Kept) << c.What; // subkeys go with the key
        EXPECT_EQ(store.KeyExists("ReportGen"), c.Kept) << c.What;
    }
}

TEST(RevisionCheck, NoStoreAtAllIsAFirstRun)
{
    TMemorySettingsStore store;
    const TRevisionCheck result = RunRevisionCheck(store);
    EXPECT_FALSE(result.MarkerPresent);
    EXPECT_FALSE(result.StoreDeleted);
}

TEST(RevisionCheck, AfterAnOldStoreIsDeletedTheProgramWritesAFreshOne)
{
    TMemorySettingsStore store;
    store.Put(QString(), "RevisionMarker", QByteArray(1, 1));
    store.Put(QString(), "AdvSettings", QByteArray(4, 0)); // CreateBakCheck off
    ASSERT_TRUE(RunRevisionCheck(store).MarkerPresent); // settings count as present: no wizard
    TOptions options(store, test::TestEnvironment());
    EXPECT_TRUE(options.CreateBakCheck()); // fresh default
    ASSERT_TRUE(options.IsChanged());      // so the program end saves
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(store.ReadBinary(QString(), "RevisionMarker"), QByteArray(1, 2));
    EXPECT_EQ(TOptions(store, test::TestEnvironment()).CreateBakCheck(), true);
}
