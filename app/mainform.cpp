#include "app/mainform.h"

#include "platform/text.h"

namespace bushou {

std::u16string StrokeGroupLabel(int strokes, int lastGroup) {
  std::u16string label = platform::Widen(std::to_string(strokes));
  if (strokes == lastGroup) label.push_back(u'+');
  return label;
}

TfMain::TfMain() {
  // Both grids' header column is 34 pixels wide; the others keep 20.
  sgRadical.SetColWidth(0, 34);
  sgHanzi.SetColWidth(0, 34);
  sgRadical.OnSelectCell = [this](int col, int row, bool& canSelect) { sgRadicalSelectCell(col, row, canSelect); };
  sgHanzi.OnSelectCell = [this](int col, int row, bool& canSelect) { sgHanziSelectCell(col, row, canSelect); };
  chkListAll.OnClick = [this] { chkListAllClick(); };
}

}  // namespace bushou
