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
    QStandardItem* Current() const
    {
        auto* model = static_cast<QStandardItemModel*>(browser->Tree->model());
        return model->itemFromIndex(browser->Tree->currentIndex());
    }
    QStringList ChildNames(QStandardItem* item) const
    {
        QStringList names;
        for (int r = 0; r < item->rowCount(); ++r) names << item->child(r)->text();
        return names;
    }
};

TEST_F(BrowseFolderTest, StartsAtTheFolderAndShowsItsPath)
{
    Select(root + "/alpha/inner");
    EXPECT_EQ(browser->PathLabel->text(), QDir::toNativeSeparators(root + "/alpha/inner"));
    EXPECT_EQ(browser->windowTitle(), "Select Folder");
    browser->SetFolder(root + "/beta/missing/deeper");
    EXPECT_EQ(browser->Folder(), root + "/beta") << "the deepest folder that exists";

    TBrowseFolderForm fresh(form.get());
    EXPECT_TRUE(fresh.Folder().isEmpty());
    EXPECT_FALSE(fresh.OKBtn->isEnabled()) << "no folder to hand back";
    fresh.SetFolder(root);
    EXPECT_TRUE(fresh.OKBtn->isEnabled());
}

TEST_F(BrowseFolderTest, KeyboardRenamesDeletesAndCloses)
{
    Select(root + "/gamma");
    browser->hide();
    browser->show();
    EXPECT_EQ(browser->focusWidget(), browser->Tree) << "the tree has the focus on showing";
    QTest::keyClick(browser->Tree, Qt::Key_F2);
    ASSERT_TRUE(browser->Tree->Editing());
    auto editor = [this] { return qobject_cast<QLineEdit*>(browser->Tree->indexWidget(browser->Tree->currentIndex())); };
    ASSERT_TRUE(editor());
    editor()->setText("dropped");
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_FALSE(browser->Tree->Editing());
    EXPECT_TRUE(browser->isVisible()) << "Escape ends the edit only";
    EXPECT_TRUE(QFileInfo(root + "/gamma").isDir());

    QTest::keyClick(browser->Tree, Qt::Key_F2);
    ASSERT_TRUE(editor());
    editor()->setText("kept");
    QTest::keyClick(editor(), Qt::Key_Return);
    QApplication::processEvents(); // the edit is committed once the key has been handled
    EXPECT_TRUE(QFileInfo(root + "/kept").isDir());
    EXPECT_TRUE(browser->isVisible()) << "Return ends the edit only";
    EXPECT_EQ(browser->focusWidget(), browser->Tree);

    QTest::keyClick(browser->Tree, Qt::Key_Return);
    EXPECT_FALSE(browser->isVisible());
    EXPECT_EQ(browser->result(), QDialog::Accepted);
    EXPECT_EQ(browser->Folder(), root + "/kept");

    // Closing in the middle of an edit: Cancel drops it, OK keeps it.
    for (const bool ok : {false, true}) {
        browser->show();
        QTest::keyClick(browser->Tree, Qt::Key_F2);
        ASSERT_TRUE(editor());
        editor()->setText(ok ? "by-ok" : "by-cancel");
        (ok ? browser->OKBtn : browser->CancelBtn)->click();
        EXPECT_FALSE(browser->isVisible());
        EXPECT_FALSE(browser->Tree->Editing());
        EXPECT_EQ(browser->result(), ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(QFileInfo(root + "/by-ok").isDir(), ok);
        EXPECT_FALSE(QFileInfo::exists(root + "/by-cancel"));
    }
    EXPECT_EQ(browser->Folder(), root + "/by-ok");
}

TEST_F(BrowseFolderTest, ShownAgainReadsTheFoldersAgainAndForgetsTheDriveLimit)
{
    browser->SetDriveLimit(root + "/alpha");
    browser->SetFolder(root + "/alpha/inner");
    auto* model = static_cast<QStandardItemModel*>(browser->Tree->model());
    EXPECT_EQ(model->rowCount(), 1);
    browser->accept();
    EXPECT_EQ(browser->Folder(), root + "/alpha/inner") << "still there for the caller";

    QDir().mkpath(root + "/alpha/added");
    browser->show();
    EXPECT_EQ(browser->Folder(), root + "/alpha/inner") << "where it was left";
    EXPECT_EQ(model->item(model->rowCount() - 1)->text(), "File System") << "every drive again";
    EXPECT_EQ(ChildNames(Current()->parent()), QStringList({"added", "inner"}));
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
    EXPECT_EQ(Error(), "Operating system has denied renaming this folder");
    EXPECT_EQ(model->itemFromIndex(browser->Tree->currentIndex())->text(), "delta");
    EXPECT_TRUE(QFileInfo(root + "/delta").isDir());

    // An open branch is read again: its folders now live below the new name.
    Select(root + "/alpha/inner");
    Select(root + "/alpha");
    ASSERT_TRUE(browser->Tree->isExpanded(browser->Tree->currentIndex()));
    Current()->setText("omega");
    ASSERT_EQ(Current()->rowCount(), 1);
    EXPECT_EQ(Current()->child(0)->data(TBrowseFolderForm::PathRole).toString(), root + "/omega/inner");
}

TEST_F(BrowseFolderTest, DeleteOnlyEmptyFoldersAndSelectTheNext)
{
    Select(root + "/alpha");
    browser->DeleteBtn->click();
    EXPECT_EQ(Error(), "Selected folder is not empty, deleting denied!");
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
    const int height = browser->height();
    browser->SetCheckCount(3);
    QApplication::processEvents();
    EXPECT_EQ(browser->height(), height + 3 * 22);
    EXPECT_EQ(browser->CheckBoxes[1]->y() - browser->CheckBoxes[0]->y(), 22);
    EXPECT_EQ(browser->CheckBoxes[2]->y() - browser->CheckBoxes[1]->y(), 22);
    browser->SetCheckCount(1);
    EXPECT_EQ(browser->height(), height + 22);
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

    // Folders read before the switch are no more editable than the others.
    Select(root + "/beta");
    browser->SetReadOnly(true);
    QTest::keyClick(browser->Tree, Qt::Key_F2);
    EXPECT_FALSE(browser->Tree->Editing());
    QTest::keyClick(browser->Tree, Qt::Key_Delete);
    browser->NewFolderClick();
    EXPECT_TRUE(QFileInfo(root + "/beta").isDir());
    EXPECT_FALSE(QFileInfo::exists(root + "/beta/New Folder"));
    EXPECT_TRUE(prompt.Shown.empty());
}

} // namespace
