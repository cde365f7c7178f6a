// The built-in code-point lists of the simplified/traditional table, applied
// on every successful load of "hzjf.dat". All ascending, all below U+30000.
#pragma once

#include <cstdint>
#include <span>

namespace bushou {

// The simplified repertoire (ccSimplified). Generated at build time.
std::span<const std::uint32_t> SimplifiedList();
// The traditional repertoire (ccTraditional). Generated at build time.
std::span<const std::uint32_t> TraditionalList();
// Characters that serve as simplified forms and are traditional characters
// too (ccSimplified and ccTraditional); 179 entries, U+4E07 to U+9EBB.
std::span<const std::uint32_t> DualList();
// The CJK ideographs of code page 950, less seven (ccTraditional). Generated
// at build time.
std::span<const std::uint32_t> TraditionalRepertoireList();

}  // namespace bushou
