// The window's life and its event handlers: what happens when it is created
// and shown, when a radical or a character is selected, and when the check
// box changes.
#include "app/mainform.h"
#include "platform/text.h"

namespace bushou {
void TfMain::FormCreate() { CreateCMapDecoder(); }

void TfMain::FormShow() {
  FillRadicalGrid();
  ClearCharGrid();
  FillCharGrid(sgRadical.Cell(1, 0));
}

void TfMain::sgRadicalSelectCell(int col, int row, bool& canSelect) {
  canSelect = true;
  FillCharGrid(sgRadical.Cell(col, row));
  // Select the first character and show it; the listing stands whatever fails here.
  try {
    sgHanzi.SetCol(1);
    sgHanzi.SetRow(0);
    ShowCharDetails(sgHanzi.Cell(1, 0));
  } catch (...) {
  }
}

void TfMain::chkListAllClick() {
  bool canSelect = true;
  sgRadicalSelectCell(sgRadical.Col(), sgRadical.Row(), canSelect);
}

void TfMain::sgHanziSelectCell(int col, int row, bool& canSelect) {
  const std::u16string& text = sgHanzi.Cell(col, row);
  if (platform::TrimBlanks(text).empty()) {
    canSelect = false;
    return;
  }
  ShowCharDetails(text);
}

}  // namespace bushou
