#include "adddisk/AddDiskFlow.h"

#include "catalog/TreeNode.h"
#include "config/Options.h"
#include "platform/Prompt.h"

namespace quorvex {

namespace {

QString Quoted(const std::string& name)
{
    return QLatin1Char('"') + QString::fromStdString(name) + QLatin1Char('"');
}

int AskUpdateOldData(IPrompt& prompt, TTreeNode* disk)
{
    return prompt.Ask(QStringLiteral("Update Old Data?"),
                      QStringLiteral("Disk with the same serial number, label and capacity is\ralready in the "
                                     "catalog as ") +
                          Quoted(disk->Text) +
                          QStringLiteral(". \r\rWould like to update the disk currently in the catalog?\r"
                                         "(selecting \"No\" will add a new disk to the catalog)"),
                      pbYes | pbNo | pbCancel, TPromptIcon::Question, pbYes);
}

} // namespace

TOkOutcome PressOk(TAddDiskState& state, IPrompt& prompt, const TSelectDisk& selectDisk)
{
    if (state.Mode == TAddDiskMode::Add) {
        if (state.Matches.size() > 1) {
            const TDiskSelectAnswer answer = selectDisk(state.Matches);
            if (answer.Kind == TDiskSelectAnswer::Cancel) return TOkOutcome::StayOpen;
            state.ReplacedDisk = answer.Kind == TDiskSelectAnswer::Update ? answer.Disk : nullptr;
        } else if (state.Matches.size() == 1) {
            const int answer = AskUpdateOldData(prompt, state.Matches.front());
            if (answer == pbCancel) return TOkOutcome::StayOpen;
            if (answer == pbNo) {
                state.ReplacedDisk = nullptr;
            } else {
                state.Mode = TAddDiskMode::Update;
                state.ReplacedDisk = state.Matches.front();
                state.Switches.ImportDescRow = state.Switches.KeepCurrent.Checked ? 1 : 0;
                state.Switches.KeepCurrent.Checked = true;
                ApplySwitchRules(state.Switches, state.Mode, TSwitchClick::None);
            }
        } else {
            state.ReplacedDisk = nullptr;
        }
    } else if (!state.MediumMatches && state.ReplacedDisk) {
        const int answer = prompt.Ask(
            QStringLiteral("Warning"),
            QStringLiteral("Properties of selected media do not match properties of the disk you are updating!\r"
                           "This may be right if you have formatted media since it has been last catalogued.\r\r"
                           "Are you sure you want to replace data for ") +
                Quoted(state.ReplacedDisk->Text) + QStringLiteral(" with the selected media?"),
            pbYes | pbNo, TPromptIcon::Warning, pbNo);
        if (answer == pbNo) return TOkOutcome::StayOpen;
    }
    if (state.ReplacedDisk && !state.Switches.KeepCurrent.Checked) {
        const int answer = prompt.Ask(QStringLiteral("Warning"),
                                      QStringLiteral("You did not choose to import existing descriptions for the "
                                                     "disk you\r\nare updating. All existing descriptions will be "
                                                     "lost! Proceed?"),
                                      pbYes | pbNo, TPromptIcon::Warning, pbNo);
        if (answer != pbYes) return TOkOutcome::StayOpenAtKeepCurrent;
    }
    state.MatchesAtOk = int(state.Matches.size());
    return TOkOutcome::Close;
}

bool DecideSerialChange(const TAddDiskState& state, TOptions& options, const TAskSerial& askSerial)
{
    const bool addedBesideMatches =
        state.Mode == TAddDiskMode::Add && !state.ReplacedDisk && state.MatchesAtOk > 0;
    if (!addedBesideMatches || !options.SetSerialCheck()) return false;
    if (!options.SerialAskCheck()) return true;
    const TSerialAnswer answer = askSerial();
    if (answer.DontAskAgain) {
        options.SetSerialAskCheck(false);
        options.SetChanged();
    }
    return answer.Change;
}

} // namespace quorvex
