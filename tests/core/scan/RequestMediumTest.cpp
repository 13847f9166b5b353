#include "FakeMachine.h"

#include "catalog/ItemRecords.h"
#include "catalog/TreeNode.h"
#include "scan/DriveInfo.h"
#include "scan/MediaType.h"
#include "platform/Mounter.h"
#include "scan/MediumPrompt.h"
#include "scan/RequestMedium.h"

#include <map>

using namespace quorvex;

namespace {

class RequestMediumTest : public quorvex::testing::FakeMachineTest {
protected:
    void SetUp() override
    {
        FakeMachineTest::SetUp();
        catalogNode = tree.AddChild(nullptr, "Archive", new TCatalogRec);
    }

    // Catalogues medium as it reads in a drive of the given kind, then takes it out again.
    TTreeNode* Catalogue(const std::string& name, const TFakeMedium& medium, TDriveType type,
                         uint8_t deviceType = 255, const QString& product = {})
    {
        TFakeDrives scratch;
        scratch.Add("x", type, deviceType, product);
        scratch.Insert("x", medium);
        SetDrives(&scratch);
        auto* disk = new TDiskRec;
        ReadDriveInfo("x", *disk);
        SetDrives(&drives);
        return tree.AddChild(catalogNode, name, disk);
    }
    static TDiskRec& DiskOf(TTreeNode* node) { return *static_cast<TDiskRec*>(node->Data); }

    std::vector<QString> Captions() const
    {
        std::vector<QString> c;
        for (const TPromptMessage& m : prompt.Shown)
            c.push_back(m.Caption);
        return c;
    }

    TCatalogTree tree;
    TTreeNode* catalogNode = nullptr;
};

const TFakeMedium floppy = quorvex::testing::FakeMachineTest::Medium("BACKUP 1", 0x11112222);

} // namespace

TEST_F(RequestMediumTest, FoundAtOnceInTheDriveHoldingIt)
{
    TTreeNode* disk = Catalogue("Backups", floppy, dtRemovable, 7);
    tree.AddChild(disk, "docs", nullptr);
    drives.Add("hd", dtFixed);
    drives.Insert("hd", Medium("SYSTEM", 0x11112222));
    drives.Add("fd0", dtRemovable, 7);
    drives.Add("fd1", dtRemovable, 7);
    drives.Insert("fd1", floppy);

    const TRequestedMedium r = RequestMedium(disk->Child(0), true, true);
    EXPECT_EQ(r.Outcome, TRequestedMedium::Found);
    EXPECT_EQ(r.Drive, "fd1");
    EXPECT_TRUE(prompt.Shown.empty());
}

TEST_F(RequestMediumTest, InsertMediaDialogUntilInsertedCancelledOrManual)
{
    TTreeNode* disk = Catalogue("Backups", floppy, dtRemovable, 7);
    drives.Add("fd0", dtRemovable, 2); // a 720 KB drive takes 1.44 MB media
    drives.Insert("fd0", Medium("OTHER", 5));

    int rounds = 0;
    prompt.Answer = [&](const TPromptMessage& m) {
        EXPECT_EQ(m.Caption, "Insert Media");
        EXPECT_EQ(m.Text, "Please insert media labeled:\rBackups\r(Media type: Floppy 3.5\" HD)");
        EXPECT_EQ(m.Buttons, pbOK | pbCancel | pbManualSelect);
        ++rounds;
        if (rounds == 2) drives.Insert("fd0", floppy);
        return rounds < 3 ? pbOK : pbCancel;
    };
    // The drive is 720 KB: it may hold the medium, but a medium read there is not the
    // catalogued 1.44 MB one (the stored types differ).
    TRequestedMedium r = RequestMedium(disk, true, true);
    EXPECT_EQ(r.Outcome, TRequestedMedium::NotFound);
    EXPECT_EQ(rounds, 3);

    // Same drive family and the same stored type: found after the second OK.
    drives.Find("fd0")->DeviceType = 7;
    ClearMediaTypeCache();
    drives.Remove("fd0");
    rounds = 0;
    r = RequestMedium(disk, true, true);
    EXPECT_EQ(r.Outcome, TRequestedMedium::Found);
    EXPECT_EQ(r.Drive, "fd0");
    EXPECT_EQ(rounds, 2);

    drives.Remove("fd0");
    prompt.Answer = [](const TPromptMessage&) { return pbCancel; };
    EXPECT_EQ(RequestMedium(disk, true, true).Outcome, TRequestedMedium::NotFound);
    prompt.Answer = [](const TPromptMessage&) { return pbManualSelect; };
    EXPECT_EQ(RequestMedium(disk, true, true).Outcome, TRequestedMedium::ManualSelect);
    prompt.Answer = [](const TPromptMessage& m) {
        EXPECT_FALSE(m.Buttons & pbManualSelect);
        return pbCancel;
    };
    EXPECT_EQ(RequestMedium(disk, true, false).Outcome, TRequestedMedium::NotFound);

    prompt.Shown.clear();
    EXPECT_EQ(RequestMedium(disk, false, true).Outcome, TRequestedMedium::NotFound);
    EXPECT_TRUE(prompt.Shown.empty());
}

