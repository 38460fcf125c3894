// The text helpers of the file layer, each at the edges of what it takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/text_file.h"

TEST(TextFile, Utf8AtTheEdgesOfEachByteRange) {
    struct Case {
        const char* bytes;
        bool utf8;
    } cases[] = {
        {"", true},
        {"\x7F", true},
        {"\x80", false},
        {"\xC1\xBF", false},
        {"\xC2\x80", true},
        {"\xDF\xBF", true},
        {"\xC2", false},
        {"\xC2\x7F", false},
        {"\xC2\xC0", false},
        {"\xE0\x9F\xBF", false},
        {"\xE0\xA0\x80", true},
        {"\xEC\xBF\xBF", true},
        {"\xED\x9F\xBF", true},
        {"\xED\xA0\x80", false},
        {"\xEF\xBF\xBF", true},
        {"\xEF\xBF", false},
        {"\xEF\xBF\x7F", false},
        {"\xF0\x8F\xBF\xBF", false},
        {"\xF0\x90\x80\x80", true},
        {"\xF4\x8F\xBF\xBF", true},
        {"\xF4\x90\x80\x80", false},
        {"\xF5\x80\x80\x80", false},
        {"\xF1\x80\x80\xC0", false},
        {"\xFF", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isUtf8(c.bytes), c.utf8) << testing::PrintToString(std::string(c.bytes));
        // A name that is UTF-8 is shown and held as it stands.
        if (c.utf8) {
            EXPECT_EQ(displayName(c.bytes), c.bytes);
        }
    }
    EXPECT_EQ(charCount("a\xC2\x80\xE3\x81\x82\xF0\x90\x80\x80"), 4u);

    // Eight bytes at a time, and the rest one by one: a high bit anywhere is found.
    for (std::size_t length = 1; length <= 17; ++length) {
        EXPECT_TRUE(isAscii(std::string(length, '\x7F')));
        for (std::size_t at = 0; at < length; ++at) {
            std::string text(length, 'a');
            text[at] = '\x80';
            EXPECT_FALSE(isAscii(text)) << length << " " << at;
        }
    }
}

TEST(TextFile, ConversionsReplaceWhatTheOtherSideLacks) {
    EXPECT_EQ(toCp932("歩a"),
              "\x95\xE0"
              "a");
    EXPECT_EQ(fromCp932("\x95\xE0"
                        "a"),
              "歩a");
    // Each character CP932 lacks is one "?", whatever its length; a stray byte too.
    EXPECT_EQ(toCp932("\xC3\xBF|\xE2\x82\xAC|\xF0\x9F\x98\x80|\xF3\xA0\x80\x81|\x80|歩"),
              "?|?|?|?|?|\x95\xE0");
    EXPECT_EQ(toCp932("\xF3\xA0\x80"), "?");
    // A byte that starts no CP932 character, or a lead byte at the end.
    EXPECT_EQ(fromCp932("\xA0"
                        "a\x95"),
              "\xEF\xBF\xBD"
              "a\xEF\xBF\xBD");
    // Longer than the converter's buffer, in both directions.
    std::string text;
    for (int i = 0; i < 700; ++i) text += "歩";
    EXPECT_EQ(fromCp932(toCp932(text)), text);

    // A name in CP932 is decoded; one in neither keeps its UTF-8 and marks every other byte.
    EXPECT_EQ(displayName("\x95\xE0"), "歩");
    EXPECT_EQ(displayName("\xE3\x81\x82\xFF"), "\xE3\x81\x82\xEF\xBF\xBD");
}

// A name holding a character of the range that stands for kept bytes (U+F780) comes back
// too.
TEST(TextFile, EveryByteOfANameComesBack) {
    for (int b = 0; b < 256; ++b)
        for (const std::string& bytes :
             {std::string(1, char(b)), std::string("a") + char(b) + "\xE3\x81\x82",
              std::string(1, char(b)) + "\xEF\x9E\x80"}) {
            const std::string text = nameText(bytes);
            EXPECT_TRUE(isUtf8(text)) << b;
            EXPECT_EQ(nameBytes(text), bytes) << b;
        }
    // ASCII stands for itself; every other byte alone is a kept byte.
    EXPECT_EQ(nameText("a\x7F"), "a\x7F");
    EXPECT_EQ(nameText("\x80\xFF"), "\xEF\x9E\x80\xEF\x9F\xBF");
}

TEST(TextFile, LinesEndedByAnyMixOfLineEnds) {
    const std::vector<std::string> want = {"a", "", "b", "c", "", "d"};
    for (const char* text : {"a\r\n\r\nb\rc\n\nd", "a\n\nb\r\nc\r\rd\r\n", "a\r\rb\nc\n\r\nd\n"}) {
        LineReader lines(text);
        std::vector<std::string> got;
        for (std::string_view line; lines.next(line);) got.emplace_back(line);
        EXPECT_EQ(got, want) << testing::PrintToString(std::string(text));
    }
    LineReader none("");
    std::string_view line;
    EXPECT_FALSE(none.next(line));
}
