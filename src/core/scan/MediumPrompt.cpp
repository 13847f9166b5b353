#include "scan/MediumPrompt.h"

#include "platform/Prompt.h"
#include "platform/ServiceSlot.h"
#include "scan/RequestMedium.h"

namespace quorvex
{

namespace
{

class TMessageMediumPrompt : public IMediumPrompt
{
public:
    int AskForMedium(const TMediumRequest& request) override
    {
        // Cancel is the default, so a prompt that cannot ask (the console) ends the search.
        const int buttons = pbOK | pbCancel | (request.AllowManual ? pbManualSelect : 0);
        return Prompt().Ask(QStringLiteral("Insert Media"),
                            InsertMediaText(request.DiskName, request.MediaTypeName), buttons,
                            TPromptIcon::None, pbCancel);
    }
};

TServiceSlot<IMediumPrompt, TMessageMediumPrompt> s_mediumPrompt;

} // namespace

IMediumPrompt& MediumPrompt()
{
    return s_mediumPrompt.Get();
}

void SetMediumPrompt(IMediumPrompt* prompt)
{
    s_mediumPrompt.Set(prompt);
}

} // namespace quorvex
