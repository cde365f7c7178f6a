// bushou radicals: the radical grid as the window fills it.
#include "app/cli.h"
#include "app/mainform.h"

namespace bushou {

int CmdRadicals(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    err << "usage: bushou radicals\n";
    return kExitUsage;
  }
  TfMain form;
  form.FillRadicalGrid();
  PrintLine(form.lblLeft.Caption(), out);
  PrintGrid(form.sgRadical, out);
  return form.FBSFile.RadicalCount > 0 && !form.FBSFile.Radicals.empty() ? kExitDone : kExitNoData;
}

}  // namespace bushou
