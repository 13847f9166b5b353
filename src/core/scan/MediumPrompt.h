#pragma once
// The "Insert Media" request: what the user is asked for, and who asks. The program shows
// a dialog that watches the drives and goes on by itself when the medium comes; without
// one the request is an ordinary message of the prompt.

#include <QString>

#include <functional>

namespace quorvex
{

struct TMediumRequest {
    QString DiskName;
    QString MediaTypeName;
    QString Label;  // the catalogued volume label
    QString Serial; // "1A2B-3C4D"
    bool AllowManual = false;
    // Looks whether the medium is there now (mounting it when it can); the request ends
    // with pbOK by itself once it answers true.
    std::function<bool()> Present;
};

class IMediumPrompt
{
public:
    virtual ~IMediumPrompt() = default;
    // pbOK: look again; pbCancel: give up; pbManualSelect: the user picks a drive.
    virtual int AskForMedium(const TMediumRequest& request) = 0;
};

IMediumPrompt& MediumPrompt();
void SetMediumPrompt(IMediumPrompt* prompt); // null: the message of the prompt

} // namespace quorvex
