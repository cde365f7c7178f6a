// bushou coverage [--face NAME] [CHAR ...]: the fallback chain of the grid's
// face (or NAME), the number of code points it covers, and per character
// whether it can be drawn.
#include <cstdio>

#include "app/cli.h"
#include "app/mainform.h"
#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/text.h"

namespace bushou {
namespace {

// "U+4E2D" names a code point; anything else stands for its own characters.
bool ParseCodePointName(std::string_view arg, std::uint32_t& code) {
  if (arg.size() < 3 || arg.size() > 8 || (arg[0] != 'U' && arg[0] != 'u') || arg[1] != '+') return false;
  std::uint32_t value = 0;
  for (const char c : arg.substr(2)) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  code = value;
  return true;
}

std::vector<std::uint32_t> CodePoints(const std::string& arg) {
  std::uint32_t code = 0;
  if (ParseCodePointName(arg, code)) return {code};
  std::vector<std::uint32_t> codes;
  const std::u16string text = platform::FromUtf8(arg);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      codes.push_back(0x10000 + ((static_cast<std::uint32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
      ++i;
    } else {
      codes.push_back(c);
    }
  }
  return codes;
}

}  // namespace

int CmdCoverage(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  std::string face;
  std::vector<std::uint32_t> codes;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--face") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        err << "usage: bushou coverage [--face NAME] [CHAR ...]\n";
        return kExitUsage;
      }
      face = args[++i];
    } else {
      for (const std::uint32_t c : CodePoints(args[i])) codes.push_back(c);
    }
  }

  TfMain form;
  try {
    form.CreateCMapDecoder(platform::FromUtf8(face));
  } catch (const Error& e) {
    platform::ShowMessageBox(e.message());
    return kExitNoData;
  }
  const TCMapDataDecoder& decoder = *form.FCMapDecoder;
  if (decoder.Record().empty()) {
    err << "bushou: no installed face named " << platform::ToUtf8(decoder.FaceName()) << "\n";
    return kExitNoData;
  }
  PrintLine(decoder.Description(), out);
  out << decoder.CoveredCount() << "\n";
  for (const std::uint32_t c : codes) {
    char line[32];
    std::snprintf(line, sizeof line, "U+%04X %s", static_cast<unsigned>(c), decoder.IsSupported(c) ? "yes" : "no");
    out << line << "\n";
  }
  return kExitDone;
}

}  // namespace bushou
