// Adding a folder of a drive as a disk, saving, reopening and updating it, through the real
// dialogs on the fake platform.

#include "FakeMachine.h"
#include "GuiFixture.h"

#include "AddDiskController.h"
#include "AddDiskForm.h"
#include "BrowseFolderForm.h"
#include "DiskSelectForm.h"
#include "GuiProgress.h"
#include "GuiPrompt.h"
#include "HelpForm.h"
#include "MediaForm.h"
#include "WaitForms.h"
#include "catalog/ItemRoutines.h"
#include "config/Options.h"
#include "platform/FakeDrives.h"
#include "scan/MediaType.h"

#include "scan/DiskScanner.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QCursor>
#include <QTextBrowser>
#include <QHeaderView>
#include <QTreeWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

constexpr uint32_t MediumSerial = 0x2003BEEF;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Runs fn once the next modal dialog of type T is up; polls without blocking, so dialogs
// opened from inside other dialogs' event loops are found too.
template <typename T> void WhenModal(std::function<void(T&)> fn)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, fn] {
        if (T* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            fn(*dialog);
        }
    });
    timer->start();
}

class AddDiskTest : public TMainFormTest {
protected:
    TFakeDrives drives;
    QString medium;

    void SetUp() override
    {
        medium = QString::fromStdString(dir.Path("medium"));
        WriteFile(medium + "/Collection/top.txt", "top");
        WriteFile(medium + "/Collection/docs/readme.txt", "read me");
        WriteFile(medium + "/Collection/Photos/beach.jpg", QByteArray(3000, 'x'));
        WriteFile(medium + "/Collection/Photos/2003/harbour.png", QByteArray(1200, 'y'));
        WriteFile(medium + "/Other/ignored.txt", "not below the root");
        drives.Add("usb", dtRemovable, mtRemovable).Root = medium;
        TFakeMedium m;
        m.Label = "SHELF";
        m.Serial = MediumSerial;
        drives.Insert("usb", m);
        drives.Add("cdrom", dtCDROM);
        SetDrives(&drives);
        ClearMediaTypeCache();
        TMainFormTest::SetUp();
        Options().SetEjectMediaCheck(false); // the medium stays for the next step
        AnswerNextDialog("Shelf");
        form->MenuNewClick();
        ASSERT_EQ(form->Tree().Count(), 1);
    }
    void TearDown() override
    {
        TMainFormTest::TearDown();
        SetDiskScanFunction({});
        SetDrives(nullptr);
        ClearMediaTypeCache();
    }
    TTreeNode* Catalog() { return form->Tree().Catalog(0); }
    TAddDiskController& Controller() { return *form->AddDisk(); }

    // Picks the drive and the Collection folder as virtual root, names the disk, presses OK.
    void DriveAddDialog(const QString& name, QString* status = nullptr)
    {
        Controller().Showing = [this, name, status](TAddDiskForm& dialog) {
            QTimer::singleShot(0, [this, name, status, &dialog] {
                ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
                dialog.ButtonOf("usb")->click();
                WhenModal<TBrowseFolderForm>([this](TBrowseFolderForm& browser) {
                    EXPECT_EQ(browser.windowTitle(), "Select virtual root folder");
                    browser.SetFolder(medium + "/Collection");
                    browser.OKBtn->click();
                });
                dialog.VirtualRootCheck->click();
                EXPECT_EQ(dialog.VirtualRootLabel->text(), "/Collection/");
                if (status) *status = dialog.StatusBar->currentMessage();
                if (!name.isNull()) dialog.DiskName->setText(name);
                dialog.OKBtn->click();
            });
        };
    }
    void RunCommand(QAction* action)
    {
        action->trigger();
        QApplication::processEvents();
        QTest::qWait(20);
        QApplication::processEvents();
    }
    TTreeNode* Child(TTreeNode* parent, const std::string& text) { return Find(parent, text); }
    const TFileRec* FileIn(TTreeNode* owner, std::string_view name)
    {
        for (const TFileRec* f = owner->Data->Next; f; f = f->Next)
            if (f->Name() == name) return f;
        return nullptr;
    }
    std::vector<QString> Captions() const
    {
        std::vector<QString> c;
        for (const auto& m : prompt.Shown) c.push_back(m.Caption);
        return c;
    }
};

