#include "WaitForms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quorvex {

void TWindowDisabler::DisableAllBut(QWidget* keep)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == keep || !w->isVisible() || !w->isEnabled()) continue;
        w->setEnabled(false);
        m_disabled.emplace_back(w);
    }
}

void TWindowDisabler::EnableAgain()
{
    for (auto& w : m_disabled)
        if (w) w->setEnabled(true);
    m_disabled.clear();
}

static void CentreOver(QWidget* window, QWidget* over)
{
    QRect area = over && over->isVisible() ? over->frameGeometry()
                                           : (window->screen() ? window->screen()->availableGeometry() : QRect());
    if (area.isEmpty()) return;
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

TWaitForm::TWaitForm() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("WaitForm");
    m_panel = new QFrame(this);
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Sunken);
    m_panel->setLineWidth(2);
    WaitLabel = new QLabel(m_panel);
    WaitLabel->setAlignment(Qt::AlignCenter);
    WaitLabel->setWordWrap(true);
    ProgressBar = new QProgressBar(m_panel);
    ProgressBar->setRange(0, 100);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), m_panel);
    connect(CancelBtn, &QPushButton::clicked, this, [this] {
        if (OnCancel) OnCancel();
    });
    setFixedSize(ClientWidth, ClientHeight);
}

void TWaitForm::Prepare(const QString& text, bool withProgress, bool withCancel)
{
    m_withProgress = withProgress;
    m_withCancel = withCancel;
    WaitLabel->setText(text);
    ProgressBar->setValue(0);
    LayOut();
}

void TWaitForm::LayOut()
{
    constexpr int buttonHeight = 25, barHeight = 16, margin = 12;
    const int height = m_withCancel ? ClientHeight : ClientHeight - buttonHeight - 4;
    setFixedSize(ClientWidth, height);
    m_panel->setGeometry(0, 0, ClientWidth, height);
    const int inner = ClientWidth - 2 * margin;
    int bottom = height - margin;
    CancelBtn->setVisible(m_withCancel);
    if (m_withCancel) {
        CancelBtn->setGeometry((ClientWidth - 80) / 2, bottom - buttonHeight, 80, buttonHeight);
        bottom -= buttonHeight + 8;
    }
    ProgressBar->setVisible(m_withProgress);
    if (m_withProgress) {
        ProgressBar->setGeometry(margin, bottom - barHeight, inner, barHeight);
        bottom -= barHeight + 6;
    }
    if (!m_withProgress && !m_withCancel) WaitLabel->setGeometry(margin, 0, inner, height);
    else WaitLabel->setGeometry(margin, 4, inner, bottom - 4);
}

void TWaitForm::SetText(const QString& text)
{
    WaitLabel->setText(text);
    WaitLabel->repaint();
}

void TWaitForm::SetBar(int percent) { ProgressBar->setValue(std::clamp(percent, 0, 100)); }

void TWaitForm::ShowOver(QWidget* mainWindow, bool recentre)
{
    if (recentre) CentreOver(this, mainWindow);
    show();
    raise();
}

void TWaitForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_withCancel && OnCancel) OnCancel();
    else QWidget::keyPressEvent(event);
}

TWaitUpdateForm::TWaitUpdateForm() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("WaitUpdateForm");
    setFixedSize(ClientWidth, ClientHeight);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setGeometry(rect());
    auto* layout = new QVBoxLayout(panel);
    TopLabel = new QLabel(QStringLiteral("Scanning disk, please wait..."), panel);
    QFont bold = TopLabel->font();
    bold.setBold(true);
    TopLabel->setFont(bold);
    TopLabel->setAlignment(Qt::AlignCenter);
    Animation = new QProgressBar(panel); // the busy indicator
    Animation->setRange(0, 0);
    Animation->setTextVisible(false);
    Animation->setFixedHeight(10);
    BottomLabel = new QLabel(QStringLiteral("Reading folder:"), panel);
    DirLabel = new QLabel(panel);
    DescFoundLabel = new QLabel(panel);
    CountsLabel = new QLabel(panel);
    CountsLabel->setObjectName("CountsLabel");
    ProgressBar = new QProgressBar(panel);
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), panel);
    connect(ButtonCancel, &QPushButton::clicked, this, [this] {
        if (OnCancel) OnCancel();
    });
    layout->addWidget(TopLabel);
    layout->setSpacing(3);
    layout->addWidget(Animation);
    layout->addWidget(BottomLabel);
    layout->addWidget(DirLabel);
    layout->addWidget(DescFoundLabel);
    layout->addWidget(CountsLabel);
    layout->addWidget(ProgressBar);
    layout->addWidget(ButtonCancel, 0, Qt::AlignHCenter);
}

void TWaitUpdateForm::SetLabels(const QString& top, const QString& bottom, const QString& dir)
{
    if (!top.isNull()) TopLabel->setText(top);
    if (!bottom.isNull()) BottomLabel->setText(bottom);
    m_dir = dir;
    DirLabel->setText(ShortenedPath(dir, DirLabel->fontMetrics(), ClientWidth - 24));
}

void TWaitUpdateForm::SetBar(int percent) { ProgressBar->setValue(std::clamp(percent, 0, 100)); }

void TWaitUpdateForm::SetBarBusy(bool busy)
{
    ProgressBar->setRange(0, busy ? 0 : 100);
    ProgressBar->setTextVisible(!busy);
    // One moving bar is enough.
    Animation->setVisible(!busy);
}

void TWaitUpdateForm::SetCounts(const QString& text) { CountsLabel->setText(text); }

void TWaitUpdateForm::ShowOver(QWidget* mainWindow)
{
    CentreOver(this, mainWindow);
    show();
    raise();
}

void TWaitUpdateForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && OnCancel) OnCancel();
    else QWidget::keyPressEvent(event);
}

QString ShortenedPath(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width) return path;
    // Paths reach this window in the system's form, stored ones with backslashes.
    const QChar separator = path.contains(u'/') ? u'/' : u'\\';
    QStringList parts = path.split(separator);
    while (parts.size() > 1) {
        parts.removeFirst();
        const QString candidate = "..." + QString(separator) + parts.join(separator);
        if (metrics.horizontalAdvance(candidate) <= width) return candidate;
    }
    return metrics.elidedText(path, Qt::ElideLeft, width);
}

} // namespace quorvex