TEST_F(RequestMediumTest, NeverEndingOkOnTheConsoleIsNotPossible)
{
    // Without a scripted answer a prompt gives its default button, which must end the loop.
    TTreeNode* disk = Catalogue("Backups", floppy, dtRemovable, 7);
    drives.Add("fd0", dtRemovable, 7);
    TScriptedPrompt scripted;
    SetPrompt(&scripted);
    EXPECT_EQ(RequestMedium(disk, true, true).Outcome, TRequestedMedium::NotFound);
    EXPECT_EQ(scripted.Shown.size(), 1u);
    SetPrompt(&prompt);
}

TEST_F(RequestMediumTest, AbsentNonRemovableMedia)
{
    TTreeNode* disk = Catalogue("System", Medium("SYSTEM", 0xABCD), dtFixed);
    drives.Add("hd", dtFixed);
    drives.Insert("hd", Medium("SYSTEM", 0xABCE));

    EXPECT_EQ(RequestMedium(disk, true, true).Outcome, TRequestedMedium::ManualSelect);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Non-Removable Media");
    EXPECT_EQ(prompt.Shown[0].Text,
              "The media you requested (Hard disk) was not found\r\nand does not seem to be "
              "removable. Please select \rthe appropriate drive yourself if available.");
    EXPECT_EQ(prompt.Shown[0].Icon, TPromptIcon::Information);

    prompt.Shown.clear();
    EXPECT_EQ(RequestMedium(disk, true, false).Outcome, TRequestedMedium::NotFound);
    ASSERT_EQ(prompt.Shown.size(), 1u);
    EXPECT_EQ(
        prompt.Shown[0].Text,
        "The media you requested (Hard disk) was not found\r\nand does not seem to be removable.");

    prompt.Shown.clear();
    EXPECT_EQ(RequestMedium(disk, false, true).Outcome, TRequestedMedium::NotFound);
    EXPECT_TRUE(prompt.Shown.empty());
}

TEST_F(RequestMediumTest, NoDriveCouldTakeTheMedium)
{
    TTreeNode* disk = Catalogue("Zip", Medium("ZIPPY", 1), dtRemovable, 255, "ZIP 100");
    ASSERT_EQ(DiskOf(disk).MediaType, mtZip100);
    drives.Add("hd", dtFixed);
    drives.Add("cd", dtCDROM);
    drives.Add("jaz", dtRemovable, 255, "JAZ 1GB");

    EXPECT_EQ(RequestMedium(disk, true, true).Outcome, TRequestedMedium::NotFound);
    ASSERT_EQ(Captions(), std::vector<QString>{"No such device"});
    EXPECT_EQ(prompt.Shown[0].Text,
              "Sorry, there is no such device installed that could accept this media type.");
    prompt.Shown.clear();
    EXPECT_EQ(RequestMedium(disk, false, true).Outcome, TRequestedMedium::NotFound);
    EXPECT_TRUE(prompt.Shown.empty());

    // A plain removable drive takes a ZIP medium, and recognises it.
    drives.Add("sdc", dtRemovable, 255, "Flash Reader");
    drives.Insert("sdc", Medium("ZIPPY", 1));
    const TRequestedMedium r = RequestMedium(disk, true, true);
    EXPECT_EQ(r.Outcome, TRequestedMedium::Found);
    EXPECT_EQ(r.Drive, "sdc");
}

