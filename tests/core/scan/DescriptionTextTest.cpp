#include "scan/DescriptionText.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(DescriptionText, CleaningTrimsLinesAndMapsBoxCharacters)
{
    struct Case { std::string in, out; };
    const std::string eof(1, '\x1A'), ff(1, '\xFF');
    for (const Case& c : std::vector<Case>{
             {"  hello \t", "hello"},
             {"one\rtwo\ntree\r\nfour\n\rfive", "one\r\ntwo\r\ntree\r\nfour\r\nfive"},
             {"top\r\n   \r\nbottom" + eof, "top\r\n \r\nbottom"},
             {"text\r\n\r\n \t" + ff + "\r\n", "text"},
             {"\xC9\xCD\xBB\r\n\xBA x \xBA\r\n\xC8\xCD\xBC", "+-+\r\n| x |\r\n+-+"},
             {"\xFA\xF9\xB0", "\xB7\x95#"},
         })
        EXPECT_EQ(CleanDescription(c.in), c.out) << c.in;
    EXPECT_EQ(MapBoxCharacters("  \xC4 "), "  - ") << "comments keep their blanks";
}

TEST(DescriptionText, WrapsAt50Columns)
{
    const std::string longWord(120, 'x');
    EXPECT_EQ(WrapDescription(longWord, 0), std::string(50, 'x') + "\r\n" + std::string(50, 'x') + "\r\n" + std::string(20, 'x'));
    bool truncated = false;
    EXPECT_EQ(WrapDescription(longWord, 2, &truncated), std::string(50, 'x') + "\r\n" + std::string(50, 'x'));
    EXPECT_TRUE(truncated);

    std::string words;
    for (int i = 0; i < 12; ++i) words += "word" + std::to_string(i) + " ";
    const std::string wrapped = WrapDescription(words, 0);
    const size_t firstBreak = wrapped.find("\r\n");
    ASSERT_NE(firstBreak, std::string::npos);
    EXPECT_LE(firstBreak, 51u);
    EXPECT_EQ(wrapped[firstBreak + 2], words[firstBreak]) << "the break character begins the next line";
    EXPECT_EQ(WrapDescription("short", 1), "short");
}
