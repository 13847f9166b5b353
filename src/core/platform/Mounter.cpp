#include "platform/Mounter.h"

#include "platform/ServiceSlot.h"

namespace quorvex
{

namespace
{

class TNoMounter : public IMounter
{
public:
    bool MountMedium(const QString&) override { return false; }
};

TServiceSlot<IMounter, TNoMounter> s_mounter;

} // namespace

IMounter& Mounter()
{
    return s_mounter.Get();
}

void SetMounter(IMounter* mounter)
{
    s_mounter.Set(mounter);
}

} // namespace quorvex
