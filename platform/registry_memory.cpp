#include "platform/registry_memory.h"

#include <algorithm>

#include "platform/text.h"

namespace bushou::platform {
namespace {

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char16_t x, char16_t y) { return UpperAscii(x) == UpperAscii(y); });
}

// The path's non-empty components between backslashes.
std::vector<std::u16string_view> Components(std::u16string_view path) {
  std::vector<std::u16string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::u16string Join(std::span<const std::u16string_view> parts) {
  std::u16string out;
  for (const std::u16string_view p : parts) {
    if (!out.empty()) out.push_back(u'\\');
    for (const char16_t c : p) out.push_back(UpperAscii(c));
  }
  return out;
}

class MemoryKey : public RegistryKey {
 public:
  explicit MemoryKey(MemoryRegistry::KeyData data) : data_(std::move(data)) {}
  std::vector<std::u16string> ValueNames() const override {
    std::vector<std::u16string> names;
    for (const auto& [name, value] : data_.values) names.push_back(name);
    return names;
  }
  std::vector<std::u16string> SubKeyNames() const override { return data_.subKeys; }
  std::optional<RegistryValue> ReadValue(std::u16string_view name) const override {
    for (const auto& [n, value] : data_.values) {
      if (SameName(n, name)) return value;
    }
    return std::nullopt;
  }

 private:
  MemoryRegistry::KeyData data_;  // a snapshot: the key is read-only
};

}  // namespace

MemoryRegistry::KeyData& MemoryRegistry::Ensure(RegistryRoot root, std::u16string_view path) {
  const auto parts = Components(path);
  KeyData* key = &keys_[{root, std::u16string()}];
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::u16string id = Join(std::span(parts).first(i + 1));
    auto [it, added] = keys_.try_emplace({root, id});
    if (added) {
      it->second.name = std::u16string(parts[i]);
      key->subKeys.push_back(it->second.name);
    }
    key = &it->second;
  }
  return *key;
}

void MemoryRegistry::AddKey(RegistryRoot root, std::u16string_view path) { Ensure(root, path); }

void MemoryRegistry::SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                              RegistryValue value) {
  KeyData& key = Ensure(root, path);
  for (auto& [n, v] : key.values) {
    if (SameName(n, name)) {
      v = std::move(value);
      return;
    }
  }
  key.values.emplace_back(std::u16string(name), std::move(value));
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(RegistryRoot root, std::u16string_view path) {
  const auto parts = Components(path);
  const auto it = keys_.find({root, Join(parts)});
  if (it == keys_.end()) return nullptr;
  return std::make_unique<MemoryKey>(it->second);
}

void MemoryRegistry::SetResolvedFace(std::u16string_view face, std::u16string_view resolved) {
  for (auto& [f, r] : resolved_) {
    if (f == face) {
      r = std::u16string(resolved);
      return;
    }
  }
  resolved_.emplace_back(std::u16string(face), std::u16string(resolved));
}

std::u16string MemoryRegistry::ResolveFace(std::u16string_view face) {
  std::u16string resolved(face);
  for (const auto& [f, r] : resolved_) {
    if (f == face) resolved = r;
  }
  AddLinkedFace(resolved);
  return resolved;
}

void MemoryRegistry::AddLinkedFace(std::u16string_view face) {
  if (std::find(linkedFaces_.begin(), linkedFaces_.end(), face) == linkedFaces_.end()) {
    linkedFaces_.emplace_back(face);
  }
}

}  // namespace bushou::platform
