#include "SampleCatalog.h"

#include "catalog/CatalogDump.h"
#include "catalog/CatalogErrors.h"
#include "catalog/CatalogFormat.h"
#include "catalog/CatalogReader.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

std::string Hex(const std::string& s)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string Sig() { return std::string("Catalog 1.01\0", 13); }

class FormatTest : public ::testing::Test {
protected:
    TTreeNode* Reopen(const std::string& bytes, const std::string& name = "c.ctf")
    {
        WriteFileBytes(dir.Path(name), bytes);
        return ReadCatalogFile(readTree, dir.Path(name));
    }
    TTempDir dir;
    TCatalogTree tree;
    TCatalogTree readTree;
    TCatalogBuilder b{tree};
};

} // namespace

TEST_F(FormatTest, EmptyCatalogIs26Bytes)
{
    const std::string bytes = EncodeToMemory(b.Catalog("Catalog1"));
    EXPECT_EQ(bytes, Sig() + std::string("\x08\x00", 2) + "Catalog1" + std::string("\0\0\0", 3));
    EXPECT_EQ(bytes.size(), 26u);
}

TEST_F(FormatTest, CategoriesBlockForms)
{
    TTreeNode* cat = b.Catalog("C");
    auto* rec = static_cast<TCatalogRec*>(cat->Data);
    const size_t head = 13 + 3 + 2;
    rec->FlagNames[1].Assign("F2");
    EXPECT_EQ(Hex(EncodeToMemory(cat).substr(head)), "ff" "0000" "0200" + Hex("F2") + "0000");
    rec->Categories = {{"Games", 3}};
    EXPECT_EQ(Hex(EncodeToMemory(cat).substr(head)),
              "01" "0500" + Hex("Games") + "03" "0000" "0200" + Hex("F2") + "0000");
    rec->FlagNames[1].Reset();
    EXPECT_EQ(Hex(EncodeToMemory(cat).substr(head)), "01" "0500" + Hex("Games") + "03" "000000000000");
}

TEST_F(FormatTest, LongTextIsCutTo4096)
{
    TTreeNode* cat = b.Catalog("C", std::string(5000, 'd'));
    TTreeNode* opened = Reopen(EncodeToMemory(cat));
    EXPECT_EQ(static_cast<TCatalogRec*>(opened->Data)->Description.Str(), std::string(4096, 'd'));
}

TEST_F(FormatTest, EmptyDiskHasNoListsAndIndexAtRecordEnd)
{
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* disk = b.Disk(cat, "D");
    const std::string bytes = EncodeToMemory(cat);
    auto* d = static_cast<TDiskRec*>(disk->Data);
    EXPECT_EQ(d->FilesOffset, -1);
    EXPECT_EQ(d->FilesLength, -1);
    const int32_t header = 1 + 24 + 2 + 1 + 47 + 1 + int32_t(d->VolumeLabel.size()) + 1 + 5 + 2;
    EXPECT_EQ(d->RecordLength, header);
    EXPECT_EQ(d->FolderIndexOffset, header);
    EXPECT_EQ(size_t(d->RecordOffset + d->RecordLength), bytes.size());
    EXPECT_EQ(d->Dirty, 0);
}

TEST_F(FormatTest, RoundTripIsByteExact)
{
    TTreeNode* cat = BuildSampleCatalog(tree);
    const std::string first = EncodeToMemory(cat);
    const std::string dumpBefore = DumpCatalog(cat);

    TTreeNode* opened = Reopen(first);
    EXPECT_EQ(DumpCatalog(opened), dumpBefore);
    // Everything loaded and every disk rewritten in full gives the same bytes.
    for (int i = 0; i < opened->Count(); ++i) static_cast<TDiskRec*>(opened->Child(i)->Data)->Dirty = 1;
    EXPECT_EQ(Hex(EncodeToMemory(opened)), Hex(first));
}

