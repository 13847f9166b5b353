// Building the snapshot from the window's values and testing files, folders and disks.
#include "catalog/ItemRecords.h"
#include "catalog/ItemRoutines.h"
#include "search/DosTime.h"
#include "search/SearchMatch.h"
#include "search/SizeValue.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quorvex;

namespace {

struct FileDeleter {
    void operator()(TFileRec* f) const { FreeFileRec(f); }
};
using FilePtr = std::unique_ptr<TFileRec, FileDeleter>;

FilePtr MakeFile(std::string_view name, int32_t size = 100, std::string_view desc = {}, uint8_t attr = faArchive)
{
    FilePtr f(TFileRec::New(name));
    f->Size = size;
    f->Attr = attr;
    f->Description.Assign(desc);
    f->Modified = int32_t(PackDosDateTime(QDate(2020, 6, 15), QTime(14, 30, 0)));
    f->Created = int32_t(PackDosDateTime(QDate(2019, 1, 1), QTime(8, 0, 0)));
    f->Accessed = int32_t(PackDosDate(QDate(2021, 2, 2)));
    return f;
}

TSearchSnapshot Snap(const std::function<void(TSearchCriteria&)>& set)
{
    TSearchCriteria c;
    set(c);
    TSearchSnapshot s;
    BuildSnapshot(c, s);
    return s;
}

std::function<void(TSearchCriteria&)> Name(int mode, const char* text, bool caseSensitive = false)
{
    return [=](TSearchCriteria& c) {
        c.ByName = true;
        c.NameMode = mode;
        c.NameText = QString::fromUtf8(text);
        c.FileCase = caseSensitive;
    };
}

const TCategoryMatch NoCategories;

} // namespace

TEST(SearchMatch, NameModes)
{
    struct Case {
        int mode;
        const char* pattern;
        bool caseSensitive;
        const char* name;
        bool hit;
    } cases[] = {
        {nmPartOfName, "read", false, "README.TXT", true},
        {nmPartOfName, "read", true, "README.TXT", false},
        {nmPartOfName, "READ", true, "README.TXT", true},
        {nmPartOfName, "ME.T", false, "readme.txt", true},
        {nmPartOfName, "été", false, "ÉTÉ.DOC", true},
        {nmExact, "readme.txt", false, "README.TXT", true},
        {nmExact, "readme.txt", true, "README.TXT", false},
        {nmExact, "README", false, "README.TXT", false},
        {nmMask, "r*.txt", false, "README.TXT", true},
        {nmMask, "r*.txt", true, "readme.txt", true}, // masks never mind the case
        {nmExtension, "txt, .DOC,*.htm", false, "a.doc", true},
        {nmExtension, "txt, .DOC,*.htm", false, "a.HTM", true},
        {nmExtension, "txt, .DOC,*.htm", false, "TXT", false},
        {nmExtension, "txt", false, "a.tx", false},
        {nmExtension, "txt", false, "a.txt.bak", false},
        {nmExtension, "txt", false, "file.", false},
    };
    for (const Case& c : cases) {
        const TSearchSnapshot s = Snap(Name(c.mode, c.pattern, c.caseSensitive));
        EXPECT_EQ(FileTest(s, *MakeFile(c.name), NoCategories), c.hit) << c.pattern << " / " << c.name;
    }
}

TEST(SearchMatch, FileTypeUsesTheTypesExtensionList)
{
    const TSearchSnapshot s = Snap([](TSearchCriteria& c) {
        c.ByName = true;
        c.NameMode = nmFileType;
        c.FileTypeExtensions = QString(".jpg\x01.jpeg\x01");
    });
    EXPECT_TRUE(FileTest(s, *MakeFile("photo.JPEG"), NoCategories));
    EXPECT_FALSE(FileTest(s, *MakeFile("photo.png"), NoCategories));
}

TEST(SearchMatch, EmptyPatternMakesNoCriterion)
{
    TSearchCriteria c;
    c.ByName = true;
    TSearchSnapshot s;
    EXPECT_FALSE(BuildSnapshot(c, s));
    c.Attr[atHidden] = asSet; // attributes alone still count
    EXPECT_TRUE(BuildSnapshot(c, s));
    c.Attr[atHidden] = asIgnore;
    c.ByName = false;
    c.ByCategory = true;
    EXPECT_TRUE(BuildSnapshot(c, s));
}

