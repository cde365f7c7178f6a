// bushou info TEXT: the details panel's captions after ShowCharDetails(TEXT).
#include "app/cli.h"
#include "app/mainform.h"
#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/text.h"

namespace bushou {

int CmdInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: bushou info TEXT\n";
    return kExitUsage;
  }
  TfMain form;
  try {
    form.ShowCharDetails(platform::FromUtf8(args[0]));
  } catch (const Error& e) {
    // As the window does with an error it does not handle: a message box.
    platform::ShowMessageBox(e.message());
    return kExitNoData;
  }
  PrintLine(form.lblHZ.Caption(), out);
  PrintLine(form.lblPY.Caption(), out);
  PrintLine(form.lblCode.Caption(), out);
  return kExitDone;
}

}  // namespace bushou
