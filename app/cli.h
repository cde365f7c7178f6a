// The command-line queries: the window's own handlers run headless and their
// labels and grids are printed as UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "ui/StringGrid.h"

namespace bushou {

enum CliExit { kExitDone = 0, kExitNoData = 1, kExitUsage = 2 };

// Runs `bushou COMMAND ARGS...` (args excludes the program name). Message boxes
// raised meanwhile are written to err.
int RunCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// The cooperating window's handle as given on the command line: a decimal
// integer that fits 32 bits; nullopt for anything else.
std::optional<std::uint32_t> ParseWindowHandle(std::string_view text);

// True when the arguments ask for the window: none, or one window handle.
bool WantsWindow(std::span<const std::string> args);

// --- helpers shared by the commands ------------------------------------------

void PrintLine(std::u16string_view text, std::ostream& out);
// Every row: its cells from column 0 joined by a tab, trailing empty cells dropped.
void PrintGrid(const ui::TStringGrid& grid, std::ostream& out);

// The commands; args excludes the command name.
int CmdRadicals(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int CmdChars(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int CmdFonts(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int CmdCoverage(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int CmdInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace bushou
