#pragma once
// The working state of the "Categories Setup" dialog: the shown catalog's category list
// with its edits, the flag names, and what the dialog must undo on Cancel or carry out on OK.
// The dialog window draws this state and forwards the user's actions to it.

#include "categories/Categories.h"
#include "categories/CategoryReferences.h"

#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace quorvex {

class TCatalogTree;
class TTreeNode;

struct TCategoryRow {
    std::string Name;
    uint8_t Number = 0;
    bool Added = false; // added in this dialog: deleting it needs no confirmation
};

inline constexpr char MaxCategoriesText[] = "(max. number of categories reached)";

class TCategorySetup {
public:
    // Opening: a working record for every open catalog; the catalog containing node is
    // shown, else the first.
    TCategorySetup(TCatalogTree& tree, TTreeNode* node);

    int CatalogCount() const { return static_cast<int>(m_catalogs.size()); }
    TTreeNode* CatalogNode(int i) const { return m_catalogs[size_t(i)].Node; }
    int Shown() const { return m_shown; }
    bool CopyFromEnabled() const { return CatalogCount() > 1; }

    // Writes pending edits into the shown catalog, then shows catalog index.
    void ShowCatalog(int index);

    // The shown catalog's list, sorted by name.
    const std::vector<TCategoryRow>& Rows() const { return m_rows; }
    bool EditEnabled() const { return m_rows.size() <= size_t(MaxCategories - 1); }
    bool Pending() const { return m_pending; }

    // Each returns false when it refused or the user said No.
    bool Add(const std::string& name);
    bool Rename(int row, const std::string& name);
    bool Delete(int row); // asks first for an entry that was there before
    // The row at the same position after a Delete (or the last), -1 when empty.
    int RowAfterDelete(int deletedRow) const;
    void CopyFrom(int catalogIndex);

    // The flags of the shown catalog.
    const std::string& FlagText(int flag) const { return m_flagEdits[size_t(flag)]; }
    bool FlagDefined(int flag) const; // had a name when the dialog opened
    bool RemoveAll(int flag) const;
    bool RemoveAllEnabled(int flag) const { return FlagDefined(flag); }
    // Leaving a flag edit with text; blanking a defined flag asks to remove its references.
    void LeaveFlagEdit(int flag, const std::string& text);
    // Ticking or unticking "Remove All"; ticking asks first.
    void SetRemoveAll(int flag, bool on);

    // OK: writes the pending edits and removes the references of deleted categories and
    // removed flags from every catalog concerned. False when refused (a search runs).
    bool Accept();
    // Cancel: asks when edits are pending; then every catalog gets back its categories,
    // flags and modified mark. False when the user chose to stay.
    bool Cancel();

    // Run when the dialog closes either way (the search window rebuilds its lists).
    std::function<void()> Closed;

private:
    struct TWorking {
        TTreeNode* Node = nullptr;
        TCategoryList SavedList;
        std::array<std::string, 3> SavedFlags;
        uint8_t SavedModified = 0;
        uint32_t DeletedNumbers = 0;
        std::array<bool, 3> RemoveFlag{};
    };
    TCatalogRec& ShownRec() const;
    void Commit();
    void Fill();
    void SortRows();

    std::vector<TWorking> m_catalogs;
    int m_shown = -1;
    std::vector<TCategoryRow> m_rows;
    std::array<std::string, 3> m_flagEdits;
    bool m_pending = false;
};

} // namespace quorvex
