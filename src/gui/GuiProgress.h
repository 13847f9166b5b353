#pragma once
// The core's progress interface drawn for real: the status bar text with the busy cursor,
// the wait window and the scan window.

#include "catalog/Progress.h"
#include "WaitForms.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace quorvex {

class TGuiProgress : public TProgressState {
public:
    explicit TGuiProgress(QWidget* mainWindow);
    ~TGuiProgress() override;

    // The status bar shows status texts; null restores the normal texts.
    std::function<void(const QString* status)> StatusChanged;
    // The Cancel button of the scan window, after the user confirmed (besides the running
    // scan's own abort callback).
    std::function<void()> ScanAbortRequested;

    void SetStatus(const QString& text, int mode) override;
    void ShowWait(const QString& text, bool withProgress, bool withCancel) override;
    void ShowWaitWindow() override;
    void SetWaitText(const QString& text) override;
    void Advance(double amount) override;
    void HideWait() override;
    void CloseWait() override;
    void ShowScan() override;
    void SetScanLabels(const QString& top, const QString& bottom, const QString& dir) override;
    void SetScanDir(const QString& dir) override;
    void SetScanDescFound(const QString& text) override;
    void ShowScanBar() override;
    void SetScanProgressMax(double max) override;
    void SetScanCounts(const TScanCounts& counts) override;
    void AdvanceScan(double amount) override;
    void CloseScan() override;
    void ProcessEvents() override;

    TWaitForm* WaitForm() const { return m_wait.get(); }
    TWaitUpdateForm* ScanForm() const { return m_scan.get(); }

private:
    void CancelPressed();
    QPointer<QWidget> m_main;
    std::unique_ptr<TWaitForm> m_wait;
    std::unique_ptr<TWaitUpdateForm> m_scan;
    TWindowDisabler m_waitDisabled;
    TWindowDisabler m_scanDisabled;
    bool m_busyCursor = false;
};

} // namespace quorvex
