#include "catalog/RecentFiles.h"

#include <QString>

#include <algorithm>

namespace quorvex {

bool SameFileName(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

void TRecentFiles::SetNames(std::vector<std::string> names)
{
    if (names.size() > MaxEntries) names.resize(MaxEntries);
    m_names = std::move(names);
}

void TRecentFiles::PutOnTop(const std::string& name)
{
    std::erase_if(m_names, [&](const std::string& n) { return SameFileName(n, name); });
    m_names.insert(m_names.begin(), name);
    if (m_names.size() > MaxEntries) m_names.resize(MaxEntries);
    if (Changed) Changed();
}

void TRecentFiles::Remove(const std::string& name)
{
    const size_t before = m_names.size();
    std::erase_if(m_names, [&](const std::string& n) { return SameFileName(n, name); });
    if (m_names.size() != before && Changed) Changed();
}

} // namespace quorvex
