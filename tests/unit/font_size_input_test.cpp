// What a size typed into the Font Size dialog stands for, and what its list offers.
#include <gtest/gtest.h>

#include "app/font_size_input.h"

namespace zelvo {
namespace {

TEST(FontSizeInput, NumbersFromOneTo600AndTheFiveNamesAreSizes) {
    EXPECT_EQ(ParseFontSizeInput("1"), 1);
    EXPECT_EQ(ParseFontSizeInput("600"), 600);
    EXPECT_EQ(ParseFontSizeInput(" 13\t"), 13);
    EXPECT_EQ(ParseFontSizeInput("0600"), 600);
    EXPECT_EQ(ParseFontSizeInput("Small"), 8);
    EXPECT_EQ(ParseFontSizeInput("Smaller"), 10);
    EXPECT_EQ(ParseFontSizeInput("Normal"), 12);
    EXPECT_EQ(ParseFontSizeInput("Larger"), 16);
    EXPECT_EQ(ParseFontSizeInput("Large"), 24);
}

TEST(FontSizeInput, AnythingElseIsNoSize) {
    for (const char* text : {"", " ", "0", "601", "-5", "+5", "12pt", "1 2", "4294967308", "99999999999", "large"})
        EXPECT_EQ(ParseFontSizeInput(text), std::nullopt) << text;
}

TEST(FontSizeInput, TheListHasTheNamesThenTheTableSizes) {
    const std::vector<FontSizeItem> items = FontSizeItems();
    ASSERT_EQ(items.size(), 25u);
    EXPECT_EQ(items[0].text, "Small");
    EXPECT_EQ(items[0].points, 8);
    EXPECT_EQ(items[4].text, "Large");
    EXPECT_EQ(items[4].points, 24);
    EXPECT_EQ(items[5].text, "6");
    EXPECT_EQ(items[24].text, "120");
    // Every entry of the list is accepted back as its own size.
    for (const FontSizeItem& item : items) EXPECT_EQ(ParseFontSizeInput(item.text), item.points) << item.text;
}

}  // namespace
}  // namespace zelvo
