#pragma once
// One replaceable program-wide service (prompt, dialogs, progress): the installed one, or a
// built-in fallback while none is installed.

namespace quorvex {

template <typename Interface, typename Fallback>
class TServiceSlot {
public:
    Interface& Get()
    {
        static Fallback fallback;
        return m_current ? *m_current : fallback;
    }
    void Set(Interface* service) { m_current = service; }

private:
    Interface* m_current = nullptr;
};

} // namespace quorvex
