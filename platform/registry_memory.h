// A registry held in memory: tests put in exactly the keys and values a case
// needs, and the fontconfig backend builds its synthesized keys in one.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace bushou::platform {

class MemoryRegistry : public Registry {
 public:
  // Creates the key (and its parents) when missing.
  void AddKey(RegistryRoot root, std::u16string_view path);
  // Creates the key when missing; replaces a value of the same name in place.
  void SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                RegistryValue value);

  // What ResolveFace answers for face (tests); unmapped faces resolve to themselves.
  void SetResolvedFace(std::u16string_view face, std::u16string_view resolved);
  // The faces AddLinkedFace was told about, in order, without repeats.
  const std::vector<std::u16string>& LinkedFaces() const { return linkedFaces_; }

  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::u16string_view path) override;
  std::u16string ResolveFace(std::u16string_view face) override;
  void AddLinkedFace(std::u16string_view face) override;

  struct KeyData {
    std::u16string name;  // the last path component as first given
    std::vector<std::pair<std::u16string, RegistryValue>> values;  // in insertion order
    std::vector<std::u16string> subKeys;                             // in insertion order
  };

 private:
  KeyData& Ensure(RegistryRoot root, std::u16string_view path);

  // Keyed by root and the path's components, ASCII upper-cased, joined by "\".
  std::map<std::pair<RegistryRoot, std::u16string>, KeyData> keys_;
  std::vector<std::pair<std::u16string, std::u16string>> resolved_;
  std::vector<std::u16string> linkedFaces_;
};

}  // namespace bushou::platform
