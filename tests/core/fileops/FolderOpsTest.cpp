#include "fileops/FolderOps.h"

#include "platform/Prompt.h"
#include "platform/SettingsStoreMemory.h"

#include "TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class FolderOpsTest : public ::testing::Test {
protected:
    TTempDir temp;
    TScriptedPrompt prompt;
    QString root = QString::fromStdString(temp.Path("root"));
    void SetUp() override { QDir().mkpath(root); }
    QString Path(const QString& name) const { return root + "/" + name; }
    QString LastText() const { return prompt.Shown.empty() ? QString() : prompt.Shown.back().Text; }
};

TEST_F(FolderOpsTest, NewFolderTakesTheFirstFreeName)
{
    EXPECT_EQ(CreateNewFolder(root, prompt), Path("New Folder"));
    EXPECT_EQ(CreateNewFolder(root, prompt), Path("New Folder (1)"));
    EXPECT_EQ(CreateNewFolder(root, prompt), Path("New Folder (2)"));
    ASSERT_TRUE(QFile::link(Path("nowhere"), Path("New Folder (3)")));
    EXPECT_EQ(CreateNewFolder(root, prompt), Path("New Folder (4)")) << "a dangling link holds its name";
    EXPECT_TRUE(prompt.Shown.empty());

    EXPECT_FALSE(CreateNewFolder(Path("missing"), prompt));
    EXPECT_EQ(prompt.Shown.back().Caption, "Error");
    EXPECT_EQ(LastText(), "Can't create new folder!");
    EXPECT_EQ(prompt.Shown.back().Icon, TPromptIcon::Error);
}

TEST_F(FolderOpsTest, RenameRefusesTakenAndBadNames)
{
    QDir().mkpath(Path("a"));
    QDir().mkpath(Path("b"));
    ASSERT_TRUE(QFile::link(Path("nowhere"), Path("link")));
    EXPECT_TRUE(RenameFolder(Path("a"), "c", prompt));
    EXPECT_TRUE(QFileInfo(Path("c")).isDir());
    for (const QString bad : {"b", "link", "", "x/y", ".."}) {
        prompt.Shown.clear();
        EXPECT_FALSE(RenameFolder(Path("c"), bad, prompt)) << bad.toStdString();
        EXPECT_EQ(LastText(), "Operating system has denied renaming this folder");
    }
    EXPECT_TRUE(QFileInfo(Path("c")).isDir());
    EXPECT_TRUE(QFileInfo(Path("b")).isDir());
}

TEST_F(FolderOpsTest, DeleteOnlyEmptyFolders)
{
    QDir().mkpath(Path("outer/inner"));
    EXPECT_EQ(DeleteFolder(Path("outer"), prompt), TDeleteFolderResult::NotEmpty);
    EXPECT_EQ(LastText(), "Selected folder is not empty, deleting denied!");
    EXPECT_EQ(prompt.Shown.back().Icon, TPromptIcon::Warning);
    QDir().mkpath(Path("hidden"));
    QFile f(Path("hidden/.dot"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(DeleteFolder(Path("hidden"), prompt), TDeleteFolderResult::NotEmpty);
    EXPECT_EQ(DeleteFolder(Path("outer/inner"), prompt), TDeleteFolderResult::Deleted);
    EXPECT_FALSE(QFileInfo::exists(Path("outer/inner")));
    EXPECT_EQ(DeleteFolder(Path("gone"), prompt), TDeleteFolderResult::Failed);
    EXPECT_EQ(LastText(), "Operating system has denied deleting this folder!");
}

TEST(BrowseChecks, StoredWithEveryOtherBitSet)
{
    TMemorySettingsStore store;
    EXPECT_EQ(LoadBrowseChecks(store, "CopyTo", 7), 7u) << "all three ticked without a value";
    SaveBrowseChecks(store, "CopyTo", 0b101);
    EXPECT_EQ(store.ReadInteger({}, "CopyTo"), int64_t(int32_t(0xFFFFFFFDu)));
    EXPECT_EQ(LoadBrowseChecks(store, "CopyTo", 7) & 7u, 0b101u);
}

} // namespace
