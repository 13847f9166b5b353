#pragma once
// tar members: the data follows each 512-byte header; no check value.

#include "extract/UnBase.h"

namespace quorvex
{

class TUnTAR : public TUnBase
{
public:
    bool AcceptsType(TArcType type) const override { return type == atTAR; }

protected:
    void ExtractMembers(QFile& archive) override;

private:
    void CreateStoredFolders(QFile& archive);
};

} // namespace quorvex