TEST_F(FormatTest, UnchangedDisksAndUnloadedListsAreCopied)
{
    const std::string first = EncodeToMemory(BuildSampleCatalog(tree));
    // Nothing loaded: every disk is copied as it is.
    TTreeNode* opened = Reopen(first);
    EXPECT_EQ(EncodeToMemory(opened), first);

    // A disk rewritten with its lists never loaded copies them from the old file.
    TTreeNode* again = Reopen(first, "again.ctf");
    static_cast<TDiskRec*>(again->Child(0)->Data)->Dirty = 1;
    EXPECT_EQ(EncodeToMemory(again), first);

    // A longer header moves every disk record; the copied records stay readable.
    opened->Text = "A much longer catalog name";
    const std::string moved = EncodeToMemory(opened);
    EXPECT_EQ(moved.size(), first.size() + opened->Text.size() - 6);
    TTreeNode* reread = Reopen(moved, "moved.ctf");
    TCatalogTree sampleTree;
    TTreeNode* sample = BuildSampleCatalog(sampleTree);
    EncodeToMemory(sample);
    sample->Text = opened->Text;
    const std::string expected = DumpCatalog(sample);
    // Offsets of disk records differ by the header growth; compare all else.
    auto strip = [](std::string s) {
        std::string out;
        size_t pos = 0;
        while (pos < s.size()) {
            size_t end = s.find('\n', pos);
            std::string line = s.substr(pos, end - pos);
            const size_t r = line.find("\trecordOffset=");
            if (r != std::string::npos) line.erase(r, line.find('\t', r + 1) - r);
            out += line + "\n";
            pos = end + 1;
        }
        return out;
    };
    EXPECT_EQ(strip(DumpCatalog(reread)), strip(expected));
}

TEST_F(FormatTest, VersionsAndSignatures)
{
    std::string bytes = EncodeToMemory(BuildSampleCatalog(tree));
    std::string old = bytes;
    old.replace(8, 4, "1.00");
    auto* rec = static_cast<TCatalogRec*>(Reopen(old, "old.ctf")->Data);
    EXPECT_EQ(rec->Modified, 1);
    EXPECT_EQ(rec->CurrentFormat, 0);

    std::string future = bytes;
    future.replace(8, 4, "2.00");
    rec = static_cast<TCatalogRec*>(Reopen(future, "future.ctf")->Data);
    EXPECT_EQ(rec->Modified, 0);
    EXPECT_EQ(rec->CurrentFormat, 1);

    for (size_t i = 0; i < 8; ++i) {
        std::string bad = bytes;
        bad[i] ^= 0x20;
        EXPECT_THROW(
            {
                try {
                    Reopen(bad, "bad.ctf");
                } catch (const EInvalidCatalog& e) {
                    EXPECT_STREQ(e.what(), "This is not a valid catalog file!");
                    throw;
                }
            },
            EInvalidCatalog);
    }
    EXPECT_EQ(readTree.Count(), 2) << "failed opens leave nothing in the tree";
}

TEST_F(FormatTest, OldFormatSaveRewritesEverything)
{
    std::string old = EncodeToMemory(BuildSampleCatalog(tree));
    const std::string current = old;
    old.replace(8, 4, "1.00");
    TTreeNode* opened = Reopen(old, "old.ctf");
    EXPECT_EQ(EncodeToMemory(opened), current);
    EXPECT_EQ(static_cast<TCatalogRec*>(opened->Data)->CurrentFormat, 1);
}

TEST_F(FormatTest, StringOver4096IsInvalid)
{
    std::string bytes = Sig() + std::string("\x01\x10", 2) + std::string(4097, 'x') + std::string("\0\0\0", 3);
    try {
        Reopen(bytes);
        FAIL();
    } catch (const EInvalidCatalog& e) {
        EXPECT_STREQ(e.what(), "String data too long!");
    }
}

TEST_F(FormatTest, WrongKindBytesAreStructureErrors)
{
    TTreeNode* cat = BuildSampleCatalog(tree);
    const std::string bytes = EncodeToMemory(cat);
    auto* disk = static_cast<TDiskRec*>(cat->Child(0)->Data);
    for (int64_t offset : {int64_t(disk->RecordOffset), int64_t(disk->RecordOffset) + disk->FolderIndexOffset}) {
        std::string bad = bytes;
        bad[size_t(offset)] = 0x01;
        try {
            TTreeNode* n = Reopen(bad);
            LoadEverything(n);
            FAIL() << offset;
        } catch (const EInvalidCatalog& e) {
            EXPECT_STREQ(e.what(), "Internal catalog structure error detected.");
        }
    }
}