TEST(SearchMatch, Attributes)
{
    const TSearchSnapshot hidden = Snap([](TSearchCriteria& c) {
        c.ByName = true;
        c.Attr = {asIgnore, asSet, asIgnore, asClear}; // hidden and not read-only
    });
    EXPECT_TRUE(FileTest(hidden, *MakeFile("a", 1, {}, faHidden | faArchive), NoCategories));
    EXPECT_FALSE(FileTest(hidden, *MakeFile("a", 1, {}, faHidden | faReadOnly), NoCategories));
    EXPECT_FALSE(FileTest(hidden, *MakeFile("a", 1, {}, faArchive), NoCategories));
    const TSearchSnapshot ignored = Snap(Name(nmPartOfName, "a"));
    EXPECT_FALSE(ignored.AttrOn);
}

TEST(SearchMatch, Descriptions)
{
    auto desc = [](int choice, const char* text, bool caseSensitive = false) {
        return Snap([=](TSearchCriteria& c) {
            c.ByDesc = true;
            c.DescChoice = choice;
            c.DescText = QString::fromUtf8(text);
            c.DescCase = caseSensitive;
        });
    };
    EXPECT_TRUE(FileTest(desc(dcText, "hello, world."), *MakeFile("a", 1, "HelloWorld"), NoCategories));
    EXPECT_TRUE(FileTest(desc(dcText, "foo, bar."), *MakeFile("a", 1, "Foo Bar"), NoCategories));
    EXPECT_TRUE(FileTest(desc(dcText, "foo, bar."), *MakeFile("a", 1, "xfoobar\r\n"), NoCategories));
    EXPECT_FALSE(FileTest(desc(dcText, "hello", true), *MakeFile("a", 1, "HELLO"), NoCategories));
    EXPECT_FALSE(FileTest(desc(dcText, "hello"), *MakeFile("a", 1), NoCategories));
    EXPECT_TRUE(FileTest(desc(dcAny, ""), *MakeFile("a", 1, "x"), NoCategories));
    EXPECT_FALSE(FileTest(desc(dcAny, ""), *MakeFile("a", 1), NoCategories));
    EXPECT_TRUE(FileTest(desc(dcWithout, ""), *MakeFile("a", 1), NoCategories));
    EXPECT_FALSE(FileTest(desc(dcWithout, ""), *MakeFile("a", 1, "x"), NoCategories));
    EXPECT_TRUE(desc(dcText, "x").DescriptionOnly);
    EXPECT_FALSE(desc(dcWithout, "").DescriptionOnly);
}

TEST(SearchMatch, CategoriesAndFlags)
{
    TCatalogRec cat;
    cat.Categories = {{"Games", 1}, {"Music", 4}, {"Duplicate", 4}};
    cat.FlagNames[0].Assign("Backed up");
    cat.FlagNames[2].Assign("Broken");
    TCategoryChecks checks;
    checks.Categories = {"games"}; // the merged row of another catalog's spelling
    checks.Flags = {"Broken"};
    const TCategoryMatch m = ResolveCategoryChecks(&cat, checks);
    const TSearchSnapshot s = Snap([](TSearchCriteria& c) { c.ByCategory = true; });

    auto withByte = [](uint8_t b) {
        FilePtr f = MakeFile("x");
        f->CategoryByte = b;
        return f;
    };
    EXPECT_TRUE(FileTest(s, *withByte(1), m));
    EXPECT_FALSE(FileTest(s, *withByte(4), m));
    EXPECT_FALSE(FileTest(s, *withByte(7), m));          // no entry has number 7
    EXPECT_TRUE(FileTest(s, *withByte(4 | 0x80), m));    // flag 3 "Broken"
    EXPECT_FALSE(FileTest(s, *withByte(4 | 0x20), m));   // flag 1 is not checked
    EXPECT_FALSE(FileTest(s, *withByte(0), m));          // "(Items without category)" unchecked

    checks.WithoutCategory = true;
    const TCategoryMatch without = ResolveCategoryChecks(&cat, checks);
    EXPECT_TRUE(FileTest(s, *withByte(0), without));
    EXPECT_FALSE(FileTest(s, *withByte(0x20), without)) << "flags only is not 'without category'";

    checks = {};
    checks.Categories = {"Duplicate"}; // the first entry of number 4 names it
    EXPECT_FALSE(FileTest(s, *withByte(4), ResolveCategoryChecks(&cat, checks)));
}

