#include "IconCells.h"

#include <QEvent>
#include <QListView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace quorvex {

namespace {

constexpr int LargeIcon = 32;
constexpr int SmallIcon = 16;
constexpr int LargeCellMin = 96;
constexpr int LargeCellMax = 160;
constexpr int LargeNameLines = 3;
constexpr int TextPadding = 12; // focus frame and margins around a name

} // namespace

TIconCells::TIconCells(QListView* view) : QStyledItemDelegate(view), m_view(view)
{
    view->setItemDelegate(this);
    view->setUniformItemSizes(true);
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::modelReset, this, [this] { NamesChanged(-1, -1); });
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { NamesChanged(first, last); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { NamesChanged(-1, -1); });
}

void TIconCells::SetStyle(int style)
{
    m_style = std::clamp(style, 0, 2);
    const bool large = m_style == 0;
    m_view->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    m_view->setFlow(m_style == 2 ? QListView::TopToBottom : QListView::LeftToRight);
    m_view->setWrapping(true);
    m_view->setIconSize(large ? QSize(LargeIcon, LargeIcon) : QSize(SmallIcon, SmallIcon));
    m_view->setGridSize(QSize());
    m_view->setSpacing(large ? 4 : 1);
    m_view->setWordWrap(large);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setMovement(QListView::Static);
    m_cell = QSize();
    Fit();
}

QSize TIconCells::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return m_cell.isValid() ? m_cell : QStyledItemDelegate::sizeHint(option, index);
}

bool TIconCells::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_view && event->type() == QEvent::Show) ||
        (watched == m_view->viewport() && event->type() == QEvent::Resize))
        Fit();
    return QStyledItemDelegate::eventFilter(watched, event);
}

void TIconCells::NamesChanged(int first, int last)
{
    if (first < 0 || m_widest < 0) {
        m_widest = -1;
    } else {
        // Rows appended to a found list: only the new names are measured.
        const QFontMetrics metrics = m_view->fontMetrics();
        const QAbstractItemModel* model = m_view->model();
        for (int row = first; row <= last; ++row)
            m_widest = std::max(m_widest, metrics.horizontalAdvance(model->index(row, 0).data().toString()));
    }
    if (m_view->isVisible()) Fit();
}

void TIconCells::Fit()
{
    if (!m_view->isVisible() || !m_view->model()) return;
    const QFontMetrics metrics = m_view->fontMetrics();
    if (m_widest < 0) {
        m_widest = 0;
        const QAbstractItemModel* model = m_view->model();
        for (int row = 0, rows = model->rowCount(); row < rows; ++row)
            m_widest = std::max(m_widest, metrics.horizontalAdvance(model->index(row, 0).data().toString()));
    }
    // The room a vertical scroll bar takes is kept free, so its coming and going does not
    // change the cells.
    const int room = std::max(60, m_view->width() - 2 * m_view->frameWidth() -
                                      m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) -
                                      2 * m_view->spacing() - 2);
    QSize cell;
    if (m_style == 0) {
        const int width = std::min(room, std::clamp(m_widest + TextPadding, LargeCellMin, LargeCellMax));
        const int textWidth = std::max(1, width - TextPadding);
        const int lines = std::clamp((m_widest + textWidth - 1) / textWidth, 1, LargeNameLines);
        cell = QSize(width, LargeIcon + 8 + lines * metrics.lineSpacing());
    } else {
        const int width = std::min(room, SmallIcon + 6 + m_widest + TextPadding);
        cell = QSize(width, std::max(SmallIcon, metrics.height()) + 4);
    }
    if (cell == m_cell) return;
    m_cell = cell;
    m_view->doItemsLayout();
}

} // namespace quorvex
