#pragma once
// A file writer that fails once a byte budget is used up, to prove the error paths.

#include "catalog/CatalogErrors.h"
#include "catalog/WriteTarget.h"

#include <memory>

namespace quorvex::testing {

class TFailingWriter : public TWriteTarget {
public:
    TFailingWriter(const std::string& path, int64_t budget) : m_file(path), m_budget(budget) {}
    void Write(const void* data, size_t count) override
    {
        if (m_written + int64_t(count) > m_budget) throw EStreamError("No space left on device");
        m_written += int64_t(count);
        m_file.Write(data, count);
    }
    int64_t Position() const override { return m_file.Position(); }
    void SeekTo(int64_t offset) override { m_file.SeekTo(offset); }
    void Flush() override { m_file.Flush(); }

private:
    TFileWriter m_file;
    int64_t m_budget;
    int64_t m_written = 0;
};

} // namespace quorvex::testing