TEST_F(AddDiskTest, AddSaveReopenAndUpdateKeepingDescriptions)
{
    QString status;
    DriveAddDialog("Holiday", &status);
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(status.toStdString(), "Removable drive (usb:), Serial num: 2003-BEEF, not found in catalog");
    ASSERT_EQ(Catalog()->Count(), 1);
    TTreeNode* disk = Catalog()->Child(0);
    EXPECT_EQ(disk->Text, "Holiday");
    EXPECT_TRUE(ItemIs(disk->Data, ifVirtualRoot));
    EXPECT_EQ(AsDisk(disk->Data)->VirtualRootPath.Str(), "\\Collection\\");
    EXPECT_EQ(form->SelectedNode(), disk);
    ASSERT_TRUE(Child(disk, "Photos") && Child(disk, "docs"));
    EXPECT_TRUE(Child(Child(disk, "Photos"), "2003"));
    EXPECT_TRUE(FileIn(disk, "top.txt"));
    EXPECT_FALSE(Child(disk, "Other"));
    EXPECT_TRUE(AsCatalog(Catalog()->Data)->Modified);

    static_cast<TFolderRec*>(Child(disk, "Photos")->Data)->Description.Assign("Summer pictures");
    const_cast<TFileRec*>(FileIn(Child(disk, "docs"), "readme.txt"))->Description.Assign("Read this first");
    const std::string file = dir.Path("shelf.ctf");
    dialogs.SaveAnswers = {file};
    form->SelectNode(Catalog());
    form->MenuSaveClick();
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(file)));
    form->MenuCloseAllClick();
    ASSERT_EQ(form->Tree().Count(), 0);
    EXPECT_FALSE(form->MenuAddDisk->isEnabled()) << "no catalog to add to";

    form->OpenCatalogFiles({file}, false);
    ASSERT_EQ(form->Tree().Count(), 1);
    EXPECT_TRUE(form->MenuAddDisk->isEnabled());
    disk = Catalog()->Child(0);
    ASSERT_EQ(disk->Text, "Holiday");

    // The medium changes: a new file, one gone.
    WriteFile(medium + "/Collection/docs/new.txt", "fresh");
    QFile::remove(medium + "/Collection/top.txt");
    form->SelectNode(disk);
    prompt.Shown.clear();
    Controller().Form()->AdvancedBtn->setChecked(true);
    Controller().Showing = [](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&dialog] {
            // The medium is found by itself and its root taken from the disk.
            ASSERT_TRUE(WaitFor([&] { return dialog.SelectedButton() != nullptr; }));
            EXPECT_EQ(dialog.windowTitle(), "Update Disk");
            EXPECT_TRUE(dialog.ImportDescCombo->isVisible());
            EXPECT_GE(dialog.height(), dialog.sizeHint().height()) << "the row of the import combo fits";
            EXPECT_EQ(dialog.VirtualRootLabel->text(), "/Collection/");
            EXPECT_EQ(dialog.StatusBar->currentMessage().toStdString(), "Removable drive (usb:), media match confirmed, ready to update");
            EXPECT_EQ(dialog.DiskName->text(), "Holiday");
            EXPECT_TRUE(dialog.KeepCurrentCheck->isChecked());
            dialog.OKBtn->click();
        });
    };
    RunCommand(form->TreeMenuUpdateDisk);
    EXPECT_TRUE(prompt.Shown.empty()) << prompt.Shown.front().Text.toStdString();
    ASSERT_EQ(Catalog()->Count(), 1) << "the old disk is replaced";
    disk = Catalog()->Child(0);
    EXPECT_EQ(disk->Text, "Holiday");
    EXPECT_FALSE(FileIn(disk, "top.txt"));
    TTreeNode* docs = Child(disk, "docs");
    ASSERT_TRUE(docs);
    EXPECT_TRUE(FileIn(docs, "new.txt"));
    ASSERT_TRUE(FileIn(docs, "readme.txt"));
    EXPECT_EQ(FileIn(docs, "readme.txt")->Description.Str(), "Read this first");
    EXPECT_EQ(static_cast<TFolderRec*>(Child(disk, "Photos")->Data)->Description.Str(), "Summer pictures");
}

