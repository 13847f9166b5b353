#pragma once
// The recent-files list of catalogs: at most four names, the newest first.

#include <functional>
#include <string>
#include <vector>

namespace quorvex {

class TRecentFiles {
public:
    static constexpr size_t MaxEntries = 4;

    const std::vector<std::string>& Names() const { return m_names; }
    void SetNames(std::vector<std::string> names);
    void PutOnTop(const std::string& name);
    void Remove(const std::string& name);

    std::function<void()> Changed;

private:
    std::vector<std::string> m_names;
};

// File names compare without regard to letter case, as on the medium the user came from.
bool SameFileName(const std::string& a, const std::string& b);

} // namespace quorvex
