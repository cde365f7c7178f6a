// The costs of the coverage feature a user waits for at start: building the
// font catalogue (over the installed fonts, and over 1,000 generated font
// files), evaluating the grid face's chain, and, for comparison, fontconfig's
// own scan (what fc-scan runs) over the same installed files.
#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/mainform.h"
#include "fonts/uCMapDecoder.h"
#include "fonts/uFontUtils.h"
#include "platform/registry.h"
#include "platform/registry_memory.h"
#include "platform/text.h"
#include "tests/fonts/FontBuilder.h"

namespace bushou {
namespace {

using platform::RegistryRoot;

// The machine's registry (synthesized from fontconfig), built once.
platform::Registry& Installed() {
  static const std::unique_ptr<platform::Registry> registry = [] {
    auto r = platform::CreateSystemRegistry();
    r->ResolveFace(TfMain::kHanziFontName);  // the grid face's links are part of start-up
    r->OpenKey(RegistryRoot::LocalMachine, platform::kFontsKey);
    return r;
  }();
  return *registry;
}

std::vector<std::string> InstalledFiles() {
  std::vector<std::string> files;
  const auto key = Installed().OpenKey(RegistryRoot::LocalMachine, platform::kFontsKey);
  for (const std::u16string& name : key->ValueNames()) {
    files.push_back(platform::ToUtf8(key->ReadValue(name)->AsString().value_or(u"")));
  }
  return files;
}

void BM_CatalogueInstalledFonts(benchmark::State& state) {
  platform::Registry& registry = Installed();
  std::int64_t files = 0;
  for (auto _ : state) {
    TFontTools fonts(registry);
    files = fonts.FileCount();
    benchmark::DoNotOptimize(fonts.FaceNameCount());
  }
  state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_CatalogueInstalledFonts)->Unit(benchmark::kMillisecond);

void BM_FcScanInstalledFonts(benchmark::State& state) {
  const std::vector<std::string> files = InstalledFiles();
  for (auto _ : state) {
    FcFontSet* set = FcFontSetCreate();
    for (const std::string& file : files) {
      FcFileScan(set, nullptr, nullptr, nullptr, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue);
    }
    benchmark::DoNotOptimize(set->nfont);
    FcFontSetDestroy(set);
  }
  state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_FcScanInstalledFonts)->Unit(benchmark::kMillisecond);

// Everything the window's creation step costs: fontconfig, the synthesized
// registry, the catalogue and the grid face's chain.
void BM_StartupInstalledFonts(benchmark::State& state) {
  for (auto _ : state) {
    auto registry = platform::CreateSystemRegistry();
    const std::u16string face = registry->ResolveFace(TfMain::kHanziFontName);
    TFontTools fonts(*registry);
    TCMapDataDecoder decoder(fonts, face);
    benchmark::DoNotOptimize(decoder.IsSupported(0x4E2D));
  }
}
BENCHMARK(BM_StartupInstalledFonts)->Unit(benchmark::kMillisecond);

void BM_ChainCoverageGridFace(benchmark::State& state) {
  platform::Registry& registry = Installed();
  const std::u16string face = registry.ResolveFace(TfMain::kHanziFontName);
  TFontTools fonts(registry);
  std::vector<std::uint8_t> buffer(kCoverageRecordCapacity);
  for (auto _ : state) benchmark::DoNotOptimize(fonts.GetChainCoverage(face, buffer));
  state.SetLabel(platform::ToUtf8(face));
}
BENCHMARK(BM_ChainCoverageGridFace)->Unit(benchmark::kMillisecond);

// 1,000 generated font files: 900 single fonts and 100 collections of three
// faces, each face with an English and a Chinese full name and a character map
// of 120 BMP segments and 40 supplementary groups.
class GeneratedFonts {
 public:
  GeneratedFonts() {
    std::string templ = (std::filesystem::temp_directory_path() / "bushou-bench-XXXXXX").string();
    if (!::mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = templ;
    for (int i = 0; i < 1000; ++i) {
      char stem[32];
      std::snprintf(stem, sizeof stem, "gen%04d", i);
      const bool collection = i % 10 == 0;
      std::vector<testing::Face> faces;
      for (int f = 0; f < (collection ? 3 : 1); ++f) faces.push_back(MakeFace(i, f));
      const std::filesystem::path path = dir_ / (std::string(stem) + (collection ? ".ttc" : ".ttf"));
      const testing::ByteVector bytes = collection ? testing::Collection(faces) : testing::FontFile(faces[0]);
      std::FILE* out = std::fopen(path.c_str(), "wb");
      if (!out) throw std::runtime_error("cannot write " + path.string());
      std::fwrite(bytes.data(), 1, bytes.size(), out);
      std::fclose(out);
      registry_.SetValue(RegistryRoot::LocalMachine, platform::kFontsKey,
                         platform::FromUtf8(std::string(stem) + " (TrueType)"), platform::RegistryValue::String(platform::FromUtf8(path.string())));
    }
  }
  ~GeneratedFonts() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  platform::Registry& registry() { return registry_; }

 private:
  static testing::Face MakeFace(int file, int face) {
    const std::string id = std::to_string(file) + "-" + std::to_string(face);
    std::vector<std::pair<std::uint16_t, std::uint16_t>> bmp;
    for (std::uint16_t s = 0; s < 120; ++s) {
      const auto start = static_cast<std::uint16_t>(0x4E00 + 160 * s + file % 7);
      bmp.emplace_back(start, static_cast<std::uint16_t>(start + 100));
    }
    std::vector<std::pair<std::uint32_t, std::uint32_t>> groups;
    for (std::uint32_t g = 0; g < 40; ++g) groups.emplace_back(0x20000 + 1000 * g, 0x20000 + 1000 * g + 500);
    return testing::SimpleFace({platform::FromUtf8("Generated Face " + id), platform::FromUtf8("生成字体 " + id)}, bmp,
                               groups);
  }

  std::filesystem::path dir_;
  platform::MemoryRegistry registry_;
};

void BM_Catalogue1000GeneratedFiles(benchmark::State& state) {
  static GeneratedFonts fonts;  // written once, removed at exit
  std::int64_t names = 0;
  for (auto _ : state) {
    TFontTools catalogue(fonts.registry());
    names = catalogue.FaceNameCount();
    benchmark::DoNotOptimize(names);
  }
  state.counters["faceNames"] = static_cast<double>(names);
}
BENCHMARK(BM_Catalogue1000GeneratedFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bushou

BENCHMARK_MAIN();
