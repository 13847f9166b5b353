#pragma once
// gzip: one member, its data between the header fields and the 8-byte trailer.

#include "extract/UnBase.h"

namespace quorvex
{

class TUnGZIP : public TUnBase
{
public:
    TUnGZIP();
    bool AcceptsType(TArcType type) const override { return type == atGZip; }

protected:
    void ExtractMembers(QFile& archive) override;
};

} // namespace quorvex
