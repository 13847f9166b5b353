#include "ShutdownForm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace quorvex
{

TShutdownForm::TShutdownForm(const QIcon& icon)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName("ShutdownForm");
    setWindowTitle("Quorvex");
    setWindowIcon(icon);
    auto* picture = new QLabel;
    picture->setPixmap(icon.pixmap(32, 32));
    auto* text = new QLabel("Quorvex is shutting down...");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 12, 24, 12);
    layout->setSpacing(12);
    layout->addWidget(picture);
    layout->addWidget(text, 1);
    adjustSize();
    if (QScreen* s = QApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace quorvex