TEST_F(AddDiskTest, CancelHalfwayLeavesTheOldDiskUntouched)
{
    DriveAddDialog("Holiday");
    RunCommand(form->MenuAddDisk);
    ASSERT_EQ(Catalog()->Count(), 1);
    TTreeNode* old = Catalog()->Child(0);
    const int oldChildren = old->Count();
    form->SelectNode(old);

    prompt.Shown.clear();
    prompt.Answers = {pbYes}; // "Do you really want to abort disk scan?"
    // Cancel once the walk has reached a folder: the scan lets events run as it goes.
    QTimer cancel;
    cancel.setInterval(0);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        TWaitUpdateForm* scan = form->ProgressWindows()->ScanForm();
        if (scan && scan->isVisible() && scan->DirLabel->text().contains("Collection")) {
            cancel.stop();
            scan->ButtonCancel->click();
        }
    });
    cancel.start();
    Controller().Showing = [](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&dialog] {
            ASSERT_TRUE(WaitFor([&] { return dialog.SelectedButton() != nullptr; }));
            dialog.OKBtn->click();
        });
    };
    RunCommand(form->TreeMenuUpdateDisk);
    EXPECT_EQ(Captions(), std::vector<QString>{"Abort Disk Scan"}) << "a cancel shows no error";
    EXPECT_EQ(Controller().LastOutcome, TDiskScanEnd::Canceled);
    ASSERT_EQ(Catalog()->Count(), 1);
    EXPECT_EQ(Catalog()->Child(0), old);
    EXPECT_EQ(old->Count(), oldChildren);
    EXPECT_TRUE(FileIn(old, "top.txt"));
    EXPECT_FALSE(form->ProgressWindows()->ScanForm() && form->ProgressWindows()->ScanForm()->isVisible());
}

TEST_F(AddDiskTest, AddingTheSameMediumAgainAsksAndOffersANewSerial)
{
    DriveAddDialog("Holiday");
    RunCommand(form->MenuAddDisk);
    ASSERT_EQ(Catalog()->Count(), 1);

    prompt.Shown.clear();
    prompt.Answers = {pbNo}; // "Update Old Data?": add a new disk
    QString status;
    DriveAddDialog(QString(), &status);
    bool serialAsked = false;
    Controller().AskSerial = nullptr;
    WhenModal<TSerialAskForm>([&](TSerialAskForm& ask) {
        serialAsked = true;
        ask.DontAskCheck->setChecked(true);
        ask.YesBtn->click();
    });
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(status.toStdString(), "Removable drive (usb:), Serial num: 2003-BEEF, already exists in catalog");
    EXPECT_EQ(Captions(), std::vector<QString>{"Update Old Data?"});
    EXPECT_TRUE(serialAsked);
    EXPECT_FALSE(Options().SerialAskCheck()) << "don't ask again";
    ASSERT_EQ(Catalog()->Count(), 2);
    EXPECT_EQ(Catalog()->Child(1)->Text, "Holiday (2)") << "the name taken from the match is made unique";
    EXPECT_NE(AsDisk(Catalog()->Child(1)->Data)->SerialNumber, MediumSerial);
}

TEST_F(AddDiskTest, UpdateOldDataYesReplacesTheMatchingDisk)
{
    DriveAddDialog("Holiday");
    RunCommand(form->MenuAddDisk);
    TTreeNode* old = Catalog()->Child(0);
    prompt.Shown.clear();
    prompt.Answers = {pbYes};
    DriveAddDialog(QString());
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(Captions(), std::vector<QString>{"Update Old Data?"});
    ASSERT_EQ(Catalog()->Count(), 1);
    EXPECT_NE(Catalog()->Child(0), old);
    EXPECT_EQ(Catalog()->Child(0)->Text, "Holiday");
}

TEST_F(AddDiskTest, AFailedScanIsReported)
{
    SetDiskScanFunction([](const TDiskScanJob&) { throw std::runtime_error("unreadable"); });
    DriveAddDialog("Broken");
    RunCommand(form->MenuAddDisk);
    ASSERT_EQ(Captions(), std::vector<QString>{"Error"});
    EXPECT_EQ(prompt.Shown[0].Text, ScanFailedMessage());
    EXPECT_EQ(Catalog()->Count(), 0);
}

