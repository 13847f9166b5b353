#pragma once
// "Add New Disk" / "Update Disk": one button per drive, the disk name, the target catalog, the
// virtual root and the scan switches. The decisions live in core; this window shows them.

#include "adddisk/AddDiskFlow.h"
#include "adddisk/DiskMatching.h"
#include "catalog/ItemRecords.h"

#include <QDialog>
#include <QToolButton>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QWidget;

namespace quorvex {

class TBrowseFolderForm;
class TCatalogTree;
class TIconImages;
class TTreeNode;

class TDriveButton : public QToolButton {
public:
    TDriveButton(const QString& drive, QWidget* parent);
    QString Drive;
    QString VirtualRoot; // "\dir\sub\"; empty: none
    QLabel* Caption = nullptr;
};

class TAddDiskForm : public QDialog {
    Q_OBJECT
public:
    // Wider and taller than the id alone needs: the volume's name goes under it.
    static constexpr int CellWidth = 72;
    static constexpr int CellHeight = 78;

    TAddDiskForm(TCatalogTree& tree, TIconImages& icons, TBrowseFolderForm& browser, QWidget* parent = nullptr);

    // The drives present differ from those the buttons were made for.
    bool DrivesChanged() const;
    // Resets the dialog for one run.
    void Prepare(TAddDiskMode mode, TTreeNode* replacedDisk, TTreeNode* selectedNode);

    TAddDiskState& State() { return m_state; }
    TTreeNode* TargetCatalog() const;
    TDriveButton* SelectedButton() const { return m_selected; }
    const TDiskRec& Medium() const { return m_medium; }
    TDriveButton* ButtonOf(const QString& drive) const;
    void ClickDrive(TDriveButton* button);
    // A folder anywhere: selects the drive holding it with the folder as virtual root.
    void ChooseFolder(const QString& folder);
    void LayOut();

    // Shows the "Select Disk" dialog; tests put their own answer here.
    TSelectDisk SelectDisk;
    // F1: the help context of the control under the mouse, else of the focused one.
    std::function<void(int context)> HelpRequested;
    static constexpr int DefaultHelpContext = 10000;
    static int HelpContextOf(const QWidget* widget);

    std::vector<TDriveButton*> DriveButtons;
    QLineEdit* DiskName = nullptr;
    QComboBox* DatabaseList = nullptr;
    QCheckBox* VirtualRootCheck = nullptr;
    QLabel* VirtualRootLabel = nullptr;
    QPushButton* FolderBtn = nullptr;
    QPushButton* AdvancedBtn = nullptr;
    QFrame* OptionsPanel = nullptr;
    QCheckBox* BrowseArchiveCheck = nullptr;
    QCheckBox* ArchiveDescOnly = nullptr;
    QCheckBox* ArchiveQuickScan = nullptr;
    QCheckBox* EjectMediaCheck = nullptr;
    QCheckBox* ImportDizCheck = nullptr;
    QCheckBox* ImportBBSCheck = nullptr;
    QCheckBox* Import4DOSCheck = nullptr;
    QCheckBox* ImportCommentCheck = nullptr;
    QCheckBox* KeepCurrentCheck = nullptr;
    QComboBox* ImportDescCombo = nullptr;
    QCheckBox* DefaultCheck = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* DiskInfoBtn = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* EmptyDriveLabel = nullptr;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateDriveButtons();
    TDriveButton* AddDriveButton(const QString& drive);
    void FolderClicked();
    bool DriveKey(QKeyEvent* event); // a typed drive letter selects that drive
    QCheckBox* Switch(const QString& caption, TSwitchClick click);
    void ShowSwitches();
    void ReadSwitches();
    void SwitchClicked(TSwitchClick click);
    void Activate();
    void Deselect();
    void FindMatches();
    void RefreshStatus();
    void RefreshVirtualRoot();
    void VirtualRootClicked();
    void DiskInfoClick();
    void FillCatalogs(TTreeNode* selectedNode);
    TMediumChoice Choice() const;

    TCatalogTree& m_tree;
    TIconImages& m_icons;
    TBrowseFolderForm& m_browser;
    TAddDiskState m_state;
    TDiskRec m_medium;
    TDriveButton* m_selected = nullptr;
    QStringList m_drivesAtCreation;
    QString m_defaultName; // what DiskName was filled with, until the user changes it
    QWidget* m_drivePanel = nullptr;
    int m_columns = 9;
    bool m_readingDrive = false;
    bool m_showingSwitches = false;
};

} // namespace quorvex
