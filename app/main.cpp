#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "chardata/uCommonFuns.h"
#ifdef BUSHOU_HAVE_WINDOW
#include "app/window/MainWindow.h"
#endif

int main(int argc, char** argv) {
  bushou::BuildCharSetTable();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!bushou::WantsWindow(args)) return bushou::RunCommandLine(args, std::cout, std::cerr);
  // The cooperating window's handle, when given (WantsWindow checked it).
  const std::uint32_t target = args.empty() ? 0u : bushou::ParseWindowHandle(args[0]).value_or(0u);
#ifdef BUSHOU_HAVE_WINDOW
  return bushou::RunWindow(argc, argv, target);
#else
  (void)target;
  std::cerr << "bushou: built without the window (BUSHOU_GUI=OFF); use one of the commands.\n";
  bushou::RunCommandLine({}, std::cout, std::cerr);
  return bushou::kExitUsage;
#endif
}
