#include "platform/registry.h"

namespace bushou::platform {
namespace {

void AppendUnits(std::vector<std::uint8_t>& out, std::u16string_view text) {
  for (const char16_t c : text) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
}

std::unique_ptr<Registry>& Instance() {
  static std::unique_ptr<Registry> instance;
  return instance;
}

}  // namespace

RegistryValue RegistryValue::String(std::u16string_view text) {
  RegistryValue v{RegistryType::String, {}};
  AppendUnits(v.data, text);
  return v;
}

RegistryValue RegistryValue::MultiString(std::span<const std::u16string> texts) {
  RegistryValue v{RegistryType::MultiString, {}};
  for (const std::u16string& t : texts) AppendUnits(v.data, t);
  AppendUnits(v.data, {});
  return v;
}

RegistryValue RegistryValue::DWord(std::uint32_t value) {
  RegistryValue v{RegistryType::DWord, {}};
  for (int shift = 0; shift < 32; shift += 8) v.data.push_back(static_cast<std::uint8_t>(value >> shift));
  return v;
}

RegistryValue RegistryValue::Raw(RegistryType type, std::vector<std::uint8_t> data) {
  return RegistryValue{type, std::move(data)};
}

std::optional<std::u16string> RegistryValue::AsString() const {
  if (type != RegistryType::String && type != RegistryType::ExpandString) return std::nullopt;
  std::u16string text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

std::optional<std::uint32_t> RegistryValue::AsDWord() const {
  if (type != RegistryType::DWord || data.size() != 4) return std::nullopt;
  return static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
         (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

std::u16string Registry::ResolveFace(std::u16string_view face) { return std::u16string(face); }

void Registry::AddLinkedFace(std::u16string_view) {}

Registry& GetRegistry() {
  auto& instance = Instance();
  if (!instance) instance = CreateSystemRegistry();
  return *instance;
}

std::unique_ptr<Registry> SetRegistry(std::unique_ptr<Registry> registry) {
  std::unique_ptr<Registry> old = std::move(Instance());
  Instance() = std::move(registry);
  return old;
}

}  // namespace bushou::platform
