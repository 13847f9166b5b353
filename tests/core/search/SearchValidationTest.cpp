// The checks before a search and the tidying when the criteria pages are left.
#include "platform/Prompt.h"
#include "search/SearchValidation.h"
#include "search/SizeValue.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

class Validation : public ::testing::Test {
protected:
    void SetUp() override { SetPrompt(&prompt); }
    void TearDown() override { SetPrompt(nullptr); }
    bool Validate(bool duplicates = false)
    {
        return ValidateCriteria(c, duplicates, [this](TCriteriaPage p) { pages.push_back(p); });
    }
    TScriptedPrompt prompt;
    TSearchCriteria c;
    std::vector<TCriteriaPage> pages;
};

} // namespace

TEST_F(Validation, ComplaintsNameTheirFieldAndPage)
{
    struct Case {
        std::function<void(TSearchCriteria&)> set;
        const char* caption;
        const char* text;
        TCriteriaPage page;
    } cases[] = {
        {[](TSearchCriteria& c) { c.ByName = true; }, "Invalid item name field",
         "You did not enter what name are you searching for.", TCriteriaPage::Name},
        {[](TSearchCriteria& c) { c.ByName = true; c.NameMode = nmExtension; }, "Invalid extension field",
         "You did not enter what name are you searching for.", TCriteriaPage::Name},
        {[](TSearchCriteria& c) { c.ByName = true; c.NameMode = nmFileType; }, "Invalid file type field",
         "You did not enter what file type are you searching for.", TCriteriaPage::Name},
        {[](TSearchCriteria& c) { c.ByName = true; c.NameMode = nmMask; c.NameText = ",/\\,"; },
         "Invalid file mask field", "The DOS File Mask is not valid.", TCriteriaPage::Name},
        {[](TSearchCriteria& c) { c.ByDesc = true; }, "Invalid description field",
         "You did not enter what description are you searching for.", TCriteriaPage::Description},
        {[](TSearchCriteria& c) { c.BySize = true; }, "Invalid size field",
         "You did not select what size are you looking for.", TCriteriaPage::Size},
        {[](TSearchCriteria& c) { c.ByDate = true; }, "Invalid date or time field",
         "You did not select what date or time are you looking for.", TCriteriaPage::Date},
    };
    for (const Case& k : cases) {
        c = TSearchCriteria{};
        k.set(c);
        c.ByCategory = true; // something left after Yes
        prompt.Shown.clear();
        pages.clear();
        prompt.Answers = {pbYes};
        EXPECT_TRUE(Validate()) << k.caption;
        ASSERT_EQ(prompt.Shown.size(), 1u) << k.caption;
        EXPECT_EQ(prompt.Shown[0].Caption, QString(k.caption));
        EXPECT_EQ(prompt.Shown[0].Text,
                  QString(k.text) + "\rWould you like to disable this search criteria?");
        EXPECT_EQ(prompt.Shown[0].Buttons, pbYes | pbNo);
        EXPECT_EQ(prompt.Shown[0].Icon, TPromptIcon::Error);
        EXPECT_EQ(pages, std::vector<TCriteriaPage>{k.page});
        EXPECT_FALSE(c.ByName || c.ByDesc || c.BySize || c.ByDate) << "Yes switches the group off";
    }
}

TEST_F(Validation, NoCancelsAndNothingLeftIsRefused)
{
    c.BySize = true;
    prompt.Answers = {pbNo};
    EXPECT_FALSE(Validate());
    EXPECT_TRUE(c.BySize);

    prompt.Shown.clear();
    prompt.Answers = {pbYes};
    EXPECT_FALSE(Validate());
    ASSERT_EQ(prompt.Shown.size(), 2u);
    EXPECT_EQ(prompt.Shown[1].Caption, QString("No criteria defined"));
    EXPECT_EQ(prompt.Shown[1].Text, QString("There is no criteria left to search by."));
}

TEST_F(Validation, WildcardsSwitchToMaskAndTheMaskIsCleaned)
{
    c.ByName = true;
    c.NameText = "a**?b,";
    EXPECT_TRUE(Validate());
    EXPECT_EQ(c.NameMode, nmMask);
    EXPECT_EQ(c.NameText, QString("a*b"));
    EXPECT_TRUE(prompt.Shown.empty());
}

TEST_F(Validation, DuplicatesModeDropsOtherGroupsSilently)
{
    c.ByDesc = c.BySize = c.ByDate = true;
    EXPECT_TRUE(Validate(true));
    EXPECT_FALSE(c.ByDesc || c.BySize || c.ByDate);
    EXPECT_TRUE(prompt.Shown.empty());
}

TEST(SearchPages, FindButtonAndLeavingPages)
{
    TSearchCriteria c;
    EXPECT_FALSE(FindEnabled(c, false, false));
    EXPECT_TRUE(FindEnabled(c, true, false));
    c.ByName = true;
    EXPECT_TRUE(FindEnabled(c, false, false));
    EXPECT_FALSE(FindEnabled(c, false, true));
    c.SearchForFiles = c.SearchForFolders = c.SearchForDisks = false;
    EXPECT_FALSE(FindEnabled(c, false, false));

    c.NameMode = nmExtension;
    c.NameText = "*.TXT, doc";
    NormalizeNamePage(c);
    EXPECT_EQ(c.NameText, QString("TXT,doc"));

    c.SizeMode = smBetween;
    c.SizeValue1 = "10";
    c.SizeUnits1 = suKB;
    c.SizeValue2 = "1";
    c.SizeUnits2 = suKB;
    NormalizeSizePage(c);
    EXPECT_EQ(c.SizeValue1, QString("1"));
    EXPECT_EQ(c.SizeValue2, QString("10"));
    c.SizeValue2 = "2048";
    c.SizeUnits2 = suBytes;
    NormalizeSizePage(c);
    EXPECT_EQ(c.SizeValue1, QString("1"));
    EXPECT_EQ(c.SizeUnits1, int(suKB)) << "2048 bytes is not below 1 KB";

    c.DateOp = doBetween;
    c.Date1 = QDate(2020, 5, 1);
    c.Date2 = QDate(2020, 1, 1);
    c.TimeOp = doNotBetween;
    c.Time1 = QTime(10, 0);
    c.Time2 = QTime(9, 0);
    NormalizeDatePage(c);
    EXPECT_EQ(c.Date1, QDate(2020, 1, 1));
    EXPECT_EQ(c.Time1, QTime(9, 0));
}
