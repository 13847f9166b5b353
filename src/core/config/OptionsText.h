#pragma once
// Every setting of the settings object as text, and setting one from text: the command line's
// view of the settings.

#include <QString>

#include <vector>

namespace quorvex {

class TOptions;

struct TSettingText {
    QString Name;     // the control's name, or the value's for fonts and the toolbar layout
    QString Location; // where the store keeps it
    QString Value;
};

// In the order of the settings table: the packed settings first, then the values of their own.
std::vector<TSettingText> DescribeOptions(const TOptions& options);
// False, with a reason, when the name is unknown or the text is not a value of that setting.
bool SetOptionFromText(TOptions& options, const QString& name, const QString& text,
                       QString& error);

} // namespace quorvex