TEST(SearchMatch, SizeModes)
{
    auto size = [](int mode, const char* v1, int u1, const char* v2 = "0", int u2 = 0, const char* tol = nullptr) {
        return Snap([=](TSearchCriteria& c) {
            c.BySize = true;
            c.SizeMode = mode;
            c.SizeValue1 = v1;
            c.SizeUnits1 = u1;
            c.SizeValue2 = v2;
            c.SizeUnits2 = u2;
            if (tol) {
                c.SizeAllowTolerance = true;
                c.SizeValue3 = tol;
            }
        });
    };
    struct Case {
        TSearchSnapshot s;
        int32_t size;
        bool hit;
    } cases[] = {
        {size(smEqual, "1", 1), 1024, true},
        {size(smEqual, "1", 1), 1025, false},
        {size(smEqual, "1", 1, "0", 0, "1"), 1025, true},
        {size(smSmaller, "1", 1), 1023, true},
        {size(smSmaller, "1", 1), 1024, false},
        {size(smLarger, "1", 1), 1025, true},
        {size(smLarger, "1", 1), 1024, false},
        {size(smBetween, "1", 1, "2", 1), 2048, true},
        {size(smBetween, "1", 1, "2", 1), 2049, false},
        {size(smNotBetween, "1", 1, "2", 1), 2049, true},
        {size(smNotBetween, "1", 1, "2", 1), 1500, false},
    };
    for (const Case& c : cases) EXPECT_EQ(FileTest(c.s, *MakeFile("x", c.size), NoCategories), c.hit) << c.size;

    // Folder sizes are 64-bit: bounds past 2 GB work for them.
    TFolderRec folder;
    folder.TotalSize = (int64_t(5) << 30) * CurrencyScale;
    EXPECT_TRUE(FolderTest(size(smLarger, "4", 3), folder, "F", NoCategories));
    EXPECT_FALSE(FolderTest(size(smLarger, "5", 3), folder, "F", NoCategories));
}