TEST_F(AddDiskTest, DriveButtonsStatusAndKeys)
{
    Controller().Showing = [](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&dialog] {
            ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
            EXPECT_EQ(dialog.windowTitle(), "Add New Disk");
            EXPECT_EQ(dialog.DriveButtons.size(), 2u);
            EXPECT_EQ(dialog.StatusBar->currentMessage(), "No drive selected");
            EXPECT_FALSE(dialog.OKBtn->isEnabled());
            EXPECT_FALSE(dialog.VirtualRootCheck->isEnabled());
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog)) << "keys go where the focus is";
            dialog.CancelBtn->setFocus();
            QTest::keyClick(&dialog, Qt::Key_U);
            EXPECT_EQ(dialog.SelectedButton(), dialog.ButtonOf("usb"));
            EXPECT_TRUE(dialog.OKBtn->isEnabled());
            dialog.DiskName->setFocus();
            QTest::keyClick(dialog.DiskName, Qt::Key_U);
            EXPECT_EQ(dialog.SelectedButton(), dialog.ButtonOf("usb")) << "typing in the name box selects nothing";
            dialog.ButtonOf("usb")->click();
            EXPECT_EQ(dialog.SelectedButton(), nullptr) << "a second click deselects";
            QTest::keyClick(dialog.DiskName, Qt::Key_U);
            EXPECT_EQ(dialog.SelectedButton(), nullptr);
            QTest::keyClick(dialog.DiskName, Qt::Key_U, Qt::AltModifier);
            EXPECT_TRUE(WaitFor([&] { return dialog.SelectedButton() == dialog.ButtonOf("usb"); }))
                << "with Alt the name box lets the letter through";
            dialog.ButtonOf("usb")->click();
            dialog.DatabaseList->setFocus();
            QTest::keyClick(dialog.DatabaseList, Qt::Key_U);
            EXPECT_EQ(dialog.SelectedButton(), dialog.ButtonOf("usb")) << "a list is no edit box";
            dialog.ButtonOf("usb")->click();
            // Switch rules on the real boxes.
            dialog.AdvancedBtn->click();
            EXPECT_TRUE(dialog.OptionsPanel->isVisible());
            EXPECT_EQ(dialog.AdvancedBtn->text(), "Advanced >>");
            if (dialog.BrowseArchiveCheck->isChecked()) dialog.BrowseArchiveCheck->click();
            EXPECT_FALSE(dialog.ImportCommentCheck->isChecked());
            dialog.ImportCommentCheck->click();
            EXPECT_TRUE(dialog.BrowseArchiveCheck->isChecked());
            EXPECT_FALSE(dialog.ArchiveQuickScan->isEnabled()) << "adding has no old archives";
            // F1 opens the help on adding disks, usable while the dialog is modal.
            EXPECT_EQ(TAddDiskForm::HelpContextOf(dialog.ButtonOf("usb")), 10012);
            EXPECT_EQ(TAddDiskForm::HelpContextOf(dialog.VirtualRootLabel), 10003);
            EXPECT_EQ(TAddDiskForm::HelpContextOf(dialog.DiskName), 10000);
            QCursor::setPos(dialog.mapToGlobal(QPoint(-500, -500)));
            dialog.AdvancedBtn->setFocus();
            QTest::keyClick(dialog.AdvancedBtn, Qt::Key_F1);
            auto* help = dialog.findChild<THelpForm*>();
            ASSERT_TRUE(help);
            EXPECT_TRUE(help->isVisible());
            EXPECT_EQ(help->Browser()->source().fragment(), "adddisk");
            EXPECT_TRUE(help->Browser()->toPlainText().contains("Adding and updating disks"));
            help->close();
            dialog.CancelBtn->click();
        });
    };
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(Catalog()->Count(), 0);
}

