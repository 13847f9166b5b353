#include "adddisk/AddDiskFlow.h"
#include "adddisk/DiskMatching.h"
#include "adddisk/DiskScanJob.h"
#include "catalog/CatalogErrors.h"
#include "catalog/ItemRoutines.h"
#include "config/Options.h"
#include "platform/Prompt.h"
#include "platform/SettingsStoreMemory.h"

#include "CatalogBuilder.h"

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TDiskRec* Rec(TTreeNode* node) { return static_cast<TDiskRec*>(node->Data); }

// A medium equal to the builder's Disk "A" unless a case changes it.
TDiskRec MediumLike(const TDiskRec& disk)
{
    TDiskRec m;
    m.KindFlags = ikDisk;
    m.MediaType = disk.MediaType;
    m.SerialNumber = disk.SerialNumber;
    m.VolumeLabel = disk.VolumeLabel;
    m.BytesPerSector = disk.BytesPerSector;
    m.SectorsPerCluster = disk.SectorsPerCluster;
    m.TotalClusters = disk.TotalClusters;
    m.FreeClusters = 5;
    return m;
}

TEST(DiskMatching, AddModeMatchesSerialLabelTypeAndCapacity)
{
    struct Case {
        const char* What;
        std::function<void(TDiskRec& medium, TDiskRec& disk, TMediumChoice& choice)> Change;
        bool Matches;
    };
    const Case cases[] = {
        {"same medium", [](TDiskRec&, TDiskRec&, TMediumChoice&) {}, true},
        {"other serial", [](TDiskRec& m, TDiskRec&, TMediumChoice&) { m.SerialNumber ^= 1; }, false},
        {"label differs in case", [](TDiskRec& m, TDiskRec&, TMediumChoice&) { m.VolumeLabel = "label_a"; }, false},
        {"other capacity", [](TDiskRec& m, TDiskRec&, TMediumChoice&) { m.TotalClusters += 1; }, false},
        {"other capacity, compressed disk",
         [](TDiskRec& m, TDiskRec& d, TMediumChoice&) {
             m.TotalClusters += 1;
             d.KindFlags |= ifCompressed;
         },
         true},
        {"generic removable against ZIP",
         [](TDiskRec& m, TDiskRec& d, TMediumChoice&) {
             m.MediaType = 13;
             d.MediaType = 14;
         },
         true},
        {"CD against hard disk", [](TDiskRec& m, TDiskRec&, TMediumChoice&) { m.MediaType = 10; }, false},
        {"virtual root chosen, disk not virtual",
         [](TDiskRec&, TDiskRec&, TMediumChoice& c) {
             c.VirtualRootChecked = true;
             c.VirtualRoot = "\\Photos\\";
         },
         false},
        {"both virtual, same root",
         [](TDiskRec& m, TDiskRec& d, TMediumChoice& c) {
             d.KindFlags |= ifVirtualRoot;
             d.VirtualRootPath.Assign("\\Photos\\");
             m.TotalClusters += 7; // a folder's capacity is what it holds
             c.VirtualRootChecked = true;
             c.VirtualRoot = "\\Photos\\";
         },
         true},
        {"both virtual, other root",
         [](TDiskRec&, TDiskRec& d, TMediumChoice& c) {
             d.KindFlags |= ifVirtualRoot;
             d.VirtualRootPath.Assign("\\Photos\\");
             c.VirtualRootChecked = true;
             c.VirtualRoot = "\\Music\\";
         },
         false},
    };
    for (const Case& c : cases) {
        TCatalogTree tree;
        TCatalogBuilder b(tree);
        TTreeNode* cat = b.Catalog("C");
        TTreeNode* a = b.Disk(cat, "A");
        b.Disk(cat, "B", 0x11112222);
        TDiskRec medium = MediumLike(*Rec(a));
        TMediumChoice choice{"sdb1", &medium, false, {}};
        c.Change(medium, *Rec(a), choice);
        const auto matches = FindMatchingDisks(cat, choice);
        EXPECT_EQ(!matches.empty(), c.Matches) << c.What;
        if (c.Matches && !matches.empty()) {
            EXPECT_EQ(matches.front(), a) << c.What;
        }
        EXPECT_EQ(MediumMatchesDisk(*Rec(a), choice), c.Matches) << c.What;
    }
}

