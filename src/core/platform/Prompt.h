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
    // False when nobody is there to read the next message and answer it (the command line, a
    // test whose script has run out). A loop that shows a message and waits for the user to
    // change something must then end after the message instead of asking again.
    virtual bool HasUser() const { return true; }

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

// Writes every message to stderr and answers as NoUserAnswer says.
class TConsolePrompt : public IPrompt {
public:
    int Ask(const TPromptMessage& message) override;
    bool HasUser() const override { return false; }
};

// Records every message; answers from a queue, then as NoUserAnswer says.
class TScriptedPrompt : public IPrompt {
public:
    int Ask(const TPromptMessage& message) override;
    bool HasUser() const override { return !Answers.empty(); }
    std::vector<TPromptMessage> Shown;
    std::vector<int> Answers;
};

// The prompt the program uses; the console one until another is installed.
IPrompt& Prompt();
void SetPrompt(IPrompt* prompt); // null restores the console prompt

int FirstButton(int buttons);
// The answer when nobody is there: the default button (or the first one), except that Retry
// becomes Cancel (or Abort), since retrying unattended only repeats the failure.
int NoUserAnswer(const TPromptMessage& message);

} // namespace quorvex