TEST_F(AddDiskTest, FolderButtonPicksDriveAndRootAndNamesTheDisk)
{
    QString caption, tip, name, root, status;
    auto pickPhotos = [&](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
            caption = dialog.ButtonOf("usb")->Caption->text();
            tip = dialog.ButtonOf("usb")->toolTip();
            WhenModal<TBrowseFolderForm>([this](TBrowseFolderForm& browser) {
                EXPECT_EQ(browser.windowTitle(), "Select folder to catalogue");
                browser.SetFolder(medium + "/Collection/Photos");
                browser.OKBtn->click();
            });
            dialog.FolderBtn->click();
            EXPECT_EQ(dialog.SelectedButton(), dialog.ButtonOf("usb"));
            EXPECT_TRUE(dialog.VirtualRootCheck->isChecked());
            root = dialog.VirtualRootLabel->text();
            name = dialog.DiskName->text();
            status = dialog.StatusBar->currentMessage();
            dialog.OKBtn->click();
        });
    };
    Controller().Showing = pickPhotos;
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(caption, "&usb:\nShelf") << "the label beside the kernel id";
    EXPECT_EQ(tip, "Removable drive (usb:)\nShelf");
    EXPECT_EQ(root, "/Collection/Photos/");
    EXPECT_EQ(name, "Photos") << "a virtual root is named after its folder";
    EXPECT_EQ(status, "Removable drive (usb:), Serial num: 2003-BEEF, not found in catalog");
    ASSERT_EQ(Catalog()->Count(), 1);
    EXPECT_EQ(Catalog()->Child(0)->Text, "Photos");
    EXPECT_TRUE(Child(Catalog()->Child(0), "2003"));

    // The whole medium is named by its label, made unique like every name.
    Controller().Showing = [&](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
            dialog.ButtonOf("usb")->click();
            name = dialog.DiskName->text();
            dialog.DiskName->setText("Shelf");
            EXPECT_EQ(dialog.DiskName->text(), "Shelf");
            dialog.CancelBtn->click();
        });
    };
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(name, "Shelf");
}

TEST_F(AddDiskTest, ScanWindowCountsAndTellsOfUnreadableFolders)
{
    WriteFile(medium + "/Collection/Private/secret.txt", "secret");
    TRefusedFolders refused;
    refused.Refuse(QDir(medium + "/Collection/Private").absolutePath().toStdString());
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");
    bool busy = false;
    QString counts;
    auto* watch = new QTimer;
    watch->setInterval(0);
    QObject::connect(watch, &QTimer::timeout, [&] {
        TWaitUpdateForm* scan = form->ProgressWindows()->ScanForm();
        if (!counts.isEmpty() || !scan || scan->CountsLabel->text().isEmpty()) return;
        counts = scan->CountsLabel->text();
        busy = scan->ProgressBar->maximum() == 0 && scan->ProgressBar->isVisible();
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            scan->grab().save(folder + "/scan-progress.png");
        }
    });
    watch->start();
    DriveAddDialog("Holiday");
    RunCommand(form->MenuAddDisk);
    delete watch;
    EXPECT_TRUE(busy) << "a folder of a drive has no base: the bar is busy";
    EXPECT_TRUE(counts.startsWith("Files: ")) << counts.toStdString();
    ASSERT_EQ(Catalog()->Count(), 1);
    TTreeNode* priv = Child(Catalog()->Child(0), "Private");
    ASSERT_TRUE(priv);
    EXPECT_EQ(priv->Data->Next, nullptr);
    ASSERT_EQ(Captions(), std::vector<QString>{"Unreadable Folders"});
    EXPECT_TRUE(prompt.Shown[0].Text.contains(medium + "/Collection/Private"));
    EXPECT_EQ(prompt.Shown[0].Icon, TPromptIcon::Warning);
    if (!folder.isEmpty()) { // the same message in a real box, for a look
        TGuiPrompt real;
        SetPrompt(&real);
        WhenModal<QMessageBox>([&](QMessageBox& box) {
            box.grab().save(folder + "/unreadable-folders.png");
            box.accept();
        });
        ReportUnreadableFolders(Prompt(), {(medium + "/Collection/Private").toStdString()});
        SetPrompt(&prompt);
    }
}

