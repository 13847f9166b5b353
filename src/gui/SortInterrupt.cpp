#include "SortInterrupt.h"

#include "platform/Prompt.h"
#include "search/SearchGuard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace quorvex
{

namespace
{
constexpr int LookEveryMs = 25;
int g_active = 0;
} // namespace

TSortInterrupt::TSortInterrupt()
{
    ++g_active;
    QCoreApplication::instance()->installEventFilter(this);
}

TSortInterrupt::~TSortInterrupt()
{
    QCoreApplication::instance()->removeEventFilter(this);
    --g_active;
}

bool TSortInterrupt::Active()
{
    return g_active > 0;
}

bool TSortInterrupt::operator()()
{
    // The first look comes at once, so an Esc already waiting is seen.
    if (m_looked && m_sinceLook.elapsed() < LookEveryMs) return false;
    // A running search has the main thread load and release its lists when events run.
    if (SearchRunning()) return false;
    m_looked = true;
    m_sinceLook.restart();
    QCoreApplication::processEvents();
    if (!m_escape) return false;
    m_escape = false;
    m_asking = true;
    const int answer =
        Prompt().Ask("Cancel sort",
                     "Sorting was temporarily halted by user.\rWould you like to cancel sort and "
                     "proceed with partial results?",
                     pbYes | pbNo, TPromptIcon::Question, pbNo);
    m_asking = false;
    m_sinceLook.restart();
    return answer == pbYes;
}

bool TSortInterrupt::eventFilter(QObject* watched, QEvent* event)
{
    if (m_asking) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) m_escape = true;
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true; // the lists are being reordered: no other input meanwhile
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quorvex
