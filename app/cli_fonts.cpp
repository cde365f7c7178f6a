// bushou fonts: the font catalogue, one line per face name: name, tab, file.
#include "app/cli.h"
#include "fonts/uFontUtils.h"
#include "platform/errors.h"
#include "platform/messages.h"

namespace bushou {

int CmdFonts(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    err << "usage: bushou fonts\n";
    return kExitUsage;
  }
  try {
    const TFontTools& fonts = GetFontTools();
    for (const TItem_FontToFile& face : fonts.FaceNames()) {
      PrintLine(face.FaceName + u"\t" + fonts.Files()[static_cast<std::size_t>(face.FileIndex)].FileName, out);
    }
  } catch (const Error& e) {
    platform::ShowMessageBox(e.message());
    return kExitNoData;
  }
  return kExitDone;
}

}  // namespace bushou
