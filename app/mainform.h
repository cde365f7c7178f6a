// The main window TfMain: its components and handlers, as plain state. The
// command line and the tests drive the very handlers the window runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "chardata/uBSData.h"
#include "fonts/uCMapDecoder.h"
#include "ui/Controls.h"
#include "ui/StringGrid.h"

namespace bushou {

// The label of a grid's stroke group: its stroke count, with "+" on the last
// group, which also holds every larger count.
std::u16string StrokeGroupLabel(int strokes, int lastGroup);

class TfMain {
 public:
  TfMain();
  TfMain(const TfMain&) = delete;
  TfMain& operator=(const TfMain&) = delete;

  // Radical grid: copies the radical index into FBSFile and lists its radicals
  // in stroke groups 1 to 14+.
  void FillRadicalGrid();

  // Window life (mainform_events.cpp). FormCreate builds the coverage reader
  // for the grid's face; its error goes to the caller, and the window then
  // works without one. FormShow fills the radical grid and lists the first
  // radical's characters.
  void FormCreate();
  void FormShow();
  // Event handlers, connected to the components by the constructor.
  // A radical cell is about to become current: list its characters, select
  // the first and show it in the details panel (failures there are ignored).
  void sgRadicalSelectCell(int col, int row, bool& canSelect);
  // The check box changed: list the current radical again.
  void chkListAllClick();
  // A character cell is about to become current: empty cells are refused,
  // others are shown in the details panel, whose error goes to the caller
  // (and the cell does not become current).
  void sgHanziSelectCell(int col, int row, bool& canSelect);

  // Character grid (mainform_chars.cpp).
  // The face sgHanzi is designed for; the system's font matching resolves it
  // to the face that actually draws the grid (HanziFaceName).
  static constexpr std::u16string_view kHanziFontName = u"新宋体";
  static std::u16string HanziFaceName();
  // Creation step: FCMapDecoder for faceName, or for the grid's face when
  // faceName is empty. May take a while the first time (the font catalogue is
  // built); errors propagate and leave FCMapDecoder as it was.
  void CreateCMapDecoder(std::u16string_view faceName = {});
  // Empties every cell of sgHanzi and leaves it 2 rows.
  void ClearCharGrid();
  // Lists the characters of the radical whose text is `radical` in stroke
  // groups 0 to 35+, the drawable ones only unless chkListAll is checked, and
  // sets lblRight. An unknown radical leaves the grid empty and lblRight as it was.
  void FillCharGrid(const std::u16string& radical);
  // Index of the first radical entry of FBSFile whose text is `radical`, or -1.
  int FindRadicalEntry(std::u16string_view radical) const;

  // Details panel: shows the character that text begins with (text trimmed of
  // spaces and control characters) in lblHZ, its readings in lblPY and its code
  // point in lblCode. An empty trimmed text changes nothing; one that does not
  // begin with a whole code point leaves the three labels blank. The first call
  // creates the character tables (GetChineseChars); when that raises, the
  // labels are blank and the error goes to the caller.
  void ShowCharDetails(const std::u16string& text);
  // Sets the captions of lblHZ, lblPY and lblCode to the empty text.
  void ClearDetails();

  // Top panel.
  ui::TLabel lblLeft{u"偏旁部首："};
  ui::TLabel lblRight{u"汉字(按笔划排序)："};
  ui::TCheckBox chkListAll{u"列出所有字"};
  // Bottom panel: the details of the selected character.
  ui::TLabel lblHZ{u"一"};
  ui::TLabel lblPinYin{u"拼音："};
  ui::TLabel lblPY{u"yi"};
  ui::TLabel lblInnerCode{u"内码："};
  ui::TLabel lblCode{u"8140 (GBK大字符集)"};
  // The two grids.
  ui::TStringGrid sgRadical{10, 36};
  ui::TStringGrid sgHanzi{14, 2};

  // The cooperating window given on the command line, 0 when none.
  std::uint32_t FTargetWnd = 0;
  // The window's copy of the radical index record.
  TBSFile FBSFile;
  // Coverage reader for sgHanzi's face; without one every character counts as drawable.
  std::unique_ptr<TCMapDataDecoder> FCMapDecoder;
};

}  // namespace bushou
