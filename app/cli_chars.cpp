// bushou chars RADICAL [--all] [--face NAME]: the character grid as the window
// fills it for that radical.
#include "app/cli.h"
#include "app/mainform.h"
#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/text.h"

namespace bushou {

int CmdChars(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  std::string radical, face;
  bool all = false, usage = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--all") {
      all = true;
    } else if (args[i] == "--face" && i + 1 < args.size()) {
      face = args[++i];
    } else if (radical.empty() && !args[i].empty() && args[i][0] != '-') {
      radical = args[i];
    } else {
      usage = true;
    }
  }
  if (usage || radical.empty()) {
    err << "usage: bushou chars RADICAL [--all] [--face NAME]\n";
    return kExitUsage;
  }

  TfMain form;
  try {
    form.CreateCMapDecoder(platform::FromUtf8(face));
  } catch (const Error& e) {
    // As in the window: the message is shown and every character counts as drawable.
    platform::ShowMessageBox(e.message());
  }
  form.FillRadicalGrid();
  if (form.FBSFile.Radicals.empty()) return kExitNoData;
  const std::u16string text = platform::FromUtf8(radical);
  if (form.FindRadicalEntry(text) < 0) {
    err << "bushou: no radical " << radical << "\n";
    return kExitUsage;
  }
  form.chkListAll.SetChecked(all);
  form.FillCharGrid(text);
  PrintLine(form.lblRight.Caption(), out);
  PrintGrid(form.sgHanzi, out);
  return kExitDone;
}

}  // namespace bushou
