#include "app/mainform.h"

namespace bushou {

TfMain::TfMain() {
  // Both grids' header column is 34 pixels wide; the others keep 20.
  sgRadical.SetColWidth(0, 34);
  sgHanzi.SetColWidth(0, 34);
}

}  // namespace bushou