TEST(SearchMatch, DatesAndTimes)
{
    auto date = [](int field, int op, QDate d1, QDate d2 = {}, int tolerance = -1) {
        return Snap([=](TSearchCriteria& c) {
            c.ByDate = true;
            c.DateField = field;
            c.DateOp = op;
            c.Date1 = d1;
            c.Date2 = d2.isValid() ? d2 : d1;
            c.DateAllowTolerance = tolerance >= 0;
            c.DateTolerance = tolerance < 0 ? 0 : tolerance;
        });
    };
    const QDate day(2020, 6, 15); // the files' modification day, 14:30
    struct Case {
        TSearchSnapshot s;
        bool hit;
        const char* what;
    } cases[] = {
        {date(dfModified, doOn, day), true, "on covers the whole day"},
        {date(dfModified, doOn, day.addDays(1)), false, "on the next day"},
        {date(dfModified, doOn, day.addDays(2), {}, 2), true, "on with tolerance"},
        {date(dfModified, doBefore, day.addDays(1)), true, "before the next day"},
        {date(dfModified, doBefore, day), false, "before its own day"},
        {date(dfModified, doAfter, day), true, "after midnight of its day"},
        {date(dfModified, doAfter, day.addDays(1)), false, "after the next day"},
        {date(dfModified, doBetween, day.addDays(-3), day), true, "between ends with its day"},
        {date(dfModified, doNotBetween, day.addDays(-3), day), false, "not between"},
        {date(dfCreated, doOn, QDate(2019, 1, 1)), true, "created"},
        {date(dfAccessed, doOn, QDate(2021, 2, 2)), true, "accessed"},
        {date(dfModified, doBefore, QDate(2050, 1, 1)), true, "dates past 2043 compare without sign"},
    };
    for (const Case& c : cases) EXPECT_EQ(FileTest(c.s, *MakeFile("x"), NoCategories), c.hit) << c.what;

    // Only the modification time is known inside archives: other fields do not count.
    FilePtr member = MakeFile("m");
    member->KindFlags |= ifArchive;
    EXPECT_FALSE(FileTest(date(dfCreated, doOn, QDate(2019, 1, 1)), *member, NoCategories));
    EXPECT_TRUE(FileTest(date(dfModified, doOn, day), *member, NoCategories));

    auto time = [](int op, QTime t1, QTime t2 = {}, int tolerance = -1) {
        return Snap([=](TSearchCriteria& c) {
            c.ByDate = true;
            c.TimeField = dfModified;
            c.TimeOp = op;
            c.Time1 = t1;
            c.Time2 = t2.isValid() ? t2 : t1;
            c.TimeAllowTolerance = tolerance >= 0;
            c.TimeTolerance = tolerance < 0 ? 0 : tolerance;
        });
    };
    EXPECT_TRUE(FileTest(time(doOn, QTime(14, 30)), *MakeFile("x"), NoCategories));
    EXPECT_FALSE(FileTest(time(doOn, QTime(14, 31)), *MakeFile("x"), NoCategories));
    EXPECT_TRUE(FileTest(time(doOn, QTime(14, 31), {}, 1), *MakeFile("x"), NoCategories));
    EXPECT_TRUE(FileTest(time(doBetween, QTime(14, 0), QTime(15, 0)), *MakeFile("x"), NoCategories));
    EXPECT_TRUE(FileTest(time(doAfter, QTime(14, 0)), *MakeFile("x"), NoCategories));
    EXPECT_FALSE(FileTest(time(doBefore, QTime(14, 0)), *MakeFile("x"), NoCategories));
}

TEST(SearchMatch, CombinationRulesAndDisks)
{
    TDiskRec disk;
    disk.BytesPerSector = 512;
    disk.SectorsPerCluster = 8;
    disk.TotalClusters = 1000;
    disk.Catalogued = 45000.75;
    disk.Description.Assign("Holiday photos");

    auto categoryAndDesc = [](int rule) {
        return Snap([=](TSearchCriteria& c) {
            c.ByCategory = true;
            c.ByDesc = true;
            c.DescText = "holiday";
            c.CombineRule = rule;
        });
    };
    EXPECT_FALSE(DiskTest(categoryAndDesc(crAll), disk, "D1")) << "a disk never meets a category";
    EXPECT_TRUE(DiskTest(categoryAndDesc(crAny), disk, "D1"));
    EXPECT_FALSE(DiskTest(Snap([](TSearchCriteria& c) { c.ByCategory = true; }), disk, "D1"));

    // Size and date of a disk: its capacity and its catalogued date-time.
    const TSearchSnapshot sized = Snap([](TSearchCriteria& c) {
        c.BySize = true;
        c.SizeMode = smEqual;
        c.SizeValue1 = "4000";
        c.SizeUnits1 = suKB;
        c.ByDate = true;
        c.DateField = dfCreated;
        c.DateOp = doOn;
        c.Date1 = QDate(2023, 3, 15);
    });
    EXPECT_TRUE(DiskTest(sized, disk, "D1"));

    // "All": one unmet criterion fails; "Any": one met is enough.
    auto nameAndSize = [](int rule) {
        return Snap([=](TSearchCriteria& c) {
            c.ByName = true;
            c.NameText = "abc";
            c.BySize = true;
            c.SizeMode = smLarger;
            c.SizeValue1 = "1000";
            c.CombineRule = rule;
        });
    };
    EXPECT_FALSE(FileTest(nameAndSize(crAll), *MakeFile("abc.txt", 10), NoCategories));
    EXPECT_TRUE(FileTest(nameAndSize(crAny), *MakeFile("abc.txt", 10), NoCategories));
    EXPECT_TRUE(FileTest(nameAndSize(crAll), *MakeFile("abc.txt", 5000), NoCategories));
    EXPECT_FALSE(FileTest(nameAndSize(crAny), *MakeFile("x.txt", 10), NoCategories));
}
