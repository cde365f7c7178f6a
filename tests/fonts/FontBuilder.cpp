#include "tests/fonts/FontBuilder.h"

#include "platform/bytes.h"

namespace bushou::testing {
namespace {

using platform::ByteWriter;

void Align4(ByteWriter& w) {
  while (w.size() % 4 != 0) w.U8(0);
}

// The directory of a face whose tables start at tablesAt: header and records.
void WriteDirectory(ByteWriter& w, const Face& face, std::size_t tablesAt) {
  w.U32BE(0x00010000)                                   // sfntVersion
      .U16BE(static_cast<std::uint16_t>(face.size()))   // numTables
      .U16BE(0)                                         // searchRange (not read)
      .U16BE(0)                                         // entrySelector (not read)
      .U16BE(0);                                        // rangeShift (not read)
  std::size_t at = tablesAt;
  for (const Table& t : face) {
    w.Raw(platform::Bytes(t.tag))                       // tag
        .U32BE(0)                                       // checkSum (not verified)
        .U32BE(static_cast<std::uint32_t>(at))          // offset
        .U32BE(static_cast<std::uint32_t>(t.bytes.size()));  // length
    at += (t.bytes.size() + 3) / 4 * 4;
  }
}

void WriteTables(ByteWriter& w, const Face& face) {
  for (const Table& t : face) {
    w.Raw(platform::Bytes(t.bytes));
    Align4(w);
  }
}

std::size_t DirectorySize(const Face& face) { return 12 + 16 * face.size(); }

std::size_t TablesSize(const Face& face) {
  std::size_t n = 0;
  for (const Table& t : face) n += (t.bytes.size() + 3) / 4 * 4;
  return n;
}

}  // namespace

ByteVector Utf16BE(std::u16string_view text) {
  ByteWriter w;
  for (const char16_t c : text) w.U16BE(c);
  return w.Take();
}

NameRecord FullName(std::u16string_view name, std::uint16_t languageID, std::uint16_t encodingID) {
  return NameRecord{3, encodingID, languageID, 4, Utf16BE(name)};
}

ByteVector NameTable(const std::vector<NameRecord>& records) {
  ByteWriter w;
  w.U16BE(0)                                                       // format
      .U16BE(static_cast<std::uint16_t>(records.size()))           // count
      .U16BE(static_cast<std::uint16_t>(6 + 12 * records.size()));  // stringOffset
  std::size_t offset = 0;
  for (const NameRecord& r : records) {
    w.U16BE(r.platformID)
        .U16BE(r.encodingID)
        .U16BE(r.languageID)
        .U16BE(r.nameID)
        .U16BE(static_cast<std::uint16_t>(r.text.size()))  // length
        .U16BE(static_cast<std::uint16_t>(offset));        // offset into the strings
    offset += r.text.size();
  }
  for (const NameRecord& r : records) w.Raw(platform::Bytes(r.text));
  return w.Take();
}

ByteVector CMapFormat4(const std::vector<std::pair<std::uint16_t, std::uint16_t>>& segments) {
  const auto segCountX2 = static_cast<std::uint16_t>(2 * segments.size());
  ByteWriter w;
  w.U16BE(4)                                                          // format
      .U16BE(static_cast<std::uint16_t>(16 + 8 * segments.size()))    // length
      .U16BE(0)                                                       // language
      .U16BE(segCountX2)                                              // segCountX2
      .U16BE(0)                                                       // searchRange (not read)
      .U16BE(0)                                                       // entrySelector (not read)
      .U16BE(0);                                                      // rangeShift (not read)
  for (const auto& s : segments) w.U16BE(s.second);                   // endCode[]
  w.U16BE(0);                                                         // reservedPad
  for (const auto& s : segments) w.U16BE(s.first);                    // startCode[]
  for (std::size_t i = 0; i < segments.size(); ++i) w.U16BE(1);       // idDelta[] (not read)
  for (std::size_t i = 0; i < segments.size(); ++i) w.U16BE(0);       // idRangeOffset[] (not read)
  return w.Take();
}

ByteVector CMapFormat12(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& groups) {
  ByteWriter w;
  w.U16BE(12)                                                         // format
      .U16BE(0)                                                       // reserved
      .U32BE(static_cast<std::uint32_t>(16 + 12 * groups.size()))     // length
      .U32BE(0)                                                       // language
      .U32BE(static_cast<std::uint32_t>(groups.size()));              // numGroups
  for (const auto& g : groups) w.U32BE(g.first).U32BE(g.second).U32BE(1);  // start, end, startGlyphID
  return w.Take();
}

ByteVector CMapTable(const std::vector<CMapSubtable>& subtables) {
  ByteWriter w;
  w.U16BE(0)                                                    // version
      .U16BE(static_cast<std::uint16_t>(subtables.size()));     // numTables
  std::size_t offset = 4 + 8 * subtables.size();
  for (const CMapSubtable& s : subtables) {
    w.U16BE(s.platformID).U16BE(s.encodingID).U32BE(static_cast<std::uint32_t>(offset));
    offset += s.bytes.size();
  }
  for (const CMapSubtable& s : subtables) w.Raw(platform::Bytes(s.bytes));
  return w.Take();
}

Face SimpleFace(const std::vector<std::u16string>& names,
                const std::vector<std::pair<std::uint16_t, std::uint16_t>>& bmp,
                const std::vector<std::pair<std::uint32_t, std::uint32_t>>& groups) {
  std::vector<NameRecord> records;
  for (const std::u16string& n : names) records.push_back(FullName(n));
  auto segments = bmp;
  segments.emplace_back(0xFFFF, 0xFFFF);
  std::vector<CMapSubtable> subtables{{3, 1, CMapFormat4(segments)}};
  if (!groups.empty()) subtables.push_back({3, 10, CMapFormat12(groups)});
  return Face{{kCMap, CMapTable(subtables)}, {kName, NameTable(records)}};
}

ByteVector FontFile(const Face& face) {
  ByteWriter w;
  WriteDirectory(w, face, DirectorySize(face));
  WriteTables(w, face);
  return w.Take();
}

ByteVector Collection(const std::vector<Face>& faces) {
  ByteWriter w;
  w.Raw(std::string_view("ttcf"))                                // tag
      .U32BE(0x00010000)                                         // version 1.0
      .U32BE(static_cast<std::uint32_t>(faces.size()));          // numFonts
  std::size_t at = 12 + 4 * faces.size();
  for (const Face& f : faces) {
    w.U32BE(static_cast<std::uint32_t>(at));                     // offset of the face's directory
    at += DirectorySize(f) + TablesSize(f);
  }
  for (const Face& f : faces) {
    WriteDirectory(w, f, w.size() + DirectorySize(f));
    WriteTables(w, f);
  }
  return w.Take();
}

}  // namespace bushou::testing