TEST_F(AddDiskTest, MediumRequestWaitsForTheMediumOrLetsTheUserPick)
{
    DriveAddDialog("Holiday");
    RunCommand(form->MenuAddDisk);
    ASSERT_EQ(Catalog()->Count(), 1);
    const TFakeMedium shelf = *drives.Find("usb")->Medium;
    drives.Remove("usb");
    TGuiMediumPrompt mediumPrompt;
    SetMediumPrompt(&mediumPrompt);
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");

    for (const bool manual : {false, true}) {
        SCOPED_TRACE(manual ? "manual select" : "inserted while asked");
        QStringList texts;
        bool manualShown = false, closedByItself = false;
        WhenModal<TMediaForm>([&](TMediaForm& media) {
            texts = {media.windowTitle(), media.TextLabel->text(), media.NameLabel->text(),
                     media.TypeLabel->text(), media.DetailsLabel->text()};
            manualShown = media.ManualBtn->isVisible();
            if (!folder.isEmpty() && !manual) {
                QDir().mkpath(folder);
                media.grab().save(folder + "/insert-media-update.png");
            }
            if (manual) {
                media.ManualBtn->click();
                return;
            }
            drives.Insert("usb", shelf); // the watch finds it within a second
            closedByItself = WaitFor([&] { return !media.isVisible(); }, 3000);
        });
        TDriveButton* selected = nullptr;
        Controller().Showing = [&](TAddDiskForm& dialog) {
            QTimer::singleShot(0, [&] {
                ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
                WaitFor([&] { return !texts.isEmpty() && !qobject_cast<TMediaForm*>(QApplication::activeModalWidget()); });
                QTest::qWait(50);
                selected = dialog.SelectedButton();
                dialog.CancelBtn->click();
            });
        };
        form->SelectNode(Catalog()->Child(0));
        RunCommand(form->TreeMenuUpdateDisk);
        EXPECT_EQ(texts, QStringList({"Insert Media", "Please insert media labeled:", "Holiday",
                                      "(Media type: Virtual Removable drive)",
                                      "Volume label: Shelf\nSerial number: 2003-BEEF"}));
        EXPECT_TRUE(manualShown) << "update mode offers Manual Select";
        if (manual) {
            EXPECT_EQ(selected, nullptr) << "the user picks the drive";
        } else {
            EXPECT_TRUE(closedByItself);
            EXPECT_EQ(selected, Controller().Form()->ButtonOf("usb"));
        }
        drives.Remove("usb");
    }
    SetMediumPrompt(nullptr);
    drives.Insert("usb", shelf);
}

TEST_F(AddDiskTest, ButtonsFollowTheDrivesPresent)
{
    size_t buttons = 0;
    bool emptyShown = false;
    bool optionsShown = false;
    auto look = [&](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
            buttons = dialog.DriveButtons.size();
            emptyShown = dialog.EmptyDriveLabel->isVisible();
            optionsShown = dialog.OptionsPanel->isVisible();
            if (!optionsShown) dialog.AdvancedBtn->click();
            dialog.CancelBtn->click();
        });
    };
    Controller().Showing = look;
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(buttons, 2u);
    EXPECT_FALSE(emptyShown);
    EXPECT_FALSE(optionsShown);
    drives.Add("zip", dtRemovable, mtRemovable, "ZIP 100");
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(buttons, 3u) << "a drive that came while the program runs gets its button";
    EXPECT_TRUE(optionsShown) << "the options panel stays as it was left";

    TFakeDrives none;
    SetDrives(&none);
    RunCommand(form->MenuAddDisk);
    EXPECT_EQ(buttons, 0u);
    EXPECT_TRUE(emptyShown);
    EXPECT_EQ(Controller().Form()->EmptyDriveLabel->text(), "No drives are available");
    SetDrives(&drives);
}

TEST_F(AddDiskTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEX_SCREENSHOTS not set";
    QDir().mkpath(folder);
    auto shoot = [&](QWidget& w, const QString& name) {
        QApplication::processEvents();
        QTest::qWait(30);
        w.grab().save(folder + "/" + name + ".png");
    };
    DriveAddDialog("Holiday");
    RunCommand(form->MenuAddDisk);
    form->DBTree->expandAll();
    shoot(*form, "added-disk");
    Controller().Showing = [&](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
            dialog.ButtonOf("usb")->click();
            shoot(dialog, "add-disk");
            dialog.AdvancedBtn->click();
            shoot(dialog, "add-disk-advanced");
            TDiskInfoForm info(dialog.Medium(), "Holiday", 0, &dialog);
            info.show();
            shoot(info, "disk-info");
            dialog.CancelBtn->click();
        });
    };
    RunCommand(form->MenuAddDisk);
    form->SelectNode(Catalog()->Child(0));
    Controller().Showing = [&](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([&] { return dialog.SelectedButton() != nullptr; }));
            shoot(dialog, "update-disk-advanced");
            dialog.CancelBtn->click();
        });
    };
    RunCommand(form->TreeMenuUpdateDisk);
    TDiskSelectForm select({Catalog()->Child(0), Catalog()->Child(0)}, &form->Icons(), form.get());
    select.show();
    shoot(select, "select-disk");
    TSerialAskForm serial(form.get());
    serial.show();
    shoot(serial, "serial-ask");
    // The same dialog on this machine's own drives.
    SetDrives(nullptr);
    Controller().Showing = [&](TAddDiskForm& dialog) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([&] { return dialog.isVisible(); }));
            shoot(dialog, "add-disk-this-machine");
            dialog.CancelBtn->click();
        });
    };
    RunCommand(form->MenuAddDisk);
    SetDrives(&drives);
    TBrowseFolderForm browser(form.get());
    browser.SetCheckCount(3);
    browser.CheckBoxes[0]->setText("Restore folder structure");
    browser.SetFolder(medium + "/Collection/Photos");
    browser.show();
    shoot(browser, "browse-folder");
}

} // namespace

