// The read-only registry the font catalogue asks for the installed fonts and the
// system's font fallback settings. Two backends: on Linux the keys are
// synthesized from fontconfig (registry_fontconfig.cpp), and tests fill an
// in-memory registry (registry_memory.h) with exactly the keys a case needs.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bushou::platform {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// The value types the font settings use, numbered as the registry numbers them.
enum class RegistryType : std::uint32_t {
  None = 0,
  String = 1,        // UTF-16LE text ended by a zero unit
  ExpandString = 2,  // as String
  Binary = 3,
  DWord = 4,         // 32-bit little-endian
  MultiString = 7,   // UTF-16LE texts, each ended by a zero unit, then one more zero unit
};

struct RegistryValue {
  RegistryType type = RegistryType::None;
  std::vector<std::uint8_t> data;  // the raw bytes, as the registry hands them out

  static RegistryValue String(std::u16string_view text);
  static RegistryValue MultiString(std::span<const std::u16string> texts);
  static RegistryValue DWord(std::uint32_t value);
  static RegistryValue Raw(RegistryType type, std::vector<std::uint8_t> data);

  // The text up to the first zero unit; nullopt unless a (expandable) string.
  std::optional<std::u16string> AsString() const;
  // nullopt unless a DWORD of 4 bytes.
  std::optional<std::uint32_t> AsDWord() const;
};

// An open key. Names are matched with ASCII letters caseless, as the registry does.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Value and subkey names in the order the registry enumerates them.
  virtual std::vector<std::u16string> ValueNames() const = 0;
  virtual std::vector<std::u16string> SubKeyNames() const = 0;
  // nullopt when the key has no value of that name.
  virtual std::optional<RegistryValue> ReadValue(std::u16string_view name) const = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens root\path for reading; a leading backslash is allowed. nullptr when
  // there is no such key.
  virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::u16string_view path) = 0;

  // The full name of the face that actually draws Han text set in `face`, which
  // the font-link settings then cover (see AddLinkedFace). On Linux fontconfig
  // decides; without such a service the face itself.
  virtual std::u16string ResolveFace(std::u16string_view face);
  // Makes the font-link settings (SystemLink) cover `face`. Call before the font
  // catalogue is built: it reads the settings once.
  virtual void AddLinkedFace(std::u16string_view face);
};

// The registry the program reads: on first use the system's one (Linux:
// synthesized from fontconfig).
Registry& GetRegistry();
// Replaces the process's registry (tests); returns the one replaced, which may
// be null. An empty argument restores the system's on next use.
std::unique_ptr<Registry> SetRegistry(std::unique_ptr<Registry> registry);
// The system's registry backend.
std::unique_ptr<Registry> CreateSystemRegistry();

// --- The keys of the font settings -------------------------------------------

inline constexpr std::u16string_view kFontsKey = u"\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr std::u16string_view kLanguagePackKey =
    u"\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\LanguagePack";
inline constexpr std::u16string_view kSurrogateFallbackKey =
    u"\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\LanguagePack\\SurrogateFallback";
inline constexpr std::u16string_view kSystemLinkKey =
    u"\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
// Under HKEY_CLASSES_ROOT, followed by the code page in decimal.
inline constexpr std::u16string_view kCodepageKeyPrefix = u"\\MIME\\Database\\Codepage\\";

}  // namespace bushou::platform
