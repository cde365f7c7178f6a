// The radical grid: radicals grouped by their own stroke count.
#include <string>

#include "app/mainform.h"
#include "platform/text.h"

namespace bushou {
namespace {

constexpr int kRadicalGridMinRows = 17;
constexpr int kRadicalGroups = 14;  // the last group holds 14 strokes or more
constexpr int kRadicalsPerRow = 9;  // columns 1..9

}  // namespace

void TfMain::FillRadicalGrid() {
  GetBSData().GetData(FBSFile);
  lblLeft.SetCaption(u"偏旁部首：共" + platform::Widen(std::to_string(FBSFile.RadicalCount)) + u"个");

  ui::TStringGrid& grid = sgRadical;
  grid.SetRowCount(kRadicalGridMinRows);
  const auto ensureRows = [&grid](int row) {
    if (grid.RowCount() < row + 1) grid.SetRowCount(row + 1);
  };
  int row = -1;
  for (int s = 1; s <= kRadicalGroups; ++s) {
    ++row;
    ensureRows(row);
    grid.SetCell(0, row, StrokeGroupLabel(s, kRadicalGroups));
    int col = 0;
    for (std::size_t i = 0; i < FBSFile.Radicals.size(); ++i) {
      const TBSIndexItem radical = FBSFile.Radicals[i];
      const bool inGroup = s < kRadicalGroups ? radical.Strokes == s : radical.Strokes >= s;
      if (!inGroup) continue;
      if (++col > kRadicalsPerRow) {
        col = 1;
        ++row;
        ensureRows(row);  // a continuation row: its label cell stays empty
      }
      grid.SetCell(col, row, platform::CodePointText(radical.Code));
    }
  }
}

}  // namespace bushou
