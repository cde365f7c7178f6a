#include "pinyin/uSyllables.h"

namespace bushou {

const std::array<std::u16string_view, kInitialCount> Initials{
    u"",  u"b", u"c", u"ch", u"d", u"f", u"g", u"h", u"j", u"k", u"l",  u"m",
    u"n", u"p", u"q", u"r",  u"s", u"sh", u"t", u"w", u"x", u"y", u"z", u"zh"};

const std::array<std::u16string_view, kFinalCount> Finals{
    u"",    u"a",   u"ai",  u"an",   u"ang", u"ao",  u"e",  u"ei", u"en",   u"eng", u"er", u"i",
    u"ia",  u"ian", u"iang", u"iao", u"ie",  u"in",  u"ing", u"iong", u"iu", u"o",  u"ong", u"ou",
    u"u",   u"ua",  u"uai", u"uan",  u"uang", u"ue", u"ui", u"un",  u"uo",  u"v"};

const std::array<TToneMark, 25> ToneMarks{{
    {u'\u0101', u'a'}, {u'\u00E1', u'a'}, {u'\u01CE', u'a'}, {u'\u00E0', u'a'},
    {u'\u0113', u'e'}, {u'\u00E9', u'e'}, {u'\u011B', u'e'}, {u'\u00E8', u'e'},
    {u'\u012B', u'i'}, {u'\u00ED', u'i'}, {u'\u01D0', u'i'}, {u'\u00EC', u'i'},
    {u'\u014D', u'o'}, {u'\u00F3', u'o'}, {u'\u01D2', u'o'}, {u'\u00F2', u'o'},
    {u'\u016B', u'u'}, {u'\u00FA', u'u'}, {u'\u01D4', u'u'}, {u'\u00F9', u'u'},
    {u'\u00FC', u'v'}, {u'\u01D6', u'v'}, {u'\u01D8', u'v'}, {u'\u01DA', u'v'}, {u'\u01DC', u'v'},
}};

namespace {

constexpr char16_t kUmlautU = u'\u00FC';

template <std::size_t N>
bool FindIndex(const std::array<std::u16string_view, N>& table, std::u16string_view text,
               std::uint32_t* index) {
  for (std::size_t i = 0; i < N; ++i) {
    if (table[i] == text) {
      if (index) *index = static_cast<std::uint32_t>(i);
      return true;
    }
  }
  return false;
}

// The tone a ToneMarks position stands for: 1..4, or 0 for the bare u-umlaut.
int ToneOfMark(std::size_t position) {
  if (position < 20) return static_cast<int>(position % 4) + 1;
  return static_cast<int>(position - 20);
}

// The marked letter of base vowel (a e i o u v) in tone 1..4.
char16_t MarkOf(char16_t base, int tone) {
  for (std::size_t i = 0; i < ToneMarks.size(); ++i) {
    if (ToneMarks[i].Base == base && ToneOfMark(i) == tone) return ToneMarks[i].Marked;
  }
  return base;
}

bool IsVowel(char16_t c) {
  return c == u'a' || c == u'e' || c == u'i' || c == u'o' || c == u'u' || c == u'v';
}

}  // namespace

bool InitialName(std::uint32_t index, std::u16string* text) {
  if (index >= kInitialCount) return false;
  if (text) *text = Initials[index];
  return true;
}

bool FinalName(std::uint32_t index, std::u16string* text) {
  if (index >= kFinalCount) return false;
  if (text) *text = Finals[index];
  return true;
}

bool InitialIndex(std::u16string_view text, std::uint32_t* index) {
  return FindIndex(Initials, text, index);
}

bool FinalIndex(std::u16string_view text, std::uint32_t* index) {
  return FindIndex(Finals, text, index);
}

bool ParseSyllable(std::u16string_view text, std::uint32_t* initial, std::uint32_t* fin) {
  if (text.empty()) return false;
  const char16_t first = text[0];
  if (first == u'a' || first == u'e' || first == u'o') {
    std::uint32_t f = 0;
    if (!FinalIndex(text, &f)) return false;
    if (initial) *initial = 0;
    if (fin) *fin = f;
    return true;
  }
  if (text.size() < 2) return false;
  const std::size_t initialLength =
      ((first == u'c' || first == u's' || first == u'z') && text[1] == u'h') ? 2 : 1;
  std::uint32_t i = 0, f = 0;
  if (!InitialIndex(text.substr(0, initialLength), &i) ||
      !FinalIndex(text.substr(initialLength), &f)) {
    return false;
  }
  if (initial) *initial = i;
  if (fin) *fin = f;
  return true;
}

bool DecodeSyllable(TSyllableCode code, std::uint32_t* initial, std::uint32_t* fin,
                    TToneSet* tones) {
  const std::uint32_t i = SyllableInitial(code), f = SyllableFinal(code);
  if (i >= kInitialCount || f >= kFinalCount) return false;
  if (initial) *initial = i;
  if (fin) *fin = f;
  if (tones) *tones = SyllableTones(code);
  return true;
}

bool SyllableText(TSyllableCode code, std::u16string* text, TToneSet* tones) {
  std::uint32_t i = 0, f = 0;
  if (!DecodeSyllable(code, &i, &f, tones)) return false;
  if (text) {
    text->assign(Initials[i]);
    text->append(Finals[f]);
  }
  return true;
}

char16_t StripToneMark(char16_t ch) {
  for (const TToneMark& m : ToneMarks) {
    if (m.Marked == ch) return m.Base;
  }
  return ch;
}

std::u16string MarkedSyllable(std::u16string_view plain, int tone) {
  std::u16string text(plain);
  // The u of lue and nue is a u-umlaut; after j, q, x and y it is written u.
  if (text == u"lue" || text == u"nue") text[1] = u'v';
  std::size_t at = std::u16string::npos;
  if (const std::size_t a = text.find(u'a'); a != std::u16string::npos) {
    at = a;
  } else if (const std::size_t e = text.find(u'e'); e != std::u16string::npos) {
    at = e;
  } else if (const std::size_t ou = text.find(u"ou"); ou != std::u16string::npos) {
    at = ou;
  } else {
    for (std::size_t k = text.size(); k-- > 0;) {
      if (IsVowel(text[k])) {
        at = k;
        break;
      }
    }
  }
  if (at != std::u16string::npos && tone >= 1 && tone <= 4) text[at] = MarkOf(text[at], tone);
  for (char16_t& c : text) {
    if (c == u'v') c = kUmlautU;
  }
  return text;
}

bool ReadMarkedSyllable(std::u16string_view written, std::u16string* plain, int* tone) {
  std::u16string text;
  int t = 5;
  for (const char16_t c : written) {
    std::size_t position = ToneMarks.size();
    for (std::size_t i = 0; i < ToneMarks.size(); ++i) {
      if (ToneMarks[i].Marked == c) {
        position = i;
        break;
      }
    }
    if (position < ToneMarks.size()) {
      text.push_back(ToneMarks[position].Base);
      if (const int markTone = ToneOfMark(position); markTone != 0) t = markTone;
    } else if (c >= u'a' && c <= u'z') {
      text.push_back(c);
    } else {
      return false;
    }
  }
  if (text == u"lve" || text == u"nve") text[1] = u'u';
  if (!ParseSyllable(text, nullptr, nullptr)) return false;
  if (plain) *plain = std::move(text);
  if (tone) *tone = t;
  return true;
}

}  // namespace bushou
