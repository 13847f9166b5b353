#pragma once
// The start-up splash: the logo and one line of what the program is doing. It goes when its
// timer finds the text "Done.".

#include <QTimer>
#include <QWidget>

class QLabel;

namespace quorvex {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();
    void SetMessage(const QString& text);
    QLabel* MessageLabel = nullptr;
    QTimer* Timer = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace quorvex
