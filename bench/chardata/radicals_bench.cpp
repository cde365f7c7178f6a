// Loading the generated radical index and filling the radical grid from it:
// what the window does when it is first shown.
#include <benchmark/benchmark.h>

#include <string>

#include "app/mainform.h"
#include "chardata/uBSData.h"
#include "platform/text.h"

namespace {

std::u16string IndexPath() {
  return bushou::platform::FromUtf8(std::string(BUSHOU_DATA_ROOT) + "/velmora6/zi/hzbs.dat");
}

void BM_LoadRadicalIndex(benchmark::State& state) {
  const std::u16string path = IndexPath();
  for (auto _ : state) {
    bushou::TBSData data(path);
    benchmark::DoNotOptimize(data.Data().ItemCount);
  }
}
BENCHMARK(BM_LoadRadicalIndex)->Unit(benchmark::kMillisecond);

void BM_FillRadicalGrid(benchmark::State& state) {
  bushou::GetBSData().LoadFromFile(IndexPath());
  for (auto _ : state) {
    bushou::TfMain form;
    form.FillRadicalGrid();
    benchmark::DoNotOptimize(form.sgRadical.RowCount());
  }
}
BENCHMARK(BM_FillRadicalGrid)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
