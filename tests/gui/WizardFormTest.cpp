// The setup wizard over the main window's settings object.

#include "GuiFixture.h"

#include "BrowseFolderForm.h"
#include "OptionsForm.h"
#include "WizardForm.h"
#include "browser/BrowserOptions.h"
#include "config/Options.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

class WizardFormTest : public TMainFormTest {
protected:
    TOptions& options() { return form->Store().Options(); }
    std::unique_ptr<TWizardForm> ShownWizard()
    {
        auto wizard = std::make_unique<TWizardForm>(options(), *form->OptionsWindow(), false, form.get());
        wizard->show();
        QApplication::processEvents();
        return wizard;
    }
    static void Finish(TWizardForm* wizard)
    {
        wizard->ShowWizardPage(wpFinished);
        wizard->NextBtn->click();
    }
    static bool Checked(TWizardForm* wizard, const char* name)
    {
        auto* button = wizard->Control<QAbstractButton>(QString::fromLatin1(name));
        EXPECT_TRUE(button) << name;
        return button && button->isChecked();
    }
};

TEST_F(WizardFormTest, PagesStepAndFinishWritesTheStoreEvenUnchanged)
{
    options().Save();
    const TWordSettingValues before = options().WordValues();
    options().Store().DeleteKey(QString());
    bool ran = false;
    WhenModal<TWizardForm>([&](TWizardForm* w) {
        ran = true;
        EXPECT_EQ(w->CurrentPage(), wpIntro);
        EXPECT_FALSE(w->BackBtn->isEnabled());
        EXPECT_EQ(w->PageCounter->text(), "Page 1 of 11");
        for (int page = 1; page < WizardPageCount; ++page) {
            w->NextBtn->click();
            EXPECT_EQ(w->PageCounter->text(), QStringLiteral("Page %1 of 11").arg(page + 1));
            EXPECT_TRUE(w->BackBtn->isEnabled());
            EXPECT_EQ(w->NextBtn->text(), page == WizardPageCount - 1 ? "Finish" : "&Next >");
        }
        w->BackBtn->click();
        EXPECT_EQ(w->CurrentPage(), wpAutoload);
        EXPECT_EQ(w->NextBtn->text(), "&Next >");
        w->NextBtn->click();
        w->NextBtn->click(); // Finish
    });
    form->MenuWizard->trigger();
    ASSERT_TRUE(ran);
    EXPECT_TRUE(prompt.Shown.empty()) << "Finish asks nothing";
    EXPECT_FALSE(options().IsChanged());
    EXPECT_TRUE(options().Store().ValueNames(QString()).contains("Settings"));
    EXPECT_TRUE(options().Store().ValueNames(QString()).contains("RevisionMarker"));
    EXPECT_EQ(options().WordValues(), before) << "the pages hand back what they were given";
}

TEST_F(WizardFormTest, ControlsShowTheSettingsAndFinishWritesThemBack)
{
    struct Case {
        const char* Control;
        TWordSetting Setting;
        int Value; // the control is ticked at this value
        int Other;
        const char* Caption;
    };
    using W = TWordSetting;
    const Case cases[] = {
        {"WizardBakCheck", W::CreateBakCheck, 1, 0, "Create backup (.BAK) files when saving catalogs"},
        {"BrowseCompressedYes", W::InsideZipCheck, 1, 0, "YES, enable browsing inside compressed files"},
        {"BrowseCompressedNo", W::InsideZipCheck, 0, 1, "NO, treat compressed files just as any other file."},
        {"SkipHiddenFiles", W::IgnoreFilesCheck, 1, 0, "Hidden files"},
        {"SkipHiddenFolders", W::IgnoreFoldersCheck, 1, 0, "Hidden folders"},
        {"SkipRecycleBin", W::IgnoreRecycleCheck, 1, 0, "'Recycle Bin' folder"},
        {"ShowDescTooltips", W::DescAsTipsCheck, 1, 0, "Enable showing descriptions as tool-tips"},
        {"OldStyleButtons", W::OldButtonsCheck, 1, 0, "Always show buttons in the old, normal way."},
        {"NewStyleButtons", W::OldButtonsCheck, 0, 1, "Use the new style, flat buttons (recommended)"},
        {"ActionNothing", W::FileDoubleClickCombo, 0, 2, "Do nothing"},
        {"ActionProperties", W::FileDoubleClickCombo, 1, 0, "Show file's properties"},
        {"ActionExplorer", W::FileDoubleClickCombo, 2, 1, "Open file in Explorer"},
        {"ActionLaunch", W::FileDoubleClickCombo, 3, 4, "Launch file with associated program"},
        {"ActionView", W::FileDoubleClickCombo, 4, 5, "View file in ASCII viewer"},
        {"ActionEditDesc", W::FileDoubleClickCombo, 5, 3, "Open Description Assistant to edit description"},
        {"AlwaysRemove", W::TempRemoval, int(TTempRemoval::AlwaysRemoveTemp), 0,
         "Always delete all temporary extracted files"},
        {"AlwaysLeave", W::TempRemoval, int(TTempRemoval::AlwaysLeaveTemp), 1,
         "Leave extracted files in temporary folder"},
        {"AskRemove", W::TempRemoval, int(TTempRemoval::AskRemoveTemp), 2,
         "Ask before deleting temporary extracted files"},
    };
    for (const Case& c : cases) {
        options().SetWordValue(c.Setting, c.Value);
        auto wizard = ShownWizard();
        EXPECT_TRUE(Checked(wizard.get(), c.Control)) << c.Control;
        EXPECT_EQ(wizard->Control<QAbstractButton>(QString::fromLatin1(c.Control))->text(), c.Caption);
        wizard->hide();
        options().SetWordValue(c.Setting, c.Other);
        wizard->show();
        EXPECT_FALSE(Checked(wizard.get(), c.Control)) << c.Control << " follows the settings at every show";
        wizard->Control<QAbstractButton>(QString::fromLatin1(c.Control))->click();
        EXPECT_EQ(options().WordValue(c.Setting), c.Other) << c.Control << " waits for Finish";
        Finish(wizard.get());
        EXPECT_EQ(options().WordValue(c.Setting), c.Value) << c.Control;
    }

    const QString cats = QString::fromStdString(dir.Path("cats")), temp = QString::fromStdString(dir.Path("temp"));
    QDir().mkpath(cats);
    QDir().mkpath(temp);
    options().SetCatalogPathEdit(cats + "/");
    auto wizard = ShownWizard();
    EXPECT_EQ(wizard->WizardCatDir->text(), cats + "/");
    wizard->WizardCatDir->setText(temp);
    wizard->WizardExtractDir->setText(cats);
    Finish(wizard.get());
    EXPECT_EQ(options().CatalogPathEdit(), temp + "/") << "Apply adds the separator";
    EXPECT_EQ(options().ExtractDir(), cats + "/");
}

