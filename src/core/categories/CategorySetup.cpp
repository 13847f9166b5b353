#include "categories/CategorySetup.h"

#include "catalog/ItemRoutines.h"
#include "catalog/TreeNode.h"
#include "platform/Prompt.h"
#include "search/MatchText.h"
#include "search/SearchGuard.h"

#include <algorithm>
#include <exception>

namespace quorvex {

namespace {

QString Q(const std::string& s) { return DecodeStoredText(s); }

bool AskWarning(const QString& text)
{
    return Prompt().Ask(QStringLiteral("Warning"), text, pbYes | pbNo, TPromptIcon::Warning, pbNo) == pbYes;
}

} // namespace

TCategorySetup::TCategorySetup(TCatalogTree& tree, TTreeNode* node)
{
    TTreeNode* wanted = OwningCatalog(node);
    for (int i = 0; i < tree.Count(); ++i) {
        TTreeNode* catNode = tree.Catalog(i);
        TCatalogRec* cat = AsCatalog(catNode->Data);
        if (!cat) continue;
        TWorking w;
        w.Node = catNode;
        w.SavedList = cat->Categories;
        for (size_t f = 0; f < 3; ++f) w.SavedFlags[f] = cat->FlagNames[f].Str();
        w.SavedModified = cat->Modified;
        if (catNode == wanted) m_shown = CatalogCount();
        m_catalogs.push_back(std::move(w));
    }
    if (m_catalogs.empty()) return;
    if (m_shown < 0) m_shown = 0;
    Fill();
}

TCatalogRec& TCategorySetup::ShownRec() const
{
    return *static_cast<TCatalogRec*>(m_catalogs[size_t(m_shown)].Node->Data);
}

void TCategorySetup::Commit()
{
    if (!m_pending || m_shown < 0) return;
    TCatalogRec& cat = ShownRec();
    cat.Categories.clear();
    for (const TCategoryRow& row : m_rows) cat.Categories.emplace_back(row.Name, row.Number);
    for (size_t f = 0; f < 3; ++f) cat.FlagNames[f].Assign(m_flagEdits[f]);
    MarkCatalogModified(m_catalogs[size_t(m_shown)].Node, true);
    m_pending = false;
}

void TCategorySetup::Fill()
{
    const TCatalogRec& cat = ShownRec();
    m_rows.clear();
    for (const auto& [name, number] : cat.Categories) m_rows.push_back({name, number, false});
    SortRows();
    for (size_t f = 0; f < 3; ++f) m_flagEdits[f] = cat.FlagNames[f].Str();
}

void TCategorySetup::SortRows()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const TCategoryRow& a, const TCategoryRow& b) {
        return Q(a.Name).compare(Q(b.Name), Qt::CaseInsensitive) < 0;
    });
}

void TCategorySetup::ShowCatalog(int index)
{
    if (index < 0 || index >= CatalogCount() || index == m_shown) return;
    Commit();
    m_shown = index;
    Fill();
}

bool TCategorySetup::Add(const std::string& name)
{
    if (name.empty() || !EditEnabled()) return false;
    TCategoryList list;
    for (const TCategoryRow& row : m_rows) list.emplace_back(row.Name, row.Number);
    const int number = AddCategory(list, name);
    if (number == 0) return false;
    m_rows.push_back({name, static_cast<uint8_t>(number), true});
    SortRows();
    m_pending = true;
    return true;
}

bool TCategorySetup::Rename(int row, const std::string& name)
{
    if (row < 0 || row >= int(m_rows.size()) || name.empty() || m_rows[size_t(row)].Name == name) return false;
    m_rows[size_t(row)].Name = name;
    SortRows();
    m_pending = true;
    return true;
}

bool TCategorySetup::Delete(int row)
{
    if (row < 0 || row >= int(m_rows.size())) return false;
    if (!m_rows[size_t(row)].Added &&
        !AskWarning(QStringLiteral("Deleting this category may affect data already in the\rcatalog. "
                                   "All references to this category will be removed.\r\r"
                                   "Are you sure you want to delete this category?")))
        return false;
    m_catalogs[size_t(m_shown)].DeletedNumbers |= 1u << m_rows[size_t(row)].Number;
    m_rows.erase(m_rows.begin() + row);
    m_pending = true;
    return true;
}

int TCategorySetup::RowAfterDelete(int deletedRow) const
{
    if (m_rows.empty()) return -1;
    return std::min(deletedRow, int(m_rows.size()) - 1);
}