TEST(DiskMatching, UpdateModeAcceptsAnyRootOfACompressedDisk)
{
    TCatalogTree tree;
    TCatalogBuilder b(tree);
    TTreeNode* a = b.Disk(b.Catalog("C"), "A");
    Rec(a)->KindFlags |= ifCompressed;
    TDiskRec medium = MediumLike(*Rec(a));
    TMediumChoice choice{"sdb1", &medium, true, "\\x\\"};
    EXPECT_TRUE(MediumMatchesDisk(*Rec(a), choice));
}

TEST(DiskMatching, StatusLine)
{
    TDiskRec medium;
    medium.MediaType = 10;
    medium.SerialNumber = 0x1a2b3c4d;
    TMediumChoice choice{"sr0", &medium, false, {}};
    EXPECT_EQ(AddDiskStatusLine(TAddDiskMode::Add, nullptr, false), "No drive selected");
    EXPECT_EQ(AddDiskStatusLine(TAddDiskMode::Add, &choice, false),
              "CD-ROM (sr0:), Serial num: 1A2B-3C4D, not found in catalog");
    EXPECT_EQ(AddDiskStatusLine(TAddDiskMode::Add, &choice, true),
              "CD-ROM (sr0:), Serial num: 1A2B-3C4D, already exists in catalog");
    EXPECT_EQ(AddDiskStatusLine(TAddDiskMode::Update, &choice, true),
              "CD-ROM (sr0:), media match confirmed, ready to update");
    EXPECT_EQ(AddDiskStatusLine(TAddDiskMode::Update, &choice, false),
              "CD-ROM (sr0:), does NOT match the media selected for update");
    EXPECT_EQ(NormalizedVirtualRoot("/a/b"), "\\a\\b\\");
    EXPECT_EQ(NormalizedVirtualRoot("\\"), "");
}

TEST(AddDiskSwitches, DependencyRules)
{
    TAddDiskSwitches s;
    s.BrowseArchive.Checked = true;
    s.ImportComment.Checked = true;
    ApplySwitchRules(s, TAddDiskMode::Add, TSwitchClick::None);
    EXPECT_TRUE(s.ArchiveDescOnly.Enabled);
    EXPECT_FALSE(s.ArchiveQuickScan.Enabled) << "quick scan needs an old disk";
    ApplySwitchRules(s, TAddDiskMode::Update, TSwitchClick::None);
    EXPECT_TRUE(s.ArchiveQuickScan.Enabled);

    s.BrowseArchive.Checked = false;
    ApplySwitchRules(s, TAddDiskMode::Update, TSwitchClick::BrowseArchive);
    EXPECT_FALSE(s.ImportComment.Checked);
    EXPECT_FALSE(s.ArchiveDescOnly.Enabled);
    EXPECT_FALSE(s.ArchiveQuickScan.Enabled);

    s.ImportComment.Checked = true;
    ApplySwitchRules(s, TAddDiskMode::Add, TSwitchClick::ImportComment);
    EXPECT_TRUE(s.BrowseArchive.Checked);

    s = {};
    s.BrowseArchive.Checked = true;
    ApplySwitchRules(s, TAddDiskMode::Add, TSwitchClick::None);
    EXPECT_FALSE(s.ArchiveDescOnly.Enabled) << "no description source ticked";
    s.KeepCurrent.Checked = true;
    ApplySwitchRules(s, TAddDiskMode::Add, TSwitchClick::KeepCurrent);
    EXPECT_TRUE(s.ImportDescEnabled);
}

