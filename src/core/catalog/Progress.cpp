#include "catalog/Progress.h"

#include "platform/ServiceSlot.h"

#include <cmath>
#include <cstdio>

namespace quorvex {

void TProgressState::SetStatus(const QString& text, int mode)
{
    m_idle = mode == 0;
    m_status = mode == 0 ? QString() : text;
}

void TProgressState::ShowWait(const QString& text, bool withProgress, bool withCancel)
{
    m_waitExists = true;
    m_canceled = false;
    m_cancelCallback = nullptr;
    m_hiddenByProgram = false;
    m_waitText = text;
    m_withProgress = withProgress;
    m_withCancel = withCancel;
    m_value = 0;
    m_bar = 0;
}

void TProgressState::ShowWaitWindow()
{
    if (!m_waitExists) return;
    m_waitShown = true;
    m_hiddenByProgram = false;
}

void TProgressState::Advance(double amount)
{
    m_value += amount;
    m_bar = m_max > 0 ? static_cast<int>(std::lround(m_value / m_max * 100)) : 0;
    ProcessEvents();
}

void TProgressState::HideWait()
{
    m_hiddenByProgram = true;
    m_waitShown = false;
}

void TProgressState::CloseWait()
{
    if (!m_waitExists) return;
    m_waitExists = m_waitShown = m_hiddenByProgram = false;
}

void TProgressState::PressCancel()
{
    m_canceled = true;
    m_waitText = QStringLiteral("Canceled...");
    if (m_cancelCallback) m_cancelCallback();
}

void TProgressState::PressScanCancel()
{
    if (m_scanAbort) m_scanAbort();
}

void TProgressState::ShowScan()
{
    m_scanExists = true;
    m_scanBarShown = false;
    m_scanValue = 0;
    m_scanBar = 0;
    m_scanCounts = {};
}

void TProgressState::SetScanLabels(const QString& top, const QString& bottom, const QString& dir)
{
    if (!top.isNull()) m_scanTop = top;
    if (!bottom.isNull()) m_scanBottom = bottom;
    m_scanDir = dir;
}

void TProgressState::AdvanceScan(double amount)
{
    m_scanValue += amount;
    m_scanBar = m_scanMax > 0 ? static_cast<int>(std::lround(m_scanValue / m_scanMax * 100)) : 0;
    ProcessEvents();
}

void TProgressState::CloseScan() { m_scanExists = false; }

void TRecordingProgress::SetStatus(const QString& text, int mode)
{
    TProgressState::SetStatus(text, mode);
    Log.push_back(QStringLiteral("status:") + (mode ? text : QString()));
}

void TRecordingProgress::ShowWait(const QString& text, bool withProgress, bool withCancel)
{
    TProgressState::ShowWait(text, withProgress, withCancel);
    Log.push_back(QStringLiteral("wait:") + text);
}

void TRecordingProgress::SetWaitText(const QString& text)
{
    TProgressState::SetWaitText(text);
    Log.push_back(QStringLiteral("wait:") + text);
}

void TRecordingProgress::Advance(double amount)
{
    TProgressState::Advance(amount);
    if (CancelAfterAdvances > 0 && ++m_advances == CancelAfterAdvances) PressCancel();
}

void TConsoleProgress::SetStatus(const QString& text, int mode)
{
    TProgressState::SetStatus(text, mode);
    if (m_verbose && mode) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

static TServiceSlot<IProgress, TProgressState> s_progress;

IProgress& Progress() { return s_progress.Get(); }
void SetProgress(IProgress* progress) { s_progress.Set(progress); }

} // namespace quorvex
