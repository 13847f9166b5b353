#pragma once
// The cells of a list in the large icon, small icon and list styles, sized to the names shown:
// small icons and list take the widest name, up to the view's width; large icons wrap a name
// under the icon. Names that still do not fit end in "...".

#include <QSize>
#include <QStyledItemDelegate>

class QListView;

namespace quorvex {

class TIconCells : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Becomes the view's delegate and follows its model and its width.
    explicit TIconCells(QListView* view);

    // 0 large icons, 1 small icons, 2 list: lays the view out in that style.
    void SetStyle(int style);
    QSize CellSize() const { return m_cell; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NamesChanged(int first, int last);
    void Fit();

    QListView* m_view;
    int m_style = 1;
    int m_widest = -1; // pixels of the widest name; -1: to be measured again
    QSize m_cell;
};

} // namespace quorvex