TEST_F(WizardFormTest, CancelAfterEditingTheAutoloadListRestoresItFromTheStore)
{
    options().SetAutoloadList({"/data/a.ctf"});
    options().Save();
    options().Apply();
    dialogs.OpenAnswers = {{"/data/b.ctf"}};
    bool ran = false;
    WhenModal<TWizardForm>([&](TWizardForm* w) {
        w->ShowWizardPage(wpAutoload);
        WhenModal<TOptionsForm>([&](TOptionsForm* d) {
            ran = true;
            EXPECT_EQ(d->CurrentPage(), opAutoLoad);
            EXPECT_FALSE(d->RunWizardBtn->isVisible());
            for (int p = 0; p < OptionsPageCount; ++p)
                EXPECT_EQ(d->PageList->item(p)->isHidden(), p != opAutoLoad) << p;
            d->Control<QCheckBox>("AutoloadCheck")->click();
            d->Control<QPushButton>("AutoloadAdd")->click();
            d->OKBtn->click();
        });
        w->Control<QPushButton>("AutoloadBtn")->click();
        EXPECT_EQ(w->CurrentPage(), wpFinished) << "the wizard moves on";
        EXPECT_EQ(options().AutoloadList(), QStringList({"/data/a.ctf", "/data/b.ctf"}));
        EXPECT_EQ(BrowserOptions().AutoloadList.size(), 2u) << "OK applied the edit";

        prompt.Answers = {pbNo};
        w->CancelBtn->click();
        EXPECT_TRUE(w->isVisible()) << "No keeps the wizard open";
        prompt.Answers = {pbYes};
        w->close();
    });
    form->MenuWizard->trigger();
    ASSERT_TRUE(ran);
    ASSERT_EQ(prompt.Shown.size(), 2u);
    EXPECT_EQ(prompt.Shown[0].Caption, "Exit Setup Wizard");
    EXPECT_EQ(prompt.Shown[0].Text, "Would you like to close Setup Wizard and discard all changes?");
    EXPECT_EQ(prompt.Shown[0].Buttons, pbYes | pbNo);
    EXPECT_EQ(options().AutoloadList(), QStringList{"/data/a.ctf"});
    EXPECT_FALSE(options().AutoloadCheck());
    EXPECT_EQ(BrowserOptions().AutoloadList, std::vector<std::string>{"/data/a.ctf"}) << "the program follows";

    TOptionsForm* d = form->OptionsWindow();
    EXPECT_TRUE(d->RunWizardBtn->isVisibleTo(d));
    for (int p = 0; p < OptionsPageCount; ++p) EXPECT_FALSE(d->PageList->item(p)->isHidden()) << p;
}

