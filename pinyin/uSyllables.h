// Pinyin syllables: the tables of initials and finals, the 16-bit syllable
// code (initial, final, tone set), the tone-marked vowels, and the
// conversions between codes and text. Pure and stateless.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace bushou {

// Bits 0-4 initial index, bits 5-10 final index, bits 11-15 tone set.
using TSyllableCode = std::uint16_t;
// Bit 0 = tone 1 ... bit 3 = tone 4, bit 4 = tone 5 (the neutral tone).
using TToneSet = std::uint8_t;

inline constexpr std::size_t kInitialCount = 24;
inline constexpr std::size_t kFinalCount = 34;
inline constexpr TToneSet kAllTones = 0x1F;

// Index 0 of each table is the empty string: no initial, no final.
extern const std::array<std::u16string_view, kInitialCount> Initials;
extern const std::array<std::u16string_view, kFinalCount> Finals;

struct TToneMark {
  char16_t Marked;  // the precomposed letter
  char16_t Base;    // a, e, i, o, u or v
};
// The 25 marked vowels in storage order: a e i o u with tones 1-4, then the
// u-umlaut group with the bare letter first.
extern const std::array<TToneMark, 25> ToneMarks;

// The set holding just tone t (1..5); empty for any other t.
constexpr TToneSet ToneBit(int tone) {
  return (tone >= 1 && tone <= 5) ? static_cast<TToneSet>(1u << (tone - 1)) : TToneSet{0};
}

// Builds a code from its parts; indexes are masked to their bit widths.
constexpr TSyllableCode MakeSyllableCode(std::uint32_t initial, std::uint32_t fin,
                                         TToneSet tones) {
  return static_cast<TSyllableCode>((initial & 0x1F) | ((fin & 0x3F) << 5) |
                                    (static_cast<std::uint32_t>(tones & kAllTones) << 11));
}
constexpr std::uint32_t SyllableInitial(TSyllableCode code) { return code & 0x1Fu; }
constexpr std::uint32_t SyllableFinal(TSyllableCode code) { return (code >> 5) & 0x3Fu; }
constexpr TToneSet SyllableTones(TSyllableCode code) { return static_cast<TToneSet>(code >> 11); }
constexpr TSyllableCode WithTones(TSyllableCode code, TToneSet tones) {
  return static_cast<TSyllableCode>((code & 0x7FFu) |
                                    (static_cast<std::uint32_t>(tones & kAllTones) << 11));
}
// Same initial and same final; tones do not take part.
constexpr bool SameSyllable(TSyllableCode a, TSyllableCode b) {
  return (a & 0x7FFu) == (b & 0x7FFu);
}

// True when index is a valid table index; text is written only then, and
// only when given.
bool InitialName(std::uint32_t index, std::u16string* text);
bool FinalName(std::uint32_t index, std::u16string* text);
// Exact, case-sensitive look-up; the empty string is index 0.
bool InitialIndex(std::u16string_view text, std::uint32_t* index);
bool FinalIndex(std::u16string_view text, std::uint32_t* index);

// Splits a plain, lower-case syllable ("zhuang" -> 23/28, "er" -> 0/10).
bool ParseSyllable(std::u16string_view text, std::uint32_t* initial, std::uint32_t* fin);

// False (and nothing written) when the initial index is 24 or more or the
// final index 34 or more. tones receives the 5-bit tone set.
bool DecodeSyllable(TSyllableCode code, std::uint32_t* initial, std::uint32_t* fin,
                    TToneSet* tones);
// Initial text + final text, lower case, without tone; text untouched when the
// code does not decode.
bool SyllableText(TSyllableCode code, std::u16string* text, TToneSet* tones);

// The base letter of a marked vowel (u-umlaut and its marked forms give "v");
// any other character unchanged.
char16_t StripToneMark(char16_t ch);

// The syllable written with the mark of tone 1..4 on its vowel, by the usual
// rule (a or e takes it, else the o of "ou", else the last vowel; v is written
// u-umlaut, and the u of "lue"/"nue" too). Tone 5 or a plain without a vowel
// gives the plain text with v written as u-umlaut.
std::u16string MarkedSyllable(std::u16string_view plain, int tone);

// Reads a written syllable, marked ("lüè", "zhōng") or plain ("me", neutral
// tone 5), into its plain spelling and tone. False when the plain spelling is
// not in the initials x finals inventory (m, ng, ê ...). ü and "lüe"/"nüe" are
// spelled "v", "lue" and "nue".
bool ReadMarkedSyllable(std::u16string_view written, std::u16string* plain, int* tone);

}  // namespace bushou
