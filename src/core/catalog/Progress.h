#pragma once
// How long operations report what they do: a status text (with or without the busy
// cursor), the wait window with an optional bar and Cancel button, and the scan window.
// Core calls this interface; the GUI draws it, the command line prints it, tests record it.

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace quorvex {

constexpr int StatusBusy = 1; // mode bit 0: the busy cursor

// What a disk scan has met so far.
struct TScanCounts {
    int64_t Files = 0;
    int64_t Folders = 0;
    int64_t Bytes = 0;
};

class IProgress {
public:
    virtual ~IProgress() = default;

    // mode 0 restores the normal status texts and sets the idle mark.
    virtual void SetStatus(const QString& text, int mode) = 0;
    virtual bool StatusIdle() const = 0;

    virtual void ShowWait(const QString& text, bool withProgress, bool withCancel) = 0;
    virtual void ShowWaitWindow() = 0; // shows what ShowWait prepared
    virtual void SetWaitText(const QString& text) = 0;
    virtual void SetProgressMax(double max) = 0;
    virtual void Advance(double amount) = 0;
    virtual bool Canceled() const = 0;
    virtual void SetCancelCallback(std::function<void()> callback) = 0;
    // Forgets a Cancel press once the program has answered it (the wait window stays).
    virtual void ClearCancel() = 0;
    virtual void HideWait() = 0;
    virtual void CloseWait() = 0;
    virtual bool WaitShown() const = 0;

    virtual void ShowScan() = 0;
    virtual void SetScanLabels(const QString& top, const QString& bottom, const QString& dir) = 0;
    virtual void SetScanDir(const QString& dir) { (void)dir; }
    virtual void SetScanDescFound(const QString& text) { (void)text; }
    virtual void ShowScanBar() {}
    // What the scan window's Cancel does once the user confirmed it; a running scan sets it.
    virtual void SetScanAbortCallback(std::function<void()> callback) { (void)callback; }
    // A maximum of 0: nothing to measure the scan against; the window shows it is busy.
    virtual void SetScanProgressMax(double max) = 0;
    virtual void SetScanCounts(const TScanCounts& counts) { (void)counts; }
    virtual void AdvanceScan(double amount) = 0;
    virtual void CloseScan() = 0;

    // Lets pending work of the program run (the event loop in the GUI).
    virtual void ProcessEvents() = 0;
};

// Keeps the state every implementation shares; draws nothing.
class TProgressState : public IProgress {
public:
    void SetStatus(const QString& text, int mode) override;
    bool StatusIdle() const override { return m_idle; }
    void ShowWait(const QString& text, bool withProgress, bool withCancel) override;
    void ShowWaitWindow() override;
    void SetWaitText(const QString& text) override { m_waitText = text; }
    void SetProgressMax(double max) override { m_max = max; }
    void Advance(double amount) override;
    bool Canceled() const override { return m_canceled; }
    void SetCancelCallback(std::function<void()> callback) override { m_cancelCallback = std::move(callback); }
    void ClearCancel() override { m_canceled = false; }
    void HideWait() override;
    void CloseWait() override;
    bool WaitShown() const override { return m_waitShown; }
    void ShowScan() override;
    void SetScanLabels(const QString& top, const QString& bottom, const QString& dir) override;
    void SetScanDir(const QString& dir) override { m_scanDir = dir; }
    void SetScanDescFound(const QString& text) override { m_scanDescFound = text; }
    void ShowScanBar() override { m_scanBarShown = true; }
    void SetScanAbortCallback(std::function<void()> callback) override { m_scanAbort = std::move(callback); }
    void SetScanProgressMax(double max) override { m_scanMax = max; }
    void SetScanCounts(const TScanCounts& counts) override { m_scanCounts = counts; }
    void AdvanceScan(double amount) override;
    void CloseScan() override;
    void ProcessEvents() override {}

    // The Cancel button of the wait window.
    void PressCancel();
    // The scan window's Cancel, confirmed.
    void PressScanCancel();

    const QString& StatusText() const { return m_status; }
    const QString& WaitText() const { return m_waitText; }
    bool WaitExists() const { return m_waitExists; }
    bool WithProgress() const { return m_withProgress; }
    bool WithCancel() const { return m_withCancel; }
    bool HiddenByProgram() const { return m_hiddenByProgram; }
    int BarPosition() const { return m_bar; }
    int ScanBarPosition() const { return m_scanBar; }
    double ProgressValue() const { return m_value; }
    double ProgressMax() const { return m_max; }
    const QString& ScanTop() const { return m_scanTop; }
    const QString& ScanBottom() const { return m_scanBottom; }
    const QString& ScanDir() const { return m_scanDir; }
    const QString& ScanDescFound() const { return m_scanDescFound; }
    double ScanProgressMax() const { return m_scanMax; }
    double ScanProgressValue() const { return m_scanValue; }
    const TScanCounts& ScanCounts() const { return m_scanCounts; }

protected:
    QString m_status;
    bool m_idle = true;
    bool m_waitExists = false;
    bool m_waitShown = false;
    bool m_hiddenByProgram = false;
    bool m_withProgress = false;
    bool m_withCancel = false;
    bool m_canceled = false;
    QString m_waitText;
    double m_max = 0;
    double m_value = 0;
    int m_bar = 0;
    std::function<void()> m_cancelCallback;
    bool m_scanExists = false;
    double m_scanMax = 0;
    double m_scanValue = 0;
    int m_scanBar = 0;
    bool m_scanBarShown = false;
    TScanCounts m_scanCounts;
    QString m_scanTop, m_scanBottom, m_scanDir, m_scanDescFound;
    std::function<void()> m_scanAbort;
};

// Records every status and wait text, for tests.
class TRecordingProgress : public TProgressState {
public:
    void SetStatus(const QString& text, int mode) override;
    void ShowWait(const QString& text, bool withProgress, bool withCancel) override;
    void SetWaitText(const QString& text) override;
    std::vector<QString> Log;
    // Pressed once the progress has advanced this many times (0 = never).
    int CancelAfterAdvances = 0;
    void Advance(double amount) override;

private:
    int m_advances = 0;
};

// The command line: status texts go to stderr when verbose.
class TConsoleProgress : public TProgressState {
public:
    explicit TConsoleProgress(bool verbose = false) : m_verbose(verbose) {}
    void SetStatus(const QString& text, int mode) override;

private:
    bool m_verbose;
};

IProgress& Progress();
void SetProgress(IProgress* progress); // null restores a silent one

} // namespace quorvex
