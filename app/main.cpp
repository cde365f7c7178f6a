#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "chardata/uCommonFuns.h"

int main(int argc, char** argv) {
  bushou::BuildCharSetTable();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (bushou::WantsWindow(args)) {
    std::cerr << "bushou: this build has no window yet; use one of the commands.\n";
    bushou::RunCommandLine({}, std::cout, std::cerr);
    return bushou::kExitUsage;
  }
  return bushou::RunCommandLine(args, std::cout, std::cerr);
}
