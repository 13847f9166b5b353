#include "StatusItemLabel.h"

#include <QFontMetrics>
#include <QResizeEvent>

namespace quorvex {

namespace {

// text cut at the right and ended with three dots so that it takes at most width pixels.
QString Shortened(const QString& text, const QFontMetrics& metrics, int width)
{
    static const QString dots = QStringLiteral("...");
    if (metrics.horizontalAdvance(text) <= width) return text;
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid) + dots) <= width) low = mid;
        else high = mid - 1;
    }
    return text.left(low) + dots;
}

} // namespace

TStatusItemLabel::TStatusItemLabel(QWidget* parent) : QLabel(parent)
{
    // The panel's share of the bar decides its width, never the length of its text.
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
    setTextFormat(Qt::PlainText);
}

void TStatusItemLabel::SetItemText(const QString& name, const QString& details)
{
    m_name = name;
    m_details = details;
    Elide();
}

QSize TStatusItemLabel::minimumSizeHint() const
{
    return {minimumWidth(), QLabel::minimumSizeHint().height()};
}

void TStatusItemLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void TStatusItemLabel::Elide()
{
    const QString full = FullText();
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width() - 2 * margin() - 2;
    QString shown = full;
    if (metrics.horizontalAdvance(full) > room) {
        const int nameRoom = room - metrics.horizontalAdvance(m_details);
        if (!m_name.isEmpty() && nameRoom > metrics.horizontalAdvance(QStringLiteral("....")))
            shown = Shortened(m_name, metrics, nameRoom) + m_details;
        else
            shown = Shortened(full, metrics, room);
    }
    setText(shown);
    setToolTip(shown == full ? QString() : full);
}

} // namespace quorvex
