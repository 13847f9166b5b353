#include "catalog/ItemRecords.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(FileRecord, NameFollowsFixedPartAndFitsInBudget)
{
    TFileRec* rec = TFileRec::New(std::string(255, 'x'));
    EXPECT_EQ(rec->NameData() - reinterpret_cast<char*>(rec), ptrdiff_t(TFileRec::NameOffset));
    EXPECT_EQ(rec->Name().size(), 255u);
    for (size_t n : {0u, 1u, 7u, 8u, 100u, 255u}) EXPECT_LE(TFileRec::RecordBytes(n), 64 + n);
    FreeFileRec(rec);
}
