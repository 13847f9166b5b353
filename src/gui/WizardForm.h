#pragma once
// "Quick-Setup Wizard": the most important settings on eleven pages. The pages work on copies
// of the settings, written back only by "Finish"; Cancel reads the store again.

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace quorvex {

class TOptions;
class TOptionsForm;
enum class TWordSetting : int;

enum TWizardPage : int {
    wpIntro = 0,
    wpCatalogsLocation,
    wpCompressedFiles,
    wpSkipFiles,
    wpUserInterface,
    wpDoubleClick,
    wpTempFolder,
    wpRemoveExtracted,
    wpDescAssistant,
    wpAutoload,
    wpFinished,
};
constexpr int WizardPageCount = 11;

class TWizardForm : public QDialog {
    Q_OBJECT
public:
    TWizardForm(TOptions& options, TOptionsForm& optionsForm, bool firstRun, QWidget* parent = nullptr);

    // Creates the wizard, runs it modally and frees it; then opens the settings dialog on its
    // "User interface" page when "Click here for normal configuration" was pressed.
    static int Run(TOptions& options, TOptionsForm& optionsForm, bool firstRun, QWidget* parent);

    void ShowWizardPage(int page);
    int CurrentPage() const;
    bool NormalConfiguration() const { return m_normalConfiguration; }
    static QString PageTitle(int page);

    void BackClick();
    void NextClick();
    void NormalConfigurationClick();
    void DescAssistantClick();
    void AutoloadClick();
    void BrowseCatalogDirClick();
    void BrowseExtractDirClick();

    QStackedWidget* Pages = nullptr;
    QLabel* PageCounter = nullptr;
    QLabel* IntroLabel = nullptr;
    QLineEdit* WizardCatDir = nullptr;
    QLineEdit* WizardExtractDir = nullptr;
    QPushButton* BackBtn = nullptr;
    QPushButton* NextBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    template <typename T> T* Control(const QString& name) const { return findChild<T*>(name); }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A setting kept in the settings words, shown by a check box (value 1 when ticked) or by
    // a group of radio buttons (the value of the one ticked).
    struct TWordBinding {
        TWordSetting Id;
        std::vector<std::pair<QAbstractButton*, int>> Buttons;
    };

    QWidget* NewPage(int page, const QString& heading, const QString& explanation);
    QAbstractButton* Check(int page, TWordSetting id, const char* name, const QString& caption);
    QAbstractButton* Radio(int page, TWordSetting id, int value, const char* name, const QString& caption);
    QLineEdit* FolderRow(int page, const char* name, const char* browseName, void (TWizardForm::*browse)());
    QPushButton* LinkButton(int page, const char* name, const QString& caption, void (TWizardForm::*click)());
    void BuildPages();
    void ReadSettings();
    void WriteSettings();
    void RefreshButtons();
    void OpenSettingsPage(int optionsPage);
    void BrowseFolder(QLineEdit* edit, const QString& caption, const QString& fallback);

    TOptions& m_options;
    TOptionsForm& m_optionsForm;
    bool m_firstRun = false;
    bool m_normalConfiguration = false;
    bool m_settingsApplied = false; // a settings page opened from here applied its edits
    std::array<QWidget*, WizardPageCount> m_pageBodies{};
    std::vector<TWordBinding> m_bindings;
};

} // namespace quorvex
