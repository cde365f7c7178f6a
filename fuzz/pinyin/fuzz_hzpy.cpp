// The pinyin table file parser over arbitrary bytes, then the lookups, the
// rule index and the save side over whatever loaded.
//
// Input: one control byte, then the file image. Control bit 0: load it as
// scrambled; bit 1: write the right checksum into the image first, so that
// mutations reach the parts behind the checksum.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "pinyin/uHZ_PY.h"
#include "pinyin/uTableFile.h"

namespace {

bushou::THZPY& Table() {
  static const std::unique_ptr<bushou::THZPY> table = std::make_unique<bushou::THZPY>();
  return *table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bushou;
  if (size == 0) return 0;
  const bool scrambled = (data[0] & 1) != 0;
  std::vector<std::uint8_t> image(data + 1, data + size);
  if ((data[0] & 2) != 0 && image.size() >= 16) {
    const std::uint32_t sum = TableChecksum(std::span<const std::uint8_t>(image).subspan(16));
    for (std::size_t k = 0; k < 4; ++k) image[12 + k] = static_cast<std::uint8_t>(sum >> (8 * k));
  }

  THZPY& table = Table();
  if (table.LoadFromImage(image, scrambled) != TPinyinParseResult::Ok) return 0;

  std::size_t sum = 0;
  const std::int32_t readings = table.ReadingCount();
  for (std::int32_t i = 0; i < readings && i < 64; ++i) {
    sum += table.GetPinyinText(table.Reading(i).Code, u';').size();
  }
  for (std::int32_t j = 0; j < table.SyllableCount(); ++j) {
    const TSyllableInfo& s = table.Syllable(j);
    std::u16string plain;
    sum += table.FindSyllable(s.Plain, &plain, nullptr, true) ? plain.size() : 0;
    sum += table.FindSyllable(s.Toned[1], &plain) ? 1u : 0u;
  }
  table.BuildRules({u"\u4E50\tyue\tA", u"\u4E50\tyue\t^\u4E50\u5668$", u"\u4E2D\tzhong"});
  // Edit and save in memory once in a while: the save side walks every table.
  if (readings > 0 && (data[0] & 4) != 0) {
    TPinyinReading entry = table.Reading(0);
    std::uint8_t status = 0;
    table.DeleteEntry(&entry, &status);
    table.AddEntry(&entry, &status);
    sum += table.BuildFileImage(scrambled).size();
  }
  return sum == 1 ? 1 : 0;
}
