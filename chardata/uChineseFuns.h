// The holder of the four character tables (simplified/traditional, stroke,
// radical, pinyin): one per process, created with every table on first use.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "chardata/uHZ_BH.h"
#include "chardata/uHZ_BS.h"
#include "chardata/uHZ_JF.h"
#include "pinyin/uHZ_PY.h"

namespace bushou {

// The holder's errors.
enum TTableErrorKind : std::uint8_t {
  tekLoadFailed = 0,   // "装载数据失败...": creating the tables failed
  tekSaveFailed = 1,   // "保存数据失败...": not raised in this system
  tekBadEntry = 2,     // "非法汉字条目指针...": not raised in this system
};

inline constexpr std::array<std::u16string_view, 3> kTableErrorMessages{
    u"装载数据失败...",
    u"保存数据失败...",
    u"非法汉字条目指针...",
};

// How the holder makes its tables: each maker gets the file name and the
// scrambled flag. Tests put their own makers in to watch creation and freeing.
struct TTableMakers {
  std::function<std::unique_ptr<THZJF>(const std::u16string&, bool)> MakeHZJF;
  std::function<std::unique_ptr<THZBH>(const std::u16string&, bool)> MakeHZBH;
  std::function<std::unique_ptr<THZBS>(const std::u16string&, bool)> MakeHZBS;
  std::function<std::unique_ptr<THZPY>(const std::u16string&, bool)> MakeHZPY;

  // The tables' own constructors.
  static TTableMakers Default();
};

class TChineseChars {
 public:
  // Creates the tables in the order simplified/traditional, stroke, radical,
  // pinyin; an empty name makes a table use its default file. If any step
  // throws, the tables already made are freed (in the destructor's order) and
  // "装载数据失败..." is raised instead of the first error.
  TChineseChars(const std::u16string& pinyinFile, const std::u16string& simpTradFile,
                const std::u16string& strokeFile, const std::u16string& radicalFile,
                bool scrambled, const TTableMakers& makers = TTableMakers::Default());
  // Frees the radical, stroke, simplified/traditional, then pinyin table.
  ~TChineseChars();
  TChineseChars(const TChineseChars&) = delete;
  TChineseChars& operator=(const TChineseChars&) = delete;

  // Raises bushou::Error with the message of kind (kinds beyond the table give
  // the first message).
  [[noreturn]] static void RaiseTableError(std::uint8_t kind);

  THZBH& HZBH() const { return *FHZBH; }
  THZBS& HZBS() const { return *FHZBS; }
  THZJF& HZJF() const { return *FHZJF; }
  THZPY& HZPY() const { return *FHZPY; }

 private:
  void FreeTables();

  std::unique_ptr<THZBH> FHZBH;
  std::unique_ptr<THZBS> FHZBS;
  std::unique_ptr<THZJF> FHZJF;
  std::unique_ptr<THZPY> FHZPY;
};

// The process-wide holder, created on the first call with every name empty
// and scrambled false. When creating it raises, nothing is kept and the next
// call tries again.
TChineseChars& GetChineseChars();
// Frees the process-wide holder (process end; tests start over with it).
void FreeChineseChars();

}  // namespace bushou
