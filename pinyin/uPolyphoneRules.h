// Polyphone exception rules: the rule records, the rule text and its sources
// (the built-in text, or "SyExEx.txt" beside the executable), and the line
// splitter. THZPY::BuildRules builds the index from them.
//
// A rule line is: one character at the very start, a tab or space, a pinyin
// syllable (plain or tone-marked), and optionally a third field: the mark "A"
// or "X", or a context word that may begin with "^" and end with "$". Lines
// beginning with "#" or ";" are comments.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pinyin/uCodePoints.h"
#include "platform/bytes.h"

namespace bushou {

enum TContextFlag : std::uint8_t {
  cfStartMark = 1,    // written with a leading "^"
  cfEndMark = 2,      // written with a trailing "$"
  cfNoReading = 0x80, // a character of the word has no reading in the table
};

struct TContextWord {
  std::u16string Word;  // without its marks
  std::uint8_t Flags = 0;
  friend bool operator==(const TContextWord&, const TContextWord&) = default;
};

// The rules of one character. Slots 1..7 follow the character's readings.
struct TPolyphoneRule {
  std::array<std::optional<std::vector<TContextWord>>, 8> Contexts;  // [1..7]
  std::uint8_t Count = 0;     // the character's readings when the rules were built
  std::uint8_t HasGroup = 0;  // bit i: slot i has a group
  std::uint8_t MarkedA = 0;   // bit i: slot i's head line was marked "A" or "X"
  std::uint8_t MarkedX = 0;   // bit i: slot i's head line was marked "X"
};

// Splits a line into up to three fields at runs of tabs and spaces. A line
// of two fields gives 3 with f3 empty; callers test f3, not the count.
// The field separators of a rule line: tab and space.
bool IsRuleBlank(std::uint32_t code);

std::int32_t SplitFields(const TCodePointArray& codes, std::u16string& f1, std::u16string& f2,
                         std::u16string* f3);

// Rule text file bytes as lines: a UTF-8 or UTF-16 (either byte order) byte
// order mark selects that encoding; without one, valid UTF-8 is read as UTF-8
// and anything else in the ANSI code page (936). Lines end at CR LF, LF or CR.
std::vector<std::u16string> DecodeRuleText(platform::Bytes bytes);
std::vector<std::u16string> SplitLines(std::u16string_view text);

inline constexpr std::uint32_t kMaxRuleFileSize = 0x40000;
// "SyExEx.txt" in the executable's folder.
std::u16string RuleFilePath();
// The lines of a rule file of at most 262,144 bytes; nullopt when it is
// missing, larger, or cannot be read.
std::optional<std::vector<std::u16string>> ReadRuleFile(const std::u16string& path);

// The rule text that ships with the program (UTF-8) and its lines.
std::string_view BuiltInRulesText();
const std::vector<std::u16string>& BuiltInRules();

}  // namespace bushou
