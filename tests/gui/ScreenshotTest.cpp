// Pictures of the main window for a person to look at: written only when
// QUORVEX_SCREENSHOTS names a folder.

#include "GuiFixture.h"

#include "BrowseFolderForm.h"
#include "CategoriesForm.h"
#include "GuiProgress.h"
#include "OptionsForm.h"
#include "SearchForm.h"
#include "FoundListModel.h"
#include "WizardForm.h"

#include <QDir>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

TEST_F(TMainFormTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEX_SCREENSHOTS not set";
    QDir().mkpath(folder);
    form->OpenCatalogFiles({ShowcaseFile(), SampleFile("sample.ctf")}, false);
    TTreeNode* cat = form->Tree().Catalog(0);
    TTreeNode* photos = Find(cat, "Photos 2003");
    form->DBTree->expandAll();
    auto shoot = [&](const QString& name) {
        QApplication::processEvents();
        QTest::qWait(50);
        form->grab().save(folder + "/" + name + ".png");
    };
    form->SelectNode(cat);
    shoot("disks");
    form->SelectNode(photos);
    form->ListView->setFocus();
    form->ListView->selectionModel()->setCurrentIndex(form->ListModel()->index(2, 0),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const char* names[] = {"large-icons", "small-icons", "list", "details"};
    for (int style = 0; style < 4; ++style) {
        form->SetViewStyle(style);
        shoot(names[style]);
    }
    form->SelectNode(Find(photos, "Music"));
    shoot("folder");
    TGuiProgress* progress = form->ProgressWindows();
    progress->ShowWait("Saving catalog, please wait...", true, true);
    progress->ShowWaitWindow();
    progress->SetProgressMax(10);
    progress->Advance(4);
    progress->WaitForm()->grab().save(folder + "/wait.png");
    progress->CloseWait();
}

TEST_F(TMainFormTest, SearchAndCategoriesScreenshots)
{
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEX_SCREENSHOTS not set";
    QDir().mkpath(folder);
    form->OpenCatalogFiles({ShowcaseFile(), SampleFile("sample.ctf")}, false);
    form->MenuSearchClick();
    TSearchForm* search = form->SearchWindow();
    ASSERT_TRUE(search);
    auto shoot = [&](QWidget* w, const QString& name) {
        QApplication::processEvents();
        QTest::qWait(50);
        w->grab().save(folder + "/" + name + ".png");
    };
    shoot(search, "search-empty");
    search->ByNameCheck->setChecked(true);
    search->ByCategoryCheck->setChecked(true);
    search->BySizeCheck->setChecked(true);
    search->ByDateCheck->setChecked(true);
    search->ShowLimitCheck->setChecked(true);
    search->ShowSettingsCheck->setChecked(true);
    search->Pages->setCurrentIndex(0);
    shoot(search, "search-what");
    for (int page = 1; page < search->Pages->count(); ++page) {
        if (!search->Pages->isTabVisible(page)) continue;
        search->Pages->setCurrentIndex(page);
        shoot(search, QStringLiteral("search-page%1").arg(page));
    }
    search->ByCategoryCheck->setChecked(false);
    search->BySizeCheck->setChecked(false);
    search->ByDateCheck->setChecked(false);
    search->NameEdit->setText("a");
    search->FindClick();
    ASSERT_TRUE(WaitFor([&] { return !search->Searching(); }));
    search->resize(900, search->height());
    shoot(search, "search-results");
    search->SetViewStyle(0);
    shoot(search, "search-large-icons");
    search->SetViewStyle(3);
    search->MaximizeAction->trigger();
    shoot(search, "search-maximized");
    search->MaximizeAction->trigger();

    TCategoriesForm categories(form->Tree(), form->Tree().Catalog(0), form.get());
    categories.show();
    categories.CategoryListBox->setCurrentRow(1);
    shoot(&categories, "categories");
    categories.Setup().Cancel();
    categories.hide();
}

TEST_F(TMainFormTest, WizardScreenshots)
{
    const QString folder = qEnvironmentVariable("QUORVEX_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEX_SCREENSHOTS not set";
    QDir().mkpath(folder);
    auto shoot = [&](QWidget* w, const QString& name) {
        QApplication::processEvents();
        QTest::qWait(50);
        w->grab().save(folder + "/" + name + ".png");
    };
    TWizardForm wizard(form->Store().Options(), *form->OptionsWindow(), true, form.get());
    wizard.show();
    const std::pair<int, const char*> pages[] = {
        {wpIntro, "wizard-intro"},
        {wpCatalogsLocation, "wizard-catalogs"},
        {wpCompressedFiles, "wizard-compressed"},
        {wpSkipFiles, "wizard-skip"},
        {wpUserInterface, "wizard-interface"},
        {wpDoubleClick, "wizard-double-click"},
        {wpTempFolder, "wizard-temp-folder"},
        {wpRemoveExtracted, "wizard-remove"},
        {wpDescAssistant, "wizard-descriptions"},
        {wpAutoload, "wizard-autoload"},
        {wpFinished, "wizard-finished"},
    };
    for (auto [page, name] : pages) {
        wizard.ShowWizardPage(page);
        shoot(&wizard, name);
    }
    wizard.ShowWizardPage(wpAutoload);
    WhenModal<TOptionsForm>([&](TOptionsForm* d) {
        shoot(d, "wizard-autoload-settings");
        d->reject();
    });
    wizard.findChild<QPushButton*>("AutoloadBtn")->click();
    wizard.ShowWizardPage(wpTempFolder);
    WhenModal<TBrowseFolderForm>([&](TBrowseFolderForm* b) {
        shoot(b, "wizard-browse-temp");
        b->reject();
    });
    wizard.findChild<QPushButton*>("WizardExtractDirBrowse")->click();
    wizard.hide();
}

} // namespace
