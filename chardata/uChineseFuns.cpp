#include "chardata/uChineseFuns.h"

#include "platform/errors.h"

namespace bushou {
namespace {

std::unique_ptr<TChineseChars>& Instance() {
  static std::unique_ptr<TChineseChars> instance;
  return instance;
}

}  // namespace

TTableMakers TTableMakers::Default() {
  return {
      [](const std::u16string& name, bool scrambled) { return std::make_unique<THZJF>(name, scrambled); },
      [](const std::u16string& name, bool scrambled) { return std::make_unique<THZBH>(name, scrambled); },
      [](const std::u16string& name, bool scrambled) { return std::make_unique<THZBS>(name, scrambled); },
      [](const std::u16string& name, bool scrambled) { return std::make_unique<THZPY>(name, scrambled); },
  };
}

TChineseChars::TChineseChars(const std::u16string& pinyinFile, const std::u16string& simpTradFile,
                             const std::u16string& strokeFile, const std::u16string& radicalFile,
                             bool scrambled, const TTableMakers& makers) {
  try {
    FHZJF = makers.MakeHZJF(simpTradFile, scrambled);
    FHZBH = makers.MakeHZBH(strokeFile, scrambled);
    FHZBS = makers.MakeHZBS(radicalFile, scrambled);
    FHZPY = makers.MakeHZPY(pinyinFile, scrambled);
  } catch (...) {
    // Whatever went wrong, the caller sees the holder's own error.
    FreeTables();
    RaiseTableError(tekLoadFailed);
  }
}

TChineseChars::~TChineseChars() { FreeTables(); }

void TChineseChars::FreeTables() {
  FHZBS.reset();
  FHZBH.reset();
  FHZJF.reset();
  FHZPY.reset();
}

void TChineseChars::RaiseTableError(std::uint8_t kind) {
  throw Error(std::u16string(kTableErrorMessages[kind < kTableErrorMessages.size() ? kind : 0]));
}

TChineseChars& GetChineseChars() {
  auto& instance = Instance();
  if (!instance) instance = std::make_unique<TChineseChars>(u"", u"", u"", u"", false);
  return *instance;
}

void FreeChineseChars() { Instance().reset(); }

}  // namespace bushou
