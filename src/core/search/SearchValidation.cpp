#include "search/SearchValidation.h"

#include "platform/Prompt.h"
#include "search/ExtensionList.h"
#include "search/SizeValue.h"

#include <utility>

namespace quorvex {

namespace {

struct TComplaint {
    TCriteriaPage Page;
    QString Text;
    QString What;
};

// Shows the complaint; true when the user lets the criterion be switched off.
bool AskToDisable(const TComplaint& c, const std::function<void(TCriteriaPage)>& showPage)
{
    if (showPage) showPage(c.Page);
    const int answer = Prompt().Ask(QStringLiteral("Invalid ") + c.What + QStringLiteral(" field"),
                                    c.Text + QStringLiteral("\rWould you like to disable this search criteria?"),
                                    pbYes | pbNo, TPromptIcon::Error, pbYes);
    return answer == pbYes;
}

QString NameWhat(int mode)
{
    switch (mode) {
    case nmMask: return QStringLiteral("file mask");
    case nmExtension: return QStringLiteral("extension");
    case nmFileType: return QStringLiteral("file type");
    default: return QStringLiteral("item name");
    }
}

// The name page's complaint, if any; may switch the mode and rewrite the mask.
bool NameComplaint(TSearchCriteria& c, TComplaint& out)
{
    if ((c.NameMode == nmPartOfName || c.NameMode == nmExact || c.NameMode == nmExtension) &&
        (c.NameText.contains(u'*') || c.NameText.contains(u'?')))
        c.NameMode = nmMask;
    out.Page = TCriteriaPage::Name;
    out.What = NameWhat(c.NameMode);
    if (c.NameMode == nmFileType ? c.FileTypeExtensions.isEmpty() : c.NameText.isEmpty()) {
        out.Text = c.NameMode == nmFileType
                       ? QStringLiteral("You did not enter what file type are you searching for.")
                       : QStringLiteral("You did not enter what name are you searching for.");
        return true;
    }
    if (c.NameMode == nmMask) {
        c.NameText = CleanMask(c.NameText);
        if (c.NameText.isEmpty()) {
            out.Text = QStringLiteral("The DOS File Mask is not valid.");
            return true;
        }
    }
    return false;
}

} // namespace

QString CleanMask(const QString& mask)
{
    QString out;
    for (QChar ch : mask) {
        if (ch == u',' || ch == u'/' || ch == u'\\') continue;
        if ((ch == u'*' || ch == u'?') && out.endsWith(u'*')) continue;
        out += ch;
    }
    return out;
}

bool AnyGroupOn(const TSearchCriteria& c)
{
    return c.ByName || c.ByDesc || c.ByCategory || c.BySize || c.ByDate;
}

bool FindEnabled(const TSearchCriteria& c, bool duplicatesMode, bool searching)
{
    if (searching) return false;
    return duplicatesMode ||
           (AnyGroupOn(c) && (c.SearchForFiles || c.SearchForFolders || c.SearchForDisks));
}

bool ValidateCriteria(TSearchCriteria& c, bool duplicatesMode,
                      const std::function<void(TCriteriaPage)>& showPage)
{
    if (duplicatesMode) c.ByDesc = c.BySize = c.ByDate = false;
    TComplaint complaint;
    if (c.ByName && NameComplaint(c, complaint)) {
        if (!AskToDisable(complaint, showPage)) return false;
        c.ByName = false;
    }
    if (c.ByDesc && c.DescChoice == dcText && c.DescText.isEmpty()) {
        if (!AskToDisable({TCriteriaPage::Description,
                           QStringLiteral("You did not enter what description are you searching for."),
                           QStringLiteral("description")},
                          showPage))
            return false;
        c.ByDesc = false;
    }
    if (c.BySize && c.SizeMode == smNone) {
        if (!AskToDisable({TCriteriaPage::Size, QStringLiteral("You did not select what size are you looking for."),
                           QStringLiteral("size")},
                          showPage))
            return false;
        c.BySize = false;
    }
    if (c.ByDate && c.DateField == dfNone && c.TimeField == dfNone) {
        if (!AskToDisable({TCriteriaPage::Date,
                           QStringLiteral("You did not select what date or time are you looking for."),
                           QStringLiteral("date or time")},
                          showPage))
            return false;
        c.ByDate = false;
    }
    if (!duplicatesMode && !AnyGroupOn(c)) {
        Prompt().Inform(QStringLiteral("No criteria defined"), QStringLiteral("There is no criteria left to search by."),
                        TPromptIcon::Information);
        return false;
    }
    return true;
}

void NormalizeNamePage(TSearchCriteria& c)
{
    if (c.NameMode == nmExtension) c.NameText = NormalizeExtensionText(c.NameText);
}

void NormalizeSizePage(TSearchCriteria& c)
{
    if (!c.SecondSizeVisible()) return;
    if (SizeValueBytes(c.SizeValue2, c.SizeUnits2) < SizeValueBytes(c.SizeValue1, c.SizeUnits1)) {
        std::swap(c.SizeValue1, c.SizeValue2);
        std::swap(c.SizeUnits1, c.SizeUnits2);
    }
}

void NormalizeDatePage(TSearchCriteria& c)
{
    if (c.SecondDateVisible() && c.Date2 < c.Date1) std::swap(c.Date1, c.Date2);
    if (c.SecondTimeVisible() && c.Time2 < c.Time1) std::swap(c.Time1, c.Time2);
}

} // namespace quorvex