TEST_F(WizardFormTest, FirstStartShowsTheFirstRunIntro)
{
    ASSERT_FALSE(form->SettingsWerePresent());
    QString intro;
    WhenModal<TWizardForm>([&](TWizardForm* w) {
        intro = w->IntroLabel->text();
        w->reject();
    });
    form->FirstIdle({});
    // Cancelling it keeps the fresh settings of a first start, not the defaults of a store that
    // lacks its words.
    EXPECT_TRUE(options().InsideZipCheck());
    EXPECT_TRUE(options().IgnoreFilesCheck());
    EXPECT_TRUE(options().AutoSaveCheck());
    EXPECT_EQ(intro, "This seems to be the first time you have started this program, and it is not configured "
                     "yet. You may want to use this Quick-Setup Wizard to help you with the most important "
                     "configuration options needed for program to run as desired.");
    intro.clear();
    WhenModal<TWizardForm>([&](TWizardForm* w) {
        intro = w->IntroLabel->text();
        w->reject();
    });
    form->MenuWizard->trigger();
    EXPECT_EQ(intro, "This Wizard can help you adjust the most important settings for the program to run as "
                     "desired. You can use it always if you would like to be guided through basic configuration "
                     "steps and be sure not to miss anything important.");
}

TEST_F(WizardFormTest, RunSetupWizardButtonAndNormalConfiguration)
{
    QMenu* menu = qobject_cast<QMenu*>(form->SettingsActions[0]->parent());
    ASSERT_TRUE(menu);
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 10);
    EXPECT_TRUE(entries[8]->isSeparator());
    EXPECT_EQ(entries[9], form->MenuWizard);
    EXPECT_EQ(form->MenuWizard->text(), "Quick-Setup &Wizard");

    options().SetCreateBakCheck(!options().CreateBakCheck());
    int wizardRuns = 0;
    bool settingsRan = false;
    WhenModal<TOptionsForm>([&](TOptionsForm* d) {
        WhenModal<TWizardForm>([&](TWizardForm* w) {
            ++wizardRuns;
            EXPECT_FALSE(options().RunWizard()) << "the flag is cleared before the wizard runs";
            EXPECT_FALSE(options().IsChanged()) << "the button saved the settings";
            EXPECT_TRUE(w->IntroLabel->text().startsWith("This Wizard"));
            WhenModal<TOptionsForm>([&](TOptionsForm* d) {
                settingsRan = true;
                EXPECT_EQ(d->CurrentPage(), opUserInterface);
                EXPECT_TRUE(d->RunWizardBtn->isVisible());
                // The button works here too: the wizard comes back.
                WhenModal<TWizardForm>([&](TWizardForm* w) {
                    ++wizardRuns;
                    w->CancelBtn->click();
                });
                d->RunWizardBtn->click();
            });
            w->Control<QPushButton>("NormalConfigBtn")->click();
        });
        d->ShowPage(opToolbar);
        d->RunWizardBtn->click();
    });
    form->SettingsActions[1]->trigger();
    EXPECT_EQ(wizardRuns, 2);
    EXPECT_TRUE(settingsRan) << "normal configuration opens the dialog after the wizard";
    EXPECT_FALSE(options().RunWizard());
    ASSERT_EQ(prompt.Shown.size(), 1u) << "normal configuration leaves without asking; Cancel asks";
    EXPECT_EQ(prompt.Shown[0].Caption, "Exit Setup Wizard");
}

TEST_F(WizardFormTest, BrowseStartsOnTheBoxFolderOrItsFallback)
{
    const QString existing = QString::fromStdString(dir.Path("cats"));
    const QString chosen = QString::fromStdString(dir.Path("chosen"));
    QDir().mkpath(existing);
    QDir().mkpath(chosen);
    const TOptionsEnvironment& env = options().Environment();
    struct Case {
        const char* Button;
        QString Text;
        QString Start;
        const char* Title;
    };
    const Case cases[] = {
        {"WizardCatDirBrowse", existing, existing, "Select Default Catalog Path"},
        {"WizardCatDirBrowse", existing + "/missing", env.ProgramFolder, "Select Default Catalog Path"},
        {"WizardExtractDirBrowse", existing + "/missing", env.TempFolder, "Select Temporary Folder"},
        {"WizardExtractDirBrowse", "", QDir::rootPath(), "Select Temporary Folder"},
    };
    auto wizard = ShownWizard();
    for (const Case& c : cases) {
        QLineEdit* edit = QString(c.Button).startsWith("WizardCat") ? wizard->WizardCatDir : wizard->WizardExtractDir;
        edit->setText(c.Text);
        bool ran = false;
        WhenModal<TBrowseFolderForm>([&](TBrowseFolderForm* b) {
            ran = true;
            EXPECT_EQ(b->windowTitle(), c.Title);
            EXPECT_EQ(QDir::cleanPath(b->Folder()), QDir::cleanPath(c.Start)) << c.Text.toStdString();
            b->SetFolder(chosen);
            b->accept();
        });
        wizard->Control<QPushButton>(QString::fromLatin1(c.Button))->click();
        ASSERT_TRUE(ran) << c.Button;
        EXPECT_EQ(edit->text(), chosen + "/");
    }
    wizard->hide();
}

} // namespace
