#pragma once
// Message boxes as core sees them: a caption, a text, buttons and an icon. The GUI answers
// with real message boxes, tests with scripted answers, the command line on stderr.

#include <QString>

#include <functional>
#include <vector>

namespace quorvex {

enum class TPromptIcon { None, Information, Warning, Error, Question };

// Buttons, combinable; Ask returns the one chosen.
enum TPromptButton : int {
    pbNone = 0,
    pbOK = 0x001,
    pbCancel = 0x002,
    pbYes = 0x004,
    pbNo = 0x008,
    pbRetry = 0x010,
    pbAbort = 0x020,
    pbIgnore = 0x040,
    pbYesToAll = 0x080,
    pbNoToAll = 0x100,
    pbAll = 0x200,
    pbManualSelect = 0x400, // "&Manual Select" of the "Insert Media" dialog
};

struct TPromptMessage {
    QString Caption;
    QString Text;
    int Buttons = pbOK;
    TPromptIcon Icon = TPromptIcon::None;
    int DefaultButton = pbNone;
};

class IPrompt {
public:
    virtual ~IPrompt() = default;
    virtual int Ask(const TPromptMessage& message) = 0;

    int Ask(const QString& caption, const QString& text, int buttons, TPromptIcon icon,
            int defaultButton = pbNone)
    {
        return Ask(TPromptMessage{caption, text, buttons, icon, defaultButton});
    }
    void Inform(const QString& caption, const QString& text, TPromptIcon icon)
    {
        Ask(TPromptMessage{caption, text, pbOK, icon, pbOK});
    }
};

// Writes every message to stderr and answers with its default button (or the first one).
class TConsolePrompt : public IPrompt {
public:
    int Ask(const TPromptMessage& message) override;
};

// Records every message; answers from a queue, then with the default button.
class TScriptedPrompt : public IPrompt {
public:
    int Ask(const TPromptMessage& message) override;
    std::vector<TPromptMessage> Shown;
    std::vector<int> Answers;
};

// The prompt the program uses; the console one until another is installed.
IPrompt& Prompt();
void SetPrompt(IPrompt* prompt); // null restores the console prompt

int FirstButton(int buttons);

} // namespace quorvex