TEST(AddDiskSwitches, DefaultsComeFromAndGoBackToTheSettings)
{
    TMemorySettingsStore store;
    TOptions options(store);
    options.SetInsideZipCheck(false);
    options.SetDescKeepCurrentCheck(true);
    options.SetDescSourceChecked(TDescSource::FilesBbs, false);
    TAddDiskSwitches add = SwitchesFromOptions(options, TAddDiskMode::Add);
    EXPECT_FALSE(add.KeepCurrent.Checked) << "adding starts without importing";
    EXPECT_FALSE(add.ImportBBS.Checked);
    EXPECT_TRUE(SwitchesFromOptions(options, TAddDiskMode::Update).KeepCurrent.Checked);

    add.BrowseArchive.Checked = true;
    add.ImportBBS.Checked = true;
    add.KeepCurrent.Checked = false;
    options.SetChanged(false);
    SaveSwitchesAsDefaults(add, options);
    EXPECT_TRUE(options.InsideZipCheck());
    EXPECT_TRUE(options.DescSourceChecked(TDescSource::FilesBbs));
    EXPECT_FALSE(options.DescKeepCurrentCheck());
    EXPECT_TRUE(options.IsChanged());
}

class PressOkTest : public ::testing::Test {
protected:
    TCatalogTree tree;
    TCatalogBuilder b{tree};
    TTreeNode* cat = b.Catalog("C");
    TTreeNode* a = b.Disk(cat, "A");
    TTreeNode* a2 = b.Disk(cat, "A (2)");
    TScriptedPrompt prompt;
    TAddDiskState state;
    int selects = 0;
    TDiskSelectAnswer selectAnswer;
    TSelectDisk select = [this](const std::vector<TTreeNode*>&) {
        ++selects;
        return selectAnswer;
    };
    std::vector<QString> Captions() const
    {
        std::vector<QString> c;
        for (const auto& m : prompt.Shown) c.push_back(m.Caption);
        return c;
    }
};

TEST_F(PressOkTest, OneMatchAsksWhetherToUpdate)
{
    struct Case {
        int Answer;
        bool KeepCurrent;
        TOkOutcome Outcome;
        TTreeNode* Replaced;
        TAddDiskMode Mode;
        int Row;
    };
    const Case cases[] = {
        {pbCancel, false, TOkOutcome::StayOpen, nullptr, TAddDiskMode::Add, 0},
        {pbNo, false, TOkOutcome::Close, nullptr, TAddDiskMode::Add, 0},
        {pbYes, false, TOkOutcome::Close, a, TAddDiskMode::Update, 0},
        {pbYes, true, TOkOutcome::Close, a, TAddDiskMode::Update, 1},
    };
    for (const Case& c : cases) {
        state = {};
        state.Matches = {a};
        state.Switches.KeepCurrent.Checked = c.KeepCurrent;
        prompt.Shown.clear();
        prompt.Answers = {c.Answer};
        EXPECT_EQ(PressOk(state, prompt, select), c.Outcome) << c.Answer;
        EXPECT_EQ(state.ReplacedDisk, c.Outcome == TOkOutcome::StayOpen ? nullptr : c.Replaced);
        EXPECT_EQ(state.Mode, c.Mode);
        EXPECT_EQ(state.Switches.ImportDescRow, c.Row);
        ASSERT_EQ(prompt.Shown.size(), 1u) << "no descriptions-lost question after Yes: the box is ticked";
        EXPECT_EQ(prompt.Shown[0].Caption, "Update Old Data?");
        if (c.Answer == pbYes) {
            EXPECT_TRUE(state.Switches.KeepCurrent.Checked);
        }
    }
    EXPECT_EQ(prompt.Shown[0].Text,
              "Disk with the same serial number, label and capacity is\ralready in the catalog as \"A\". "
              "\r\rWould like to update the disk currently in the catalog?\r(selecting \"No\" will add a new "
              "disk to the catalog)");
}

