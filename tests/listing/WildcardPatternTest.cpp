#include "listing/WildcardPattern.h"

#include <gtest/gtest.h>

#include <string>

namespace quiverel {
namespace {

struct MatchCase {
    std::string pattern;
    std::string name;
    bool matches;
};

TEST(WildcardPatternTest, MatchesNamesAsTheTableSays) {
    const MatchCase cases[] = {
        // "*.*" takes every name, with or without a dot.
        {"*.*", "readme", true},
        {"*.*", "a.txt", true},
        {"*.*", ".profile", true},
        {"*", "anything.at.all", true},
        // Letter case of ASCII letters does not matter, on either side.
        {"*.TXT", "a.txt", true},
        {"*.txt", "NOTES.TxT", true},
        {"A?C.doc", "abc.DOC", true},
        // Other letters are compared exactly.
        {"É.txt", "é.txt", true},
        {"ü*", "Ünï.TXT", true},
        {"ＡＢＣ.*", "ａｂｃ.txt", true},
        {"I?", "ıü", true},
        {"é.txt", "é.txt", true},
        // A literal extension must end the name.
        {"*.txt", "a.txt.bak", false},
        {"*.txt", "a.txt", true},
        {"*.txt", ".txt", true},
        {"*.txt", "txt", false},
        // "?" is exactly one character, multi-byte ones included.
        {"?.txt", "a.txt", true},
        {"?.txt", ".txt", false},
        {"?.txt", "ab.txt", false},
        {"?.txt", "ｶ.txt", true},
        {"?.txt", "\xF0\x9F\x93\x81.txt", true},
        {"??.txt", "漢字.txt", true},
        {"?", "\uFFFD", true},
        // "*" takes any run, the empty one too.
        {"a*b*c", "abc", true},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYYcd", false},
        {"*ab", "aab", true},
        {"*ab*", "xxaxxabyy", true},
        {"*漢*", "ab漢字.txt", true},
        // A part ending in ".*" also takes a name without a dot that the rest matches whole.
        {"read*.*", "README", true},
        {"read*.*", "readme.md", true},
        {"read*.*", "thread", false},
        {"data.*", "data", true},
        {"data.*", "data.csv", true},
        {"data.*", "database", false},
        {"data.*", "data.x.y", true},
        {"a?.*", "ab", true},
        // Several parts: any one of them.
        {"*.txt;*.md", "x.md", true},
        {"*.txt;*.md", "x.txt", true},
        {"*.txt;*.md", "x.cpp", false},
        {"  *.txt \t;\t *.md  ", "x.md", true},
        {" *.txt ; ; *.md ;", "x.txt", true},
        {"*.txt;;", "y.TXT", true},
        // Blanks inside a part are part of the name.
        {"my *.txt", "my notes.txt", true},
        {"my *.txt", "mynotes.txt", false},
    };
    for (const auto& c : cases) {
        const auto pattern = WildcardPattern::parse(c.pattern);
        ASSERT_TRUE(pattern.has_value()) << c.pattern;
        EXPECT_EQ(pattern->matches(c.name), c.matches) << '"' << c.pattern << "\" / " << c.name;
    }
}

TEST(WildcardPatternTest, BlankPatternsMatchEveryName) {
    for (const char* blank : {"", ";", " ", " \t ", " ; ;\t"}) {
        const auto pattern = WildcardPattern::parse(blank);
        ASSERT_TRUE(pattern.has_value()) << '"' << blank << '"';
        for (const char* name : {"a.txt", "readme", ".profile", "漢字"}) {
            EXPECT_TRUE(pattern->matches(name)) << '"' << blank << "\" / " << name;
        }
    }
}

TEST(WildcardPatternTest, RefusesPatternsThatCanNeverMatchAName) {
    const std::string unusable[] = {
        "*/x", "a.txt;sub/*.txt", " ; /", std::string("a\0b", 3), std::string(";\0", 2),
    };
    for (const auto& text : unusable) {
        EXPECT_FALSE(WildcardPattern::parse(text).has_value()) << '"' << text << '"';
    }
}

TEST(WildcardPatternTest, HostilePatternEndsPromptly) {
    // Trying every split of the name between the stars would take ages; the answer must come
    // from work proportional to pattern times name length.
    const auto pattern = WildcardPattern::parse("*a*a*a*a*a*a*a*a*a*a*a*a*b");
    ASSERT_TRUE(pattern.has_value());
    const std::string longName(100000, 'a');
    EXPECT_FALSE(pattern->matches(longName));
    EXPECT_TRUE(pattern->matches(longName + "b"));
}

} // namespace
} // namespace quiverel
