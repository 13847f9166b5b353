#pragma once
// "Select Folder": a folder tree over every drive and the file system, the chosen path above
// it, up to three option boxes under it, and buttons to create, rename and delete folders.

#include <QDialog>
#include <QTreeView>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QStandardItem;
class QStandardItemModel;

namespace quorvex {

class TFolderTree : public QTreeView {
public:
    using QTreeView::QTreeView;
    bool Editing() const { return state() == QAbstractItemView::EditingState; }
    void EndEdit(bool keep);
};

class TBrowseFolderForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int PathRole = Qt::UserRole + 1;

    explicit TBrowseFolderForm(QWidget* parent = nullptr);

    // The settings' folder boxes: a browser titled caption on startFolder; the chosen folder
    // with its trailing separator, nothing when cancelled.
    static std::optional<QString> ChooseFolder(QWidget* parent, const QString& caption, const QString& startFolder);

    void SetCheckCount(int count); // 0..3
    void LoadChecks(const QString& valueName, uint32_t defaultBits);
    void SaveChecks(const QString& valueName) const;
    void SetReadOnly(bool readOnly);
    // Shows only the folders below root (a drive's root) until the dialog closes; empty shows
    // every drive again.
    void SetDriveLimit(const QString& root);
    void SetFolder(const QString& folder);
    QString Folder() const; // the selected folder's full path; empty when none

    void NewFolderClick();
    void RenameClick();
    void DeleteClick();

    TFolderTree* Tree = nullptr;
    QLabel* PathLabel = nullptr;
    std::array<QCheckBox*, 3> CheckBoxes{};
    QPushButton* NewFolderBtn = nullptr;
    QPushButton* RenameBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public slots:
    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildRoots();
    void Populate(QStandardItem* item);
    void Refill(QStandardItem* item);
    QStandardItem* AddFolder(QStandardItem* parent, const QString& name, const QString& path);
    void ResetChildren(QStandardItem* item);
    QStandardItem* SelectedItem() const;
    QStandardItem* FindChild(QStandardItem* parent, const QString& path);
    void ItemRenamed(QStandardItem* item);
    void SelectionChanged();

    QStandardItemModel* m_model = nullptr;
    QString m_driveLimit;
    bool m_programEdit = false;
    bool m_readOnly = false;
    bool m_stale = false; // closed since the tree was read: the next use reads it again
};

} // namespace quorvex
