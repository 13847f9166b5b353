#include "DescriptionTips.h"

#include "browser/BrowserOptions.h"
#include "config/Options.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QProxyStyle>
#include <QDateTime>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <climits>

namespace quorvex
{

namespace
{

// Moving on to the next item within this time after a tip counts as a short pause.
constexpr qint64 ShortPauseWindowMs = 1000;

// The toolkit's tip wake-up delay, for ordinary tooltips.
class TTipDelayStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay) return TDescriptionTips::OrdinaryWaitMs;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Ordinary tooltips hide after a fixed time instead of one that grows with the text.
class TOrdinaryTipFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        const QString tip = widget->toolTip();
        if (tip.isEmpty()) return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, widget, {},
                           TDescriptionTips::OrdinaryHideMs);
        return true;
    }
};

} // namespace

void TDescriptionTips::ApplyOrdinaryDelays()
{
    static bool applied = false;
    if (applied || !qApp) return;
    applied = true;
    QApplication::setStyle(new TTipDelayStyle);
    qApp->installEventFilter(new TOrdinaryTipFilter(qApp));
}

TDescriptionTips::TDescriptionTips(QObject* parent) : QObject(parent)
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &TDescriptionTips::Show);
}

void TDescriptionTips::Attach(QAbstractItemView* view)
{
    m_views.push_back(view);
    view->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
}

int TDescriptionTips::WaitDelay(bool shortPause)
{
    const int wait = BrowserOptions().DescWaitBar * 100;
    return shortPause ? wait * 67 / 100 : wait;
}

int TDescriptionTips::HideDelay()
{
    return BrowserOptions().AutohideCheck ? BrowserOptions().DescHideBar * 1000 : -1;
}

QString TDescriptionTips::TipHtml(const QString& text, const TFontSlot& font)
{
    QString style = QStringLiteral("white-space:pre;");
    if (!font.Face.isEmpty())
        style += QStringLiteral("font-family:'%1';").arg(QString(font.Face).remove('\''));
    if (font.Height < 0)
        style += QStringLiteral("font-size:%1px;").arg(-font.Height);
    else if (font.Height > 0)
        style += QStringLiteral("font-size:%1px;").arg(font.Height);
    if (font.Style & 1) style += QStringLiteral("font-weight:bold;");
    if (font.Style & 2) style += QStringLiteral("font-style:italic;");
    if (font.Style & 4)
        style += QStringLiteral("text-decoration:underline;");
    else if (font.Style & 8)
        style += QStringLiteral("text-decoration:line-through;");
    return QStringLiteral("<p style=\"%1\">%2</p>").arg(style, text.toHtmlEscaped());
}

QAbstractItemView* TDescriptionTips::ViewOf(QObject* viewport) const
{
    for (QAbstractItemView* v : m_views)
        if (v->viewport() == viewport) return v;
    return nullptr;
}

bool TDescriptionTips::eventFilter(QObject* watched, QEvent* event)
{
    QAbstractItemView* view = ViewOf(watched);
    if (!view) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the tips of these views come from here
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() != Qt::NoButton) { // no tips while something is dragged
            m_wait.stop();
            Hide();
            break;
        }
        const QPoint pos = mouse->position().toPoint();
        QModelIndex index = view->indexAt(pos);
        if (index.isValid() && !view->visualRect(index).contains(pos)) index = {};
        if (view == m_view && index == m_index) {
            m_globalPos = mouse->globalPosition().toPoint();
            break;
        }
        const bool shortPause =
            m_shown || QDateTime::currentMSecsSinceEpoch() - m_hiddenAt < ShortPauseWindowMs;
        Hide();
        m_view = view;
        m_index = QPersistentModelIndex(index);
        m_globalPos = mouse->globalPosition().toPoint();
        if (index.isValid())
            m_wait.start(WaitDelay(shortPause));
        else
            m_wait.stop();
        break;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        m_wait.stop();
        Hide();
        m_index = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TDescriptionTips::Show()
{
    if (!m_view || !m_index.isValid()) return;
    const QString text = m_index.data(Qt::ToolTipRole).toString();
    if (text.isEmpty()) return;
    const int hide = HideDelay();
    QToolTip::showText(m_globalPos, TipHtml(text, quorvex::Options().EffectiveFont(fsDescTips)),
                       m_view->viewport(), m_view->visualRect(m_index), hide < 0 ? INT_MAX : hide);
    m_shown = true;
}

void TDescriptionTips::Hide()
{
    if (!m_shown) return;
    QToolTip::hideText();
    m_shown = false;
    m_hiddenAt = QDateTime::currentMSecsSinceEpoch();
}

} // namespace quorvex
