#pragma once
// A status panel for an item's text: name first, then its details (size, date). When the
// panel is too narrow the name gives way first and ends in "...", so the details stay visible.

#include <QLabel>

namespace quorvex {

class TStatusItemLabel : public QLabel {
    Q_OBJECT
public:
    explicit TStatusItemLabel(QWidget* parent = nullptr);

    // Shows name + details.
    void SetItemText(const QString& name, const QString& details);
    QString FullText() const { return m_name + m_details; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();

    QString m_name;
    QString m_details;
};

} // namespace quorvex
