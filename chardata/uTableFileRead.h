// Reading a character table's file whole, for the tables' LoadFromFile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bushou {

// The bytes of a file the caller has found (by its size test). A file that
// cannot be read after all, or has grown beyond maxSize meanwhile, raises
// bushou::Error: an unexpected failure, which the table holder reports.
std::vector<std::uint8_t> ReadTableFile(const std::u16string& path, std::uint64_t maxSize);

}  // namespace bushou
