#pragma once
// The extractors of ARJ, LHA, ZOO and ARC: each walks its member headers in archive order
// with the header walker its directory reader uses.

#include "extract/UnBase.h"

namespace quorvex
{

class TUnARJ : public TUnBase
{
public:
    bool AcceptsType(TArcType type) const override { return type == atARJ || type == atArjExe; }

protected:
    void ExtractMembers(QFile& archive) override;
};

class TUnLHA : public TUnBase
{
public:
    bool AcceptsType(TArcType type) const override { return type >= atLHA && type <= atLzhExe; }

protected:
    void ExtractMembers(QFile& archive) override;
};

class TUnZOO : public TUnBase
{
public:
    bool AcceptsType(TArcType type) const override { return type == atZOO; }

protected:
    void ExtractMembers(QFile& archive) override;
};

class TUnARC : public TUnBase
{
public:
    TUnARC() { m_arcOrder = true; }
    bool AcceptsType(TArcType type) const override { return type == atARC || type == atArcExe; }

protected:
    void ExtractMembers(QFile& archive) override;
};

} // namespace quorvex
