#pragma once
// The "Program Settings" dialog: eight pages over the settings object. Edits change the live
// settings at once; OK keeps them, Cancel reads the store again, Apply applies and saves.

#include "config/OptionsTypes.h"

#include <QDialog>
#include <QIcon>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QVBoxLayout;

namespace quorvex {

class TOptions;
enum class TWordSetting : int;

enum TOptionsPage : int {
    opUserInterface = 0,
    opGeneral = 1,
    opToolbar = 2,
    opFonts = 3,
    opDiskImage = 4,
    opArchiveFiles = 5,
    opDescriptions = 6,
    opAutoLoad = 7,
};
constexpr int OptionsPageCount = 8;

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(TOptions& options, QWidget* parent = nullptr);

    // Opens modally on a page (-1: the page last shown); settings with changes pending are
    // saved first. Runs Apply after OK when something changed.
    int Execute(int page = -1);
    // Opens modally with only that page and without "Run Setup Wizard"; pending changes stay
    // unsaved, so whoever opened it can still undo them by loading the store.
    int ExecuteSinglePage(int page);
    void ShowPage(int page);
    int CurrentPage() const;
    static QString PageTitle(int page);

    // Reads every control from the settings object again.
    void ReadControls();

    QListWidget* PageList = nullptr;
    QStackedWidget* Pages = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* RunWizardBtn = nullptr;

    QListWidget* ToolbarList = nullptr;
    QComboBox* FontSettingsCombo = nullptr;
    QLabel* FontSample = nullptr;
    QListWidget* ImportDescList = nullptr;
    QListWidget* DescList = nullptr;
    QLineEdit* DescEdit = nullptr;
    QListWidget* AutoloadList = nullptr;
    QLineEdit* CatalogPathEdit = nullptr;
    QLineEdit* ExtractDir = nullptr;
    QLineEdit* ViewerEdit = nullptr;
    QLineEdit* ShellEdit = nullptr;

    // The picture and hint of a main toolbar button by its tag, for the toolbar list.
    std::function<std::pair<QIcon, QString>(uint8_t tag)> ToolbarButtonLook;

    // Names a control for tests and screenshots: every control carries its setting's name.
    template <typename T> T* Control(const QString& name) const { return findChild<T*>(name); }

public slots:
    void reject() override;

private:
    QWidget* UserInterfacePage();
    QWidget* GeneralPage();
    QWidget* ToolbarPage();
    QWidget* FontsPage();
    QWidget* DiskImagePage();
    QWidget* ArchiveFilesPage();
    QWidget* DescriptionsPage();
    QWidget* AutoLoadPage();

    QCheckBox* Check(TWordSetting id, const QString& caption);
    QSlider* Slider(TWordSetting id, int min, int max);
    QSpinBox* Spin(TWordSetting id, int min, int max);
    QAbstractButton* Radio(TWordSetting id, int value, const QString& caption);
    QLineEdit* TextEdit(const char* name, std::function<QString()> read,
                        std::function<void(const QString&)> write);
    void Edited();
    void RefreshEnabling();
    void RefreshToolbarList(int select);
    void RefreshImportDescList(int select);
    void RefreshFontPage();
    void RefreshStringList(QListWidget* list, const QStringList& entries, int select);
    void BrowseFolder(QLineEdit* edit, const QString& caption, const QString& fallback);
    void BrowseProgram(QLineEdit* edit, const QString& caption);
    void ApplyClick();
    void RunWizardClick();
    int Run(int page);

    TOptions& m_options;
    std::vector<std::function<void()>> m_readers;
    std::vector<std::pair<QWidget*, std::function<bool()>>> m_enablers;
    int m_lastPage = 0;
    bool m_reading = false;
};

} // namespace quorvex
