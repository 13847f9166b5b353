#include "categories/Categories.h"

#include "search/MatchText.h"

#include <algorithm>

namespace quorvex {

std::string CategoryName(const TCatalogRec& catalog, uint8_t categoryByte)
{
    const auto* entry = CategoryEntry(catalog, CategoryNumber(categoryByte));
    return entry ? entry->first : std::string();
}

const std::pair<std::string, uint8_t>* CategoryEntry(const TCatalogRec& catalog, int number)
{
    if (number == 0) return nullptr;
    for (const auto& entry : catalog.Categories)
        if (entry.second == number) return &entry;
    return nullptr;
}

int CategoryNumberByName(const TCatalogRec& catalog, std::string_view name)
{
    for (const auto& entry : catalog.Categories)
        if (entry.first == name) return entry.second;
    return 0;
}

std::vector<std::string> FlagNamesOf(const TCatalogRec& catalog, uint8_t categoryByte)
{
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i)
        if ((categoryByte & FlagBit(i)) && !catalog.FlagNames[size_t(i)].IsNull())
            names.push_back(catalog.FlagNames[size_t(i)].Str());
    return names;
}

int FreeCategoryNumber(const TCategoryList& list)
{
    for (int n = 1; n <= MaxCategories; ++n)
        if (std::none_of(list.begin(), list.end(), [n](const auto& e) { return e.second == n; })) return n;
    return 0;
}

int AddCategory(TCategoryList& list, std::string_view name)
{
    if (name.empty() || list.size() >= size_t(MaxCategories)) return 0;
    const int number = FreeCategoryNumber(list);
    if (number == 0) return 0;
    list.emplace_back(std::string(name), static_cast<uint8_t>(number));
    return number;
}

bool RenameCategory(TCategoryList& list, int number, std::string_view name)
{
    if (name.empty()) return false;
    for (auto& entry : list)
        if (entry.second == number) {
            if (entry.first == name) return false;
            entry.first = std::string(name);
            return true;
        }
    return false;
}

bool RemoveCategory(TCategoryList& list, int number)
{
    const auto it = std::find_if(list.begin(), list.end(), [number](const auto& e) { return e.second == number; });
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

bool HasCategoryName(const TCategoryList& list, std::string_view name)
{
    const QString wanted = DecodeStoredText(name);
    return std::any_of(list.begin(), list.end(), [&](const auto& e) {
        return DecodeStoredText(e.first).compare(wanted, Qt::CaseInsensitive) == 0;
    });
}

TCopyResult CopyCategories(TCategoryList& list, const TCategoryList& source, std::vector<int>* addedNumbers)
{
    if (source.empty()) return TCopyResult::NothingToCopy;
    for (const auto& entry : source) {
        if (HasCategoryName(list, entry.first)) continue;
        const int number = AddCategory(list, entry.first);
        if (number == 0) return TCopyResult::NotEnoughRoom;
        if (addedNumbers) addedNumbers->push_back(number);
    }
    return TCopyResult::Copied;
}

} // namespace quorvex