TEST_F(RequestMediumTest, RecognitionRules)
{
    drives.Add("sdb", dtRemovable);
    TTreeNode* disk = Catalogue("Stick", Medium("Stick", 42, 5000), dtRemovable);
    const auto found = [&] {
        prompt.Answer = [](const TPromptMessage&) { return pbCancel; };
        return RequestMedium(disk, true, false).IsFound();
    };

    drives.Insert("sdb", Medium("Stick", 42, 5000));
    EXPECT_TRUE(found());
    drives.Insert("sdb", Medium("stick", 42, 5000)); // becomes "Stick" too when read
    EXPECT_TRUE(found());
    drives.Insert("sdb", Medium("StiCK", 42, 5000)); // labels compare case-sensitively
    EXPECT_FALSE(found());
    drives.Insert("sdb", Medium("Stick", 43, 5000));
    EXPECT_FALSE(found());
    drives.Insert("sdb", Medium("Stick", 42, 5001));
    EXPECT_FALSE(found());
    // A compressed volume changes its capacity: it is not compared.
    DiskOf(disk).KindFlags |= ifCompressed;
    EXPECT_TRUE(found());

    // A virtual root is recognised by its folder.
    TDiskRec& d = DiskOf(disk);
    d.KindFlags = ikDisk | ifInScope | ifVirtualRoot;
    d.VirtualRootPath.Assign("\\photos\\2020\\");
    TFakeMedium withFolder = Medium("Stick", 42, 9999);
    drives.Insert("sdb", withFolder);
    EXPECT_FALSE(found());
    withFolder.Folders.insert("\\photos\\2020");
    drives.Insert("sdb", withFolder);
    EXPECT_TRUE(found());
    // Missing folder: only the compressed flag lets it match.
    withFolder.Folders.clear();
    drives.Insert("sdb", withFolder);
    d.KindFlags |= ifCompressed;
    EXPECT_TRUE(found());
}

TEST_F(RequestMediumTest, NodeOutsideAnyDisk)
{
    EXPECT_EQ(RequestMedium(catalogNode, true, true).Outcome, TRequestedMedium::NotFound);
    EXPECT_EQ(RequestMedium(nullptr, true, true).Outcome, TRequestedMedium::NotFound);
    EXPECT_TRUE(prompt.Shown.empty());
}

TEST_F(RequestMediumTest, DriveThatAppearsLaterIsTried)
{
    TTreeNode* disk = Catalogue("Stick", Medium("Stick", 42), dtRemovable);
    drives.Add("sdb", dtRemovable);
    prompt.Answer = [&](const TPromptMessage&) {
        drives.Add("sdc", dtRemovable);
        drives.Insert("sdc", Medium("Stick", 42));
        return pbOK;
    };
    const TRequestedMedium r = RequestMedium(disk, true, false);
    EXPECT_EQ(r.Drive, "sdc");
}

namespace {

// Mounts what the test put in the drive, as the system bus would.
class TFakeMounter : public IMounter {
public:
    explicit TFakeMounter(TFakeDrives& drives) : m_drives(drives) {}
    bool MountMedium(const QString& drive) override
    {
        Asked.push_back(drive);
        auto it = InDrive.find(drive);
        if (it == InDrive.end()) return false;
        m_drives.Insert(drive, it->second);
        InDrive.erase(it);
        return true;
    }
    std::map<QString, TFakeMedium> InDrive; // present, not mounted
    std::vector<QString> Asked;

private:
    TFakeDrives& m_drives;
};

// A medium request that shows nothing: it records what it was asked and lets the test act.
class TWatchingMediumPrompt : public IMediumPrompt {
public:
    int AskForMedium(const TMediumRequest& request) override
    {
        Requests.push_back(request);
        if (OnAsk) OnAsk();
        return request.Present && request.Present() ? pbOK : pbCancel;
    }
    std::function<void()> OnAsk;
    std::vector<TMediumRequest> Requests;
};

} // namespace

TEST_F(RequestMediumTest, PresentButUnmountedMediumIsMountedAndAwaitedMediumFoundByItself)
{
    TTreeNode* disk = Catalogue("Backups", floppy, dtRemovable, 7);
    drives.Add("fd0", dtRemovable, 7);
    TFakeMounter mounter(drives);
    SetMounter(&mounter);
    TWatchingMediumPrompt request;
    SetMediumPrompt(&request);

    mounter.InDrive["fd0"] = floppy;
    TRequestedMedium found = RequestMedium(disk, true, true);
    EXPECT_EQ(found.Outcome, TRequestedMedium::Found);
    EXPECT_EQ(found.Drive, "fd0");
    EXPECT_TRUE(request.Requests.empty()) << "nothing to ask: the medium was in the drive";

    drives.Remove("fd0");
    request.OnAsk = [&] { mounter.InDrive["fd0"] = floppy; }; // put in while the dialog is up
    found = RequestMedium(disk, true, false);
    EXPECT_EQ(found.Outcome, TRequestedMedium::Found);
    ASSERT_EQ(request.Requests.size(), 1u);
    const TMediumRequest& asked = request.Requests[0];
    EXPECT_EQ(asked.DiskName, "Backups");
    EXPECT_EQ(asked.Label, "Backup 1");
    EXPECT_EQ(asked.Serial, "1111-2222");
    EXPECT_EQ(asked.MediaTypeName, MediaTypeName(DiskOf(disk).MediaType));
    EXPECT_FALSE(asked.AllowManual);
    EXPECT_TRUE(prompt.Shown.empty());

    SetMediumPrompt(nullptr);
    SetMounter(nullptr);
}
