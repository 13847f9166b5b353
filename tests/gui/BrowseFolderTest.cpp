// The folder browser over a real folder tree.

#include "GuiFixture.h"

#include "BrowseFolderForm.h"
#include "config/Options.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class BrowseFolderTest : public TMainFormTest {
protected:
    QString root;
    std::unique_ptr<TBrowseFolderForm> browser;
    void SetUp() override
    {
        TMainFormTest::SetUp();
        root = QString::fromStdString(dir.Path("tree"));
        QDir().mkpath(root + "/alpha/inner");
        QDir().mkpath(root + "/beta");
        QDir().mkpath(root + "/gamma");
        browser = std::make_unique<TBrowseFolderForm>(form.get());
        browser->SetFolder(root);
        browser->show();
    }
    void TearDown() override
    {
        browser.reset();
        TMainFormTest::TearDown();
    }
    void Select(const QString& path)
    {
        browser->SetFolder(path);
        ASSERT_EQ(browser->Folder(), QDir::cleanPath(path));
    }
    QString Error() const { return prompt.Shown.empty() ? QString() : prompt.Shown.back().Text; }
};

TEST_F(BrowseFolderTest, StartsAtTheFolderAndShowsItsPath)
{
    Select(root + "/alpha/inner");
    EXPECT_EQ(browser->PathLabel->text(), QDir::toNativeSeparators(root + "/alpha/inner"));
    EXPECT_EQ(browser->windowTitle(), "Select Folder");
}

TEST_F(BrowseFolderTest, NewFolderTwiceThenEditTheName)
{
    Select(root + "/beta");
    browser->NewFolderClick();
    EXPECT_EQ(browser->Folder(), root + "/beta/New Folder");
    EXPECT_TRUE(browser->Tree->Editing());
    browser->OKBtn->setFocus();
    browser->Tree->EndEdit(false);
    Select(root + "/beta");
    browser->NewFolderClick();
    browser->Tree->EndEdit(false);
    EXPECT_EQ(browser->Folder(), root + "/beta/New Folder (1)");
    EXPECT_TRUE(QFileInfo(root + "/beta/New Folder (1)").isDir());
}

TEST_F(BrowseFolderTest, RenameOnDiskOrRestoreTheName)
{
    Select(root + "/gamma");
    QModelIndex index = browser->Tree->currentIndex();
    auto* model = static_cast<QStandardItemModel*>(browser->Tree->model());
    model->itemFromIndex(index)->setText("delta");
    EXPECT_TRUE(QFileInfo(root + "/delta").isDir());
    EXPECT_EQ(browser->Folder(), root + "/delta");
    EXPECT_TRUE(prompt.Shown.empty());

    model->itemFromIndex(browser->Tree->currentIndex())->setText("beta");
    EXPECT_EQ(Error(), "Operating system has denied raneming this folder");
    EXPECT_EQ(model->itemFromIndex(browser->Tree->currentIndex())->text(), "delta");
    EXPECT_TRUE(QFileInfo(root + "/delta").isDir());
}

TEST_F(BrowseFolderTest, DeleteOnlyEmptyFoldersAndSelectTheNext)
{
    Select(root + "/alpha");
    browser->DeleteBtn->click();
    EXPECT_EQ(Error(), "Selected folder is not emtpy, deleting denied!");
    EXPECT_TRUE(QFileInfo(root + "/alpha").isDir());
    Select(root + "/beta");
    QTest::keyClick(browser->Tree, Qt::Key_Delete);
    EXPECT_FALSE(QFileInfo::exists(root + "/beta"));
    EXPECT_EQ(browser->Folder(), root + "/gamma") << "the next sibling";
    browser->DeleteBtn->click();
    EXPECT_EQ(browser->Folder(), root) << "no sibling left after it: the parent";
}

TEST_F(BrowseFolderTest, CheckBoxesAndReadOnly)
{
    browser->SetCheckCount(3);
    browser->LoadChecks("CopyTo", 7);
    for (QCheckBox* box : browser->CheckBoxes) EXPECT_TRUE(box->isChecked());
    browser->CheckBoxes[1]->setChecked(false);
    browser->SaveChecks("CopyTo");
    TBrowseFolderForm again(form.get());
    again.SetCheckCount(2);
    again.LoadChecks("CopyTo", 7);
    EXPECT_TRUE(again.CheckBoxes[0]->isChecked());
    EXPECT_FALSE(again.CheckBoxes[1]->isChecked());
    EXPECT_FALSE(again.CheckBoxes[2]->isVisibleTo(&again));
    again.SetReadOnly(true);
    EXPECT_FALSE(again.NewFolderBtn->isVisibleTo(&again));
    EXPECT_FALSE(again.DeleteBtn->isVisibleTo(&again));
}

} // namespace
