// THZPY: building the polyphone rule index from the rule text.
#include <algorithm>

#include "pinyin/uHZ_PY.h"
#include "pinyin/uCodePoints.h"

namespace bushou {
namespace {

enum class Mark : std::uint8_t { None, A, X };  // ordered by strength

// One usable rule line: a head line (key = character TAB syllable, maybe a
// mark) or a context line (key TAB word).
struct WorkItem {
  std::u16string text;
  std::size_t keyLength = 0;  // the key is text[0, keyLength)
  bool context = false;
  Mark mark = Mark::None;
  std::uint32_t code = 0;
  std::optional<std::vector<TContextWord>> group;  // heads only
};

}  // namespace

void THZPY::BuildRules() {
  if (auto lines = ReadRuleFile(RuleFilePath())) {
    FRuleLines = std::move(*lines);
  } else {
    FRuleLines = BuiltInRules();
  }
  RebuildRules();
}

void THZPY::BuildRules(const std::vector<std::u16string>& source) {
  if (!source.empty()) FRuleLines = source;
  RebuildRules();
}

void THZPY::ClearRules() {
  FRules.clear();
  // Only the characters given a record have a RuleIndex to reset.
  for (const std::uint32_t code : FRuleCodes) FCharReadings[code].RuleIndex = 0;
  FRuleCodes.clear();
}

void THZPY::RebuildRules() {
  ClearRules();

  // Collect the lines that name a character with two or more readings and a
  // syllable the syllable table knows.
  std::vector<WorkItem> work;
  TCodePointArray codes;
  std::u16string f1, f2, f3, plain;
  for (const std::u16string& line : FRuleLines) {
    StringToCodePoints(line, codes);
    if (codes.size() < 3) continue;
    if (codes[0] == u'#' || codes[0] == u';') continue;
    if (!IsRuleBlank(codes[1])) continue;
    const std::uint32_t c = codes[0];
    if (c > kMaxReadingCode || FCharReadings[c].Count < 2) continue;
    if (SplitFields(codes, f1, f2, &f3) < 2) continue;
    if (!FindSyllable(f2, &plain)) continue;
    WorkItem item;
    item.code = c;
    item.text = f1;
    item.text.push_back(u'\t');
    item.text += plain;
    item.keyLength = item.text.size();
    if (!f3.empty() && f3[0] == u'A') {
      item.mark = Mark::A;
    } else if (!f3.empty() && f3[0] == u'X') {
      item.mark = Mark::X;
    } else if (!f3.empty()) {
      item.context = true;
      item.text.push_back(u'\t');
      item.text += f3;
    }
    work.push_back(std::move(item));
  }

  // Sort by text (ordinal) and keep one item per text. A key written both
  // with and without a mark keeps the strongest mark (X, then A).
  std::stable_sort(work.begin(), work.end(),
                   [](const WorkItem& a, const WorkItem& b) { return a.text < b.text; });
  std::vector<WorkItem> unique;
  unique.reserve(work.size());
  for (WorkItem& item : work) {
    if (!unique.empty() && unique.back().text == item.text) {
      unique.back().mark = std::max(unique.back().mark, item.mark);
      continue;
    }
    unique.push_back(std::move(item));
  }

  // Group each head's context words. Sorting puts a key's context lines right
  // after its head line; a context line whose key has no head line is
  // dropped rather than given to another key's group.
  WorkItem* head = nullptr;
  for (WorkItem& item : unique) {
    if (!item.context) {
      item.group.emplace();
      head = &item;
      continue;
    }
    if (!head || std::u16string_view(item.text).substr(0, item.keyLength) != head->text) continue;
    std::u16string word = item.text.substr(item.keyLength + 1);
    std::uint8_t flags = 0;
    if (!word.empty() && word.back() == u'$') {
      flags |= cfEndMark;
      word.pop_back();
    }
    if (!word.empty() && word.front() == u'^') {
      flags |= cfStartMark;
      word.erase(0, 1);
    }
    if (!AllHaveReadings(word)) flags |= cfNoReading;
    const std::u16string character = item.text.substr(0, item.text.find(u'\t'));
    if (word.find(character) != std::u16string::npos) {
      head->group->push_back({std::move(word), flags});
    }
  }

  // Index: one record per character, in sorted order, from record 1.
  FRules.resize(1);
  std::uint32_t previous = 0xFFFFFFFF;
  for (WorkItem& item : unique) {
    if (item.context) continue;
    if (item.code != previous) {
      FRules.emplace_back();
      FRuleCodes.push_back(item.code);
      previous = item.code;
    }
    TCharReadings& rec = FCharReadings[item.code];
    rec.RuleIndex = static_cast<std::uint16_t>(FRules.size() - 1);
    TPolyphoneRule& rule = FRules.back();
    rule.Count = rec.Count;
    const std::u16string_view syllable =
        std::u16string_view(item.text).substr(item.text.find(u'\t') + 1);
    for (int slot = 1; slot <= rec.Count; ++slot) {
      if (FEntries[rec.Slots[static_cast<std::size_t>(slot)]].Text != syllable) continue;
      const auto bit = static_cast<std::uint8_t>(1u << slot);
      if (!item.group->empty()) rule.Contexts[static_cast<std::size_t>(slot)] = std::move(item.group);
      rule.HasGroup |= bit;
      if (item.mark != Mark::None) rule.MarkedA |= bit;
      if (item.mark == Mark::X) rule.MarkedX |= bit;
      break;
    }
  }
}

}  // namespace bushou
