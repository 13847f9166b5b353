#include "platform/Prompt.h"

#include "platform/ServiceSlot.h"

#include <cstdio>

namespace quorvex {

int FirstButton(int buttons)
{
    for (int bit = 1; bit <= pbManualSelect; bit <<= 1)
        if (buttons & bit) return bit;
    return pbOK;
}

int NoUserAnswer(const TPromptMessage& m)
{
    const int answer = m.DefaultButton != pbNone ? m.DefaultButton : FirstButton(m.Buttons);
    if (answer != pbRetry) return answer;
    if (m.Buttons & pbCancel) return pbCancel;
    if (m.Buttons & pbAbort) return pbAbort;
    return answer;
}

int TConsolePrompt::Ask(const TPromptMessage& message)
{
    QString text = message.Text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s: %s\n", message.Caption.toLocal8Bit().constData(),
                 text.toLocal8Bit().constData());
    return NoUserAnswer(message);
}

int TScriptedPrompt::Ask(const TPromptMessage& message)
{
    Shown.push_back(message);
    if (!Answers.empty()) {
        const int answer = Answers.front();
        Answers.erase(Answers.begin());
        return answer;
    }
    return NoUserAnswer(message);
}

static TServiceSlot<IPrompt, TConsolePrompt> s_prompt;

IPrompt& Prompt() { return s_prompt.Get(); }
void SetPrompt(IPrompt* prompt) { s_prompt.Set(prompt); }

} // namespace quorvex
