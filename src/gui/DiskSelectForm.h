#pragma once
// "Select Disk": the catalogued Disks that look like the inserted medium; the user picks the
// one to update or adds the medium as a new Disk.

#include "adddisk/AddDiskFlow.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace quorvex {

struct TDiskRec;

class TIconImages;

class TDiskSelectForm : public QDialog {
    Q_OBJECT
public:
    // With icons the rows show their disks' pictures as the main window's list does.
    explicit TDiskSelectForm(const std::vector<TTreeNode*>& disks, TIconImages* icons = nullptr,
                             QWidget* parent = nullptr);
    TDiskSelectAnswer Answer() const { return m_answer; }
    TTreeNode* SelectedDisk() const;
    void ShowProperties();

    QTreeWidget* DiskList = nullptr;
    QPushButton* UpdateBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HintBtn = nullptr;
    QPushButton* AddNewBtn = nullptr;

    static QString HintText();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Finish(TDiskSelectAnswer::TKind kind);
    void ContextMenu(const QPoint& pos);
    void HeaderClicked(int column);
    void Refill();

    std::vector<TTreeNode*> m_disks;
    TIconImages* m_icons;
    TDiskSelectAnswer m_answer;
    int m_sortColumn = -1;
    bool m_sortReversed = false;
};

// "Change Serial Number?"
class TSerialAskForm : public QDialog {
    Q_OBJECT
public:
    explicit TSerialAskForm(QWidget* parent = nullptr);
    TSerialAnswer Answer() const;

    QCheckBox* DontAskCheck = nullptr;
    QPushButton* YesBtn = nullptr;
    QPushButton* NoBtn = nullptr;

private:
    bool m_change = false;
};

// A small properties view of one Disk record.
class TDiskInfoForm : public QDialog {
    Q_OBJECT
public:
    TDiskInfoForm(const TDiskRec& disk, const QString& name, double catalogued, QWidget* parent = nullptr);
    QTableWidget* Fields = nullptr;
};

} // namespace quorvex
