// What the pinyin table costs a user: loading the real hzpy.dat with its
// indexes, building the rules from the built-in text, and the lookups.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "pinyin/uHZ_PY.h"
#include "platform/text.h"

namespace bushou {
namespace {

std::u16string RealTable() {
  return platform::FromUtf8(std::string(BUSHOU_DATA_ROOT) + "/velmora6/zi/hzpy.dat");
}

// LoadFromFile: size check, read, checksum, parse, char and letter indexes.
void BM_LoadFromFile(benchmark::State& state) {
  auto table = std::make_unique<THZPY>();
  const std::u16string path = RealTable();
  for (auto _ : state) {
    if (!table->LoadFromFile(path, false)) state.SkipWithError("hzpy.dat did not load");
    benchmark::DoNotOptimize(table->ReadingCount());
  }
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

// Load as the table holder does it: LoadFromFile, then the rules.
void BM_Load(benchmark::State& state) {
  auto table = std::make_unique<THZPY>();
  const std::u16string path = RealTable();
  for (auto _ : state) {
    if (!table->Load(path, false)) state.SkipWithError("hzpy.dat did not load");
  }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_BuildRulesBuiltIn(benchmark::State& state) {
  auto table = std::make_unique<THZPY>();
  if (!table->LoadFromFile(RealTable(), false)) state.SkipWithError("hzpy.dat did not load");
  const std::vector<std::u16string>& lines = BuiltInRules();
  for (auto _ : state) {
    table->BuildRules(lines);
    benchmark::DoNotOptimize(table->Rules().size());
  }
  state.counters["lines"] = static_cast<double>(lines.size());
  state.counters["characters"] = static_cast<double>(table->Rules().size() - 1);
}
BENCHMARK(BM_BuildRulesBuiltIn)->Unit(benchmark::kMillisecond);

void BM_GetPinyinText(benchmark::State& state) {
  auto table = std::make_unique<THZPY>();
  if (!table->LoadFromFile(RealTable(), false)) state.SkipWithError("hzpy.dat did not load");
  std::uint32_t code = 0x4E00;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table->GetPinyinText(code, u';'));
    code = code == 0x9FA5 ? 0x4E00 : code + 1;
  }
}
BENCHMARK(BM_GetPinyinText);

void BM_BuildFileImage(benchmark::State& state) {
  auto table = std::make_unique<THZPY>();
  if (!table->LoadFromFile(RealTable(), false)) state.SkipWithError("hzpy.dat did not load");
  for (auto _ : state) benchmark::DoNotOptimize(table->BuildFileImage(false).size());
}
BENCHMARK(BM_BuildFileImage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bushou

BENCHMARK_MAIN();
