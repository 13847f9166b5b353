#pragma once
// Description tooltips over the item lists and the tree: shown after the settings' wait
// (shorter when moving on from a tip just shown), hidden after the settings' time when
// autohide is on, in the description tip font. The text is the model's tooltip.

#include <QModelIndex>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <vector>

class QAbstractItemView;

namespace quorvex
{

struct TFontSlot;

class TDescriptionTips : public QObject
{
    Q_OBJECT
public:
    explicit TDescriptionTips(QObject* parent = nullptr);
    void Attach(QAbstractItemView* view);

    // The delays the settings give, in milliseconds; -1 hide delay: the tip stays.
    static int WaitDelay(bool shortPause);
    static int HideDelay();
    // The tip text as shown: the description in the tip font.
    static QString TipHtml(const QString& text, const TFontSlot& font);

    // Ordinary tooltips elsewhere: shown after 800 ms, hidden after 2500 ms.
    static constexpr int OrdinaryWaitMs = 800;
    static constexpr int OrdinaryHideMs = 2500;
    static void ApplyOrdinaryDelays();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();
    void Hide();
    QAbstractItemView* ViewOf(QObject* viewport) const;

    std::vector<QAbstractItemView*> m_views;
    QTimer m_wait;
    QAbstractItemView* m_view = nullptr;
    QPersistentModelIndex m_index;
    QPoint m_globalPos;
    bool m_shown = false;
    qint64 m_hiddenAt = 0;
};

} // namespace quorvex
