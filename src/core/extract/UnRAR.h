#pragma once
// RAR members are unpacked by the UnRAR library; this extractor drives it, turns its
// results into the program's error codes and fires the usual events. It alone takes a list
// of member names and unpacks them in one pass.

#include "extract/UnBase.h"

namespace quorvex
{

// False when the program was built without the UnRAR library.
bool RarExtractionAvailable();

class TUnRAR : public TUnBase
{
public:
    TUnRAR();
    bool AcceptsType(TArcType type) const override { return type == atRAR || type == atRarExe; }
    // The whole pattern is kept: it is matched against whole stored names.
    void SetFileSpec(const QString& spec) override { m_fileSpec = spec; }
    void Extract() override;

    // Names of the members to unpack, compared ignoring case; empty: FileSpec decides.
    QStringList MemberList;

    // The library's result codes as the program's error codes (0 for success and the end).
    static int MapResult(int result);

    // Callbacks of the library (plain functions find the extractor through this).
    int OnData(int size);
    void OnVolume(const char* archiveName, int mode);

protected:
    void ExtractMembers(QFile&) override {}

private:
    [[noreturn]] void FailRar(int code);

    int64_t m_memberDone = 0;
    int64_t m_memberSize = 0;
    bool m_extracting = false;
};

} // namespace quorvex
