#include "uci/text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

Words SplitWords(const std::string& line) {
    Words words;
    std::string current;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!current.empty()) words.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) words.push_back(current);
    return words;
}

std::string JoinWords(const Words& words, std::size_t first, std::size_t last) {
    std::string joined;
    for (std::size_t i = first; i < last; ++i) {
        if (!joined.empty()) joined += ' ';
        joined += words[i];
    }
    return joined;
}

bool SameWordIgnoringCase(const std::string& a, const std::string& b) {
    const auto same = [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

std::string Quoted(const std::string& word) {
    constexpr std::size_t LONGEST = 40;
    std::string shown = "'";
    for (std::size_t i = 0; i < word.size() && i < LONGEST; ++i) {
        const char c = word[i];
        shown += c >= ' ' && c <= '~' ? c : '?';
    }
    if (word.size() > LONGEST) shown += "...";
    return shown + "'";
}

bool ParseBoundedNumber(const std::string& word, const char* what, int64_t low, int64_t high,
                        int64_t& value, std::string& error) {
    int64_t parsed = 0;
    const char* begin = word.data();
    const char* end = begin + word.size();
    // from_chars takes no leading '+'; a number written "+5" is still a number.
    if (end - begin > 1 && *begin == '+' && begin[1] != '-') ++begin;
    const auto result = std::from_chars(begin, end, parsed);
    if (result.ec != std::errc() || result.ptr != end || parsed < low || parsed > high) {
        error = std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                std::to_string(high) + ", not " + Quoted(word);
        return false;
    }
    value = parsed;
    return true;
}