void TCategorySetup::CopyFrom(int catalogIndex)
{
    if (catalogIndex < 0 || catalogIndex >= CatalogCount() || catalogIndex == m_shown) return;
    const auto* source = AsCatalog(m_catalogs[size_t(catalogIndex)].Node->Data);
    if (!source || source->Categories.empty()) {
        Prompt().Inform(QStringLiteral("Information"),
                        QStringLiteral("There are no categories defined in the selected catalog."),
                        TPromptIcon::Information);
        return;
    }
    TCategoryList list;
    for (const TCategoryRow& row : m_rows) list.emplace_back(row.Name, row.Number);
    std::vector<int> added;
    const TCopyResult result = CopyCategories(list, source->Categories, &added);
    for (int number : added)
        for (const auto& [name, n] : list)
            if (n == number) m_rows.push_back({name, static_cast<uint8_t>(n), true});
    SortRows();
    m_pending = true;
    if (result == TCopyResult::NotEnoughRoom)
        Prompt().Inform(QStringLiteral("Information"), QStringLiteral("There was not enough room for all categories."),
                        TPromptIcon::Information);
}

bool TCategorySetup::FlagDefined(int flag) const
{
    return !m_catalogs[size_t(m_shown)].SavedFlags[size_t(flag)].empty();
}

bool TCategorySetup::RemoveAll(int flag) const { return m_catalogs[size_t(m_shown)].RemoveFlag[size_t(flag)]; }

void TCategorySetup::LeaveFlagEdit(int flag, const std::string& text)
{
    TWorking& w = m_catalogs[size_t(m_shown)];
    const std::string& saved = w.SavedFlags[size_t(flag)];
    m_flagEdits[size_t(flag)] = text;
    if (text == saved) return;
    m_pending = true;
    if (!text.empty() || saved.empty() || w.RemoveFlag[size_t(flag)]) return;
    if (AskWarning(QStringLiteral("You have deleted flag that may have references in the catalog.\r"
                                  "All references to this flag will be removed from catalog.\r\r"
                                  "Are you really sure you want to delete flag?")))
        w.RemoveFlag[size_t(flag)] = true;
    else
        m_flagEdits[size_t(flag)] = saved;
}

void TCategorySetup::SetRemoveAll(int flag, bool on)
{
    TWorking& w = m_catalogs[size_t(m_shown)];
    bool& remove = w.RemoveFlag[size_t(flag)];
    if (!on) {
        // A blanked defined flag keeps its removal.
        remove = m_flagEdits[size_t(flag)].empty() && FlagDefined(flag);
        return;
    }
    if (!FlagDefined(flag) || remove) return;
    if (AskWarning(QStringLiteral("Checking this box will remove all references to \"") +
                   Q(m_flagEdits[size_t(flag)]) + QStringLiteral("\" flag from the catalog.\r\r") +
                   QStringLiteral("Are you really sure you want to do this?"))) {
        remove = true;
        m_pending = true;
    }
}

bool TCategorySetup::Accept()
{
    const bool removals = std::any_of(m_catalogs.begin(), m_catalogs.end(), [](const TWorking& w) {
        return w.DeletedNumbers || w.RemoveFlag[0] || w.RemoveFlag[1] || w.RemoveFlag[2];
    });
    // Removing references loads and releases file lists the search may be walking.
    if (removals && RefuseWhileSearching(TSearchBlocked::UpdateCategories)) return false;
    Commit();
    for (const TWorking& w : m_catalogs) {
        TReferenceRemoval removal;
        removal.DeletedNumbers = w.DeletedNumbers;
        for (int f = 0; f < 3; ++f)
            if (w.RemoveFlag[size_t(f)]) removal.ClearFlagBits |= FlagBit(f);
        if (!removal.Any()) continue;
        try {
            RemoveCategoryReferences(w.Node, removal);
        } catch (const std::exception& e) {
            Prompt().Inform(QStringLiteral("Catalog error"), QString::fromUtf8(e.what()), TPromptIcon::Error);
        }
    }
    if (Closed) Closed();
    return true;
}

bool TCategorySetup::Cancel()
{
    if (m_pending && Prompt().Ask(QStringLiteral("Discard Changes?"),
                                  QStringLiteral("Do you really want to discard all changes?"), pbYes | pbNo,
                                  TPromptIcon::Question, pbNo) != pbYes)
        return false;
    for (const TWorking& w : m_catalogs) {
        auto* cat = AsCatalog(w.Node->Data);
        if (!cat) continue;
        cat->Categories = w.SavedList;
        for (size_t f = 0; f < 3; ++f) cat->FlagNames[f].Assign(w.SavedFlags[f]);
        if (cat->Modified != w.SavedModified) MarkCatalogModified(w.Node, w.SavedModified != 0);
    }
    m_pending = false;
    if (Closed) Closed();
    return true;
}

} // namespace quorvex
