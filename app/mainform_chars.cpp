// The character grid: a radical's characters in groups by their strokes apart
// from the radical, the drawable ones only unless "列出所有字" is checked.
#include <string>

#include "app/mainform.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace bushou {
namespace {

constexpr int kStrokeGroups = 36;  // the last group holds 35 strokes or more
constexpr int kLastGroup = kStrokeGroups - 1;

bool IsScalarValue(std::uint32_t code) { return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF); }

}  // namespace

std::u16string TfMain::HanziFaceName() { return platform::GetRegistry().ResolveFace(kHanziFontName); }

void TfMain::CreateCMapDecoder(std::u16string_view faceName) {
  std::u16string face(faceName);
  if (face.empty()) {
    face = HanziFaceName();
  } else {
    platform::GetRegistry().AddLinkedFace(face);
  }
  FCMapDecoder = std::make_unique<TCMapDataDecoder>(face);
}

void TfMain::ClearCharGrid() {
  for (int row = 0; row < sgHanzi.RowCount(); ++row) {
    for (int col = 0; col < sgHanzi.ColCount(); ++col) sgHanzi.SetCell(col, row, {});
  }
  sgHanzi.SetRowCount(2);
}

int TfMain::FindRadicalEntry(std::u16string_view radical) const {
  for (std::size_t i = 0; i < FBSFile.Radicals.size(); ++i) {
    if (platform::CodePointText(FBSFile.Radicals[i].Code) == radical) return static_cast<int>(i);
  }
  return -1;
}

void TfMain::FillCharGrid(const std::u16string& radical) {
  ui::TStringGrid& grid = sgHanzi;
  const int lastCol = grid.ColCount() - 1;
  ClearCharGrid();
  const int found = FindRadicalEntry(radical);
  if (found < 0) return;
  const TBSIndexItem entry = FBSFile.Radicals[static_cast<std::size_t>(found)];
  const TBSFile::Range range = FBSFile.CharRange(entry);

  // A code point that is no Unicode scalar value has no text and no glyph: it
  // is never drawable and never listed.
  const auto drawable = [this](std::uint32_t code) {
    if (!IsScalarValue(code)) return false;
    return !FCMapDecoder || FCMapDecoder->IsSupported(code);
  };
  const auto ensureRows = [&grid](int row) {
    if (grid.RowCount() < row + 1) grid.SetRowCount(row + 1);
  };

  std::int64_t supported = entry.CharCount;
  int row = -1;
  for (int s = 0; s < kStrokeGroups; ++s) {
    ++row;
    ensureRows(row);
    grid.SetCell(0, row, StrokeGroupLabel(s, kLastGroup));
    int col = 0;
    for (std::size_t i = range.first; i < range.last; ++i) {
      const TBSDataItem item = FBSFile.Items[i];
      const bool inGroup = s < kLastGroup ? item.ExtraStrokes == s : item.ExtraStrokes >= kLastGroup;
      if (!inGroup) continue;
      if (!drawable(item.Code)) {
        --supported;
        if (!chkListAll.Checked() || !IsScalarValue(item.Code)) continue;
      }
      if (++col > lastCol) {
        col = 1;
        ++row;
        ensureRows(row);
        grid.SetCell(0, row, u" ");  // a continuation row
      }
      grid.SetCell(col, row, platform::CodePointText(item.Code));
    }
    if (col == 0) {  // nothing listed in this group: its row is taken back
      --row;
      if (grid.RowCount() > 1) grid.SetRowCount(grid.RowCount() - 1);
    }
  }
  // Nothing listed at all: the one row left must not carry the last group's label.
  if (row < 0) grid.SetCell(0, 0, {});

  lblRight.SetCaption(u"部首【" + radical + u"】汉字" + platform::Widen(std::to_string(entry.CharCount)) +
                      u"个，系统字体支持" + platform::Widen(std::to_string(supported)) + u"个");
}

}  // namespace bushou
