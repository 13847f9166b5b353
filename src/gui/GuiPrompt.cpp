#include "GuiPrompt.h"

#include <QApplication>
#include <QMessageBox>

namespace quorvex {

namespace {

struct TButtonMap {
    int Ours;
    QMessageBox::StandardButton Theirs;
};
constexpr TButtonMap Buttons[] = {
    {pbOK, QMessageBox::Ok},         {pbCancel, QMessageBox::Cancel},   {pbYes, QMessageBox::Yes},
    {pbNo, QMessageBox::No},         {pbRetry, QMessageBox::Retry},     {pbAbort, QMessageBox::Abort},
    {pbIgnore, QMessageBox::Ignore}, {pbYesToAll, QMessageBox::YesToAll}, {pbNoToAll, QMessageBox::NoToAll},
    {pbAll, QMessageBox::YesAll},
};

QMessageBox::Icon IconOf(TPromptIcon icon)
{
    switch (icon) {
    case TPromptIcon::Information: return QMessageBox::Information;
    case TPromptIcon::Warning: return QMessageBox::Warning;
    case TPromptIcon::Error: return QMessageBox::Critical;
    case TPromptIcon::Question: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

int TGuiPrompt::Ask(const TPromptMessage& message)
{
    QString text = message.Text;
    text.replace("\r\n", "\n").replace("\n\r", "\n").replace('\r', '\n');
    QMessageBox box(IconOf(message.Icon), message.Caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QMessageBox::StandardButtons standard;
    for (const auto& b : Buttons)
        if (message.Buttons & b.Ours) standard |= b.Theirs;
    if (!standard) standard = QMessageBox::Ok;
    box.setStandardButtons(standard);
    for (const auto& b : Buttons)
        if (message.DefaultButton == b.Ours) box.setDefaultButton(b.Theirs);
    const int chosen = box.exec();
    for (const auto& b : Buttons)
        if (chosen == b.Theirs) return b.Ours;
    return (message.Buttons & pbCancel) ? int(pbCancel) : FirstButton(message.Buttons);
}

} // namespace quorvex
