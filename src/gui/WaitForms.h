#pragma once
// The wait window (a message, an optional bar and Cancel button) and the disk scan window.
// While either is shown every other window of the program is disabled.

#include <QFrame>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quorvex {

// Disables the visible windows of the program except one, and enables them again.
class TWindowDisabler {
public:
    void DisableAllBut(QWidget* keep);
    void EnableAgain();

private:
    std::vector<QPointer<QWidget>> m_disabled;
};

class TWaitForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 303;
    static constexpr int ClientHeight = 110;

    TWaitForm();
    void Prepare(const QString& text, bool withProgress, bool withCancel);
    void SetText(const QString& text);
    void SetBar(int percent);
    // Centres over the main window unless it is shown again after a hide by the program.
    void ShowOver(QWidget* mainWindow, bool recentre);

    QLabel* WaitLabel = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* CancelBtn = nullptr;
    std::function<void()> OnCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LayOut();
    QFrame* m_panel = nullptr;
    bool m_withProgress = false;
    bool m_withCancel = false;
};

class TWaitUpdateForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 302;
    static constexpr int ClientHeight = 176;

    TWaitUpdateForm();
    void SetLabels(const QString& top, const QString& bottom, const QString& dir);
    void SetBar(int percent);
    // Busy: nothing to measure the scan against; the bar shows only that it runs.
    void SetBarBusy(bool busy);
    void SetCounts(const QString& text);
    void ShowOver(QWidget* mainWindow);

    QLabel* TopLabel = nullptr;
    QLabel* BottomLabel = nullptr;
    QLabel* DirLabel = nullptr;
    QLabel* DescFoundLabel = nullptr;
    QLabel* CountsLabel = nullptr; // files, folders and bytes met so far
    QProgressBar* Animation = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* ButtonCancel = nullptr;
    std::function<void()> OnCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_dir;
};

// A path shortened for a label of the given width: leading parts dropped at "\".
QString ShortenedPath(const QString& path, const QFontMetrics& metrics, int width);

} // namespace quorvex