namespace {

TEST_F(TMainFormTest, SerialAskAnswers)
{
    const struct {
        const char* What;
        std::function<void(TSerialAskForm&)> Close;
        TSerialAnswer Answer;
    } cases[] = {
        {"yes", [](TSerialAskForm& f) { f.YesBtn->click(); }, {true, true}},
        {"no", [](TSerialAskForm& f) { f.NoBtn->click(); }, {false, true}},
        {"escape", [](TSerialAskForm& f) { QTest::keyClick(&f, Qt::Key_Escape); }, {false, false}},
    };
    for (const auto& c : cases) {
        TSerialAskForm ask(form.get());
        EXPECT_FALSE(ask.DontAskCheck->isChecked());
        EXPECT_TRUE(ask.YesBtn->isDefault());
        QTimer::singleShot(0, [&] {
            ask.DontAskCheck->setChecked(true);
            c.Close(ask);
        });
        ask.exec();
        EXPECT_EQ(ask.Answer().Change, c.Answer.Change) << c.What;
        EXPECT_EQ(ask.Answer().DontAskAgain, c.Answer.DontAskAgain) << c.What;
    }
}

TEST_F(TMainFormTest, SelectDiskListsSortsAndAnswers)
{
    dialogs.OpenAnswers = {{ShowcaseFile()}};
    form->MenuOpenClick();
    TTreeNode* cat = form->Tree().Catalog(0);
    std::vector<TTreeNode*> disks;
    for (int i = 0; i < cat->Count(); ++i) disks.push_back(cat->Child(i));
    auto names = [](TDiskSelectForm& select) {
        QStringList texts;
        for (int i = 0; i < select.DiskList->topLevelItemCount(); ++i) texts << select.DiskList->topLevelItem(i)->text(0);
        return texts;
    };

    TDiskSelectForm select(disks, &form->Icons(), form.get());
    QStringList given;
    for (TTreeNode* disk : disks) given << QString::fromStdString(disk->Text);
    EXPECT_EQ(names(select), given) << "the matches in tree order";
    EXPECT_EQ(select.SelectedDisk(), disks[0]) << "the first match is the one offered";
    EXPECT_FALSE(select.DiskList->topLevelItem(0)->icon(0).isNull());
    select.DiskList->header()->sectionClicked(0);
    EXPECT_EQ(names(select), (QStringList{"Backup ZIP", "Drivers", "Photos 2003"}));
    EXPECT_EQ(select.SelectedDisk(), disks[0]) << "sorting keeps the selection";
    select.DiskList->header()->sectionClicked(0);
    EXPECT_EQ(names(select), (QStringList{"Photos 2003", "Drivers", "Backup ZIP"}));

    const struct {
        QPushButton* TDiskSelectForm::*Button;
        TDiskSelectAnswer::TKind Kind;
        bool Accepted;
        bool WithDisk;
    } cases[] = {{&TDiskSelectForm::UpdateBtn, TDiskSelectAnswer::Update, true, true},
                 {&TDiskSelectForm::AddNewBtn, TDiskSelectAnswer::AddAsNew, true, false},
                 {&TDiskSelectForm::CancelBtn, TDiskSelectAnswer::Cancel, false, false}};
    for (const auto& c : cases) {
        TDiskSelectForm dialog(disks, &form->Icons(), form.get());
        dialog.DiskList->setCurrentItem(dialog.DiskList->topLevelItem(2));
        QTimer::singleShot(0, [&] { (dialog.*c.Button)->click(); });
        EXPECT_EQ(dialog.exec() == QDialog::Accepted, c.Accepted);
        EXPECT_EQ(dialog.Answer().Kind, c.Kind);
        EXPECT_EQ(dialog.Answer().Disk, c.WithDisk ? disks[2] : nullptr);
    }
}

} // namespace
