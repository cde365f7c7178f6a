#include "app/cli.h"

#include <array>

#include "platform/messages.h"
#include "platform/text.h"

namespace bushou {
namespace {

struct Command {
  std::string_view name;
  std::string_view usage;
  int (*run)(std::span<const std::string>, std::ostream&, std::ostream&);
};

constexpr std::array kCommands{
    Command{"radicals", "bushou radicals", CmdRadicals},
    Command{"chars", "bushou chars RADICAL [--all] [--face NAME]", CmdChars},
    Command{"coverage", "bushou coverage [--face NAME] [CHAR ...]", CmdCoverage},
    Command{"fonts", "bushou fonts", CmdFonts},
    Command{"info", "bushou info TEXT", CmdInfo},
};

void PrintUsage(std::ostream& err) {
  err << "usage: bushou [WINDOW-HANDLE]\n";
  for (const Command& c : kCommands) err << "       " << c.usage << "\n";
}

// Routes message boxes to the command's error stream while it runs.
class MessagesTo {
 public:
  explicit MessagesTo(std::ostream& err)
      : old_(platform::SetMessageSink([&err](std::u16string_view caption, std::u16string_view text,
                                             platform::MessageIcon) {
          err << platform::ToUtf8(caption) << ": " << platform::ToUtf8(text) << "\n";
        })) {}
  ~MessagesTo() { platform::SetMessageSink(std::move(old_)); }
  MessagesTo(const MessagesTo&) = delete;
  MessagesTo& operator=(const MessagesTo&) = delete;

 private:
  platform::MessageSink old_;
};

}  // namespace

std::optional<std::uint32_t> ParseWindowHandle(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

bool WantsWindow(std::span<const std::string> args) {
  return args.empty() || (args.size() == 1 && ParseWindowHandle(args[0]));
}

int RunCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    for (const Command& c : kCommands) {
      if (args[0] == c.name) {
        MessagesTo redirect(err);
        return c.run(args.subspan(1), out, err);
      }
    }
    err << "bushou: unknown command '" << args[0] << "'\n";
  }
  PrintUsage(err);
  return kExitUsage;
}

void PrintLine(std::u16string_view text, std::ostream& out) { out << platform::ToUtf8(text) << "\n"; }

void PrintGrid(const ui::TStringGrid& grid, std::ostream& out) {
  for (int row = 0; row < grid.RowCount(); ++row) {
    int last = grid.ColCount() - 1;
    while (last >= 0 && grid.Cell(last, row).empty()) --last;
    std::u16string line;
    for (int col = 0; col <= last; ++col) {
      if (col > 0) line.push_back(u'\t');
      line += grid.Cell(col, row);
    }
    PrintLine(line, out);
  }
}

}  // namespace bushou