TEST_F(PressOkTest, SeveralMatchesGoThroughSelectDisk)
{
    state.Matches = {a, a2};
    selectAnswer = {TDiskSelectAnswer::Cancel, nullptr};
    EXPECT_EQ(PressOk(state, prompt, select), TOkOutcome::StayOpen);
    selectAnswer = {TDiskSelectAnswer::AddAsNew, nullptr};
    EXPECT_EQ(PressOk(state, prompt, select), TOkOutcome::Close);
    EXPECT_EQ(state.ReplacedDisk, nullptr);
    EXPECT_EQ(state.MatchesAtOk, 2);
    selectAnswer = {TDiskSelectAnswer::Update, a2};
    prompt.Answers = {pbNo, pbYes};
    EXPECT_EQ(PressOk(state, prompt, select), TOkOutcome::StayOpenAtKeepCurrent);
    EXPECT_EQ(PressOk(state, prompt, select), TOkOutcome::Close);
    EXPECT_EQ(state.ReplacedDisk, a2);
    EXPECT_EQ(selects, 4);
    EXPECT_EQ(Captions(), (std::vector<QString>{"Warning", "Warning"}));
    EXPECT_TRUE(prompt.Shown[0].Text.contains("All existing descriptions will be lost!"));
}

TEST_F(PressOkTest, UpdateModeWarnsAboutADifferentMedium)
{
    state.Mode = TAddDiskMode::Update;
    state.ReplacedDisk = a;
    state.Switches.KeepCurrent.Checked = true;
    state.MediumMatches = true;
    EXPECT_EQ(PressOk(state, prompt, select), TOkOutcome::Close);
    EXPECT_TRUE(prompt.Shown.empty());
    state.MediumMatches = false;
    prompt.Answers = {pbNo, pbYes};
    EXPECT_EQ(PressOk(state, prompt, select), TOkOutcome::StayOpen);
    EXPECT_EQ(PressOk(state, prompt, select), TOkOutcome::Close);
    EXPECT_TRUE(prompt.Shown[0].Text.endsWith("replace data for \"A\" with the selected media?"));
}

TEST_F(PressOkTest, SerialChangeOnlyForANewDiskBesideMatches)
{
    TMemorySettingsStore store;
    TOptions options(store);
    int asked = 0;
    TSerialAnswer answer{true, false};
    auto ask = [&] {
        ++asked;
        return answer;
    };
    state.MatchesAtOk = 0;
    EXPECT_FALSE(DecideSerialChange(state, options, ask)) << "nothing matched";
    state.MatchesAtOk = 2;
    state.ReplacedDisk = a;
    EXPECT_FALSE(DecideSerialChange(state, options, ask)) << "a Disk is replaced";
    state.ReplacedDisk = nullptr;
    options.SetSetSerialCheck(false);
    EXPECT_FALSE(DecideSerialChange(state, options, ask));
    EXPECT_EQ(asked, 0);
    options.SetSetSerialCheck(true);
    options.SetSerialAskCheck(true);
    EXPECT_TRUE(DecideSerialChange(state, options, ask));
    answer = {false, true};
    EXPECT_FALSE(DecideSerialChange(state, options, ask));
    EXPECT_FALSE(options.SerialAskCheck()) << "don't ask again";
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(DecideSerialChange(state, options, ask)) << "changed without asking now";
    EXPECT_EQ(asked, 2);
}

TEST(DiskScanJob, OutcomeFromTheFlagsAndErrors)
{
    TDiskScanJob job;
    struct Case {
        const char* What;
        TDiskScanFunction Scan;
        TDiskScanEnd Outcome;
    };
    const Case cases[] = {
        {"finished", [](const TDiskScanJob& j) { j.Flags->Finished = true; }, TDiskScanEnd::Finished},
        {"cancelled", [](const TDiskScanJob& j) { j.Flags->Abort = true; }, TDiskScanEnd::Canceled},
        {"neither flag", [](const TDiskScanJob&) {}, TDiskScanEnd::Failed},
        {"error", [](const TDiskScanJob&) { throw std::runtime_error("bad"); }, TDiskScanEnd::Failed},
        {"error of no standard kind", [](const TDiskScanJob&) { throw 42; }, TDiskScanEnd::Failed},
        {"silent abort", [](const TDiskScanJob&) { throw EAbort(); }, TDiskScanEnd::Canceled},
    };
    for (const Case& c : cases) {
        SetDiskScanFunction(c.Scan);
        EXPECT_EQ(RunDiskScan(job), c.Outcome) << c.What;
    }
    SetDiskScanFunction({});
}

} // namespace
