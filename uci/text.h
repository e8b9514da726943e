// Small text helpers for the command reader: splitting a line into words
// and reading numbers with a range check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Words = std::vector<std::string>;

// The words of a line, split on spaces, tabs, carriage returns and newlines.
Words SplitWords(const std::string& line);

// Words [first, last) joined by single spaces; last is at most words.size(),
// and the text is empty when first is not below last.
std::string JoinWords(const Words& words, std::size_t first, std::size_t last);

// Whether two words are equal ignoring ASCII case.
bool SameWordIgnoringCase(const std::string& a, const std::string& b);

// The word in single quotes for a message: bytes outside printable ASCII
// become '?', and a long word is cut short.
std::string Quoted(const std::string& word);

// Reads word as a whole decimal number from low to high. On failure writes
// "<what> must be a whole number from <low> to <high>, not '<word>'" into error.
bool ParseBoundedNumber(const std::string& word, const char* what, int64_t low, int64_t high,
                        int64_t& value, std::string& error);
