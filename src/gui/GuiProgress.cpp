#include "GuiProgress.h"

#include "browser/ItemText.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace quorvex {

TGuiProgress::TGuiProgress(QWidget* mainWindow) : m_main(mainWindow) {}

TGuiProgress::~TGuiProgress()
{
    if (m_busyCursor) QApplication::restoreOverrideCursor();
    m_waitDisabled.EnableAgain();
    m_scanDisabled.EnableAgain();
}

void TGuiProgress::SetStatus(const QString& text, int mode)
{
    TProgressState::SetStatus(text, mode);
    const bool busy = mode & StatusBusy;
    if (busy != m_busyCursor) {
        if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
        else QApplication::restoreOverrideCursor();
        m_busyCursor = busy;
    }
    if (StatusChanged) StatusChanged(mode ? &text : nullptr);
}

void TGuiProgress::ShowWait(const QString& text, bool withProgress, bool withCancel)
{
    TProgressState::ShowWait(text, withProgress, withCancel);
    if (!m_wait) {
        m_wait = std::make_unique<TWaitForm>();
        m_wait->OnCancel = [this] { CancelPressed(); };
    }
    m_wait->Prepare(text, withProgress, withCancel);
}

void TGuiProgress::ShowWaitWindow()
{
    if (!m_wait) return;
    const bool again = m_hiddenByProgram;
    TProgressState::ShowWaitWindow();
    m_wait->ShowOver(m_main, !again);
    if (!again) m_waitDisabled.DisableAllBut(m_wait.get());
    QApplication::processEvents();
}

void TGuiProgress::SetWaitText(const QString& text)
{
    TProgressState::SetWaitText(text);
    if (m_wait) m_wait->SetText(text);
}

void TGuiProgress::Advance(double amount)
{
    TProgressState::Advance(amount);
    if (m_wait) m_wait->SetBar(m_bar);
}

void TGuiProgress::HideWait()
{
    TProgressState::HideWait();
    if (m_wait) m_wait->hide();
}

void TGuiProgress::CloseWait()
{
    TProgressState::CloseWait();
    if (!m_wait) return;
    m_waitDisabled.EnableAgain();
    m_wait.reset();
    if (m_main) m_main->activateWindow();
}

void TGuiProgress::CancelPressed()
{
    PressCancel();
    if (m_wait) m_wait->SetText(m_waitText);
}

void TGuiProgress::ShowScan()
{
    TProgressState::ShowScan();
    m_scan = std::make_unique<TWaitUpdateForm>();
    m_scan->SetBar(0);
    m_scan->OnCancel = [this] {
        if (Prompt().Ask("Abort Disk Scan", "Do you really want to abort disk scan?", pbYes | pbNo,
                         TPromptIcon::Question, pbNo) != pbYes)
            return;
        if (ScanAbortRequested) ScanAbortRequested();
        PressScanCancel();
    };
    m_scan->ShowOver(m_main);
    m_scanDisabled.DisableAllBut(m_scan.get());
}

void TGuiProgress::SetScanLabels(const QString& top, const QString& bottom, const QString& dir)
{
    TProgressState::SetScanLabels(top, bottom, dir);
    if (m_scan) m_scan->SetLabels(top, bottom, dir);
}

void TGuiProgress::SetScanDir(const QString& dir)
{
    TProgressState::SetScanDir(dir);
    if (m_scan) m_scan->SetLabels({}, {}, dir);
}

void TGuiProgress::SetScanDescFound(const QString& text)
{
    TProgressState::SetScanDescFound(text);
    if (m_scan) m_scan->DescFoundLabel->setText(text);
}

void TGuiProgress::ShowScanBar()
{
    TProgressState::ShowScanBar();
    if (m_scan) m_scan->ProgressBar->show();
}

void TGuiProgress::SetScanProgressMax(double max)
{
    TProgressState::SetScanProgressMax(max);
    if (m_scan) m_scan->SetBarBusy(max <= 0);
}

void TGuiProgress::SetScanCounts(const TScanCounts& counts)
{
    TProgressState::SetScanCounts(counts);
    if (!m_scan) return;
    m_scan->SetCounts(QStringLiteral("Files: %1   Folders: %2   Size: %3")
                          .arg(ExactSize(counts.Files), ExactSize(counts.Folders),
                               FormatSize(double(counts.Bytes))));
}

void TGuiProgress::AdvanceScan(double amount)
{
    TProgressState::AdvanceScan(amount);
    if (m_scan) m_scan->SetBar(m_scanBar);
}

void TGuiProgress::CloseScan()
{
    TProgressState::CloseScan();
    if (!m_scan) return;
    m_scanDisabled.EnableAgain();
    m_scan.reset();
}

void TGuiProgress::ProcessEvents() { QApplication::processEvents(); }

} // namespace quorvex
