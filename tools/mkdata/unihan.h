// Reading Debian's unicode-data files (Unihan, CJKRadicals.txt, DerivedAge.txt)
// for the data generators. Plain or bzip2-compressed text.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bushou::mkdata {

// The whole file as text; a name ending in ".bz2" is decompressed. Exits the
// generator with a message when the file cannot be read.
std::string ReadTextFile(const std::string& path);

// Calls fn for every line of text, without its line break ("\n" or "\r\n").
void ForEachLine(std::string_view text, const std::function<void(std::string_view line)>& fn);

// Splits at runs of blanks and tabs.
std::vector<std::string_view> SplitBlanks(std::string_view text);

// Calls fn for each "U+XXXX<TAB>kField<TAB>value" line whose field is wanted.
void ForEachUnihanValue(const std::string& path, const std::vector<std::string_view>& fields,
                        const std::function<void(char32_t code, std::string_view field,
                                                 std::string_view value)>& fn);

// All values of one field, by code point.
std::map<char32_t, std::string> ReadUnihanField(const std::string& path, std::string_view field);

// "U+4E2D" or "4E2D" to 0x4E2D; 0xFFFFFFFF when it is not hexadecimal.
char32_t ParseCodePoint(std::string_view text);

// Writes bytes to path, creating its folder; exits with a message on failure.
void WriteOutputFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Prints "mkdata: message" and exits with status 1.
[[noreturn]] void Fail(const std::string& message);

// The value of "--name VALUE" in argv, or fallback.
std::string Option(int argc, char** argv, std::string_view name, std::string fallback = {});

// The folder of the unicode-data files: --unicode DIR, else Debian's place.
std::string UnicodeDir(int argc, char** argv);
// The value of "--name VALUE"; fails with the usage text when it is missing.
std::string RequiredOption(int argc, char** argv, std::string_view name, const std::string& usage);

}  // namespace bushou::mkdata
