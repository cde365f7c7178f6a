#include "tools/mkdata/unihan.h"

#include <bzlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace bushou::mkdata {

void Fail(const std::string& message) {
  std::fprintf(stderr, "mkdata: %s\n", message.c_str());
  std::exit(1);
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot open " + path);
  std::ostringstream raw;
  raw << in.rdbuf();
  std::string data = raw.str();
  if (path.size() < 4 || path.compare(path.size() - 4, 4, ".bz2") != 0) return data;

  bz_stream bz{};
  if (BZ2_bzDecompressInit(&bz, 0, 0) != BZ_OK) Fail("bzip2 init failed");
  std::string out;
  char buf[1 << 16];
  bz.next_in = data.data();
  bz.avail_in = static_cast<unsigned>(data.size());
  int rc = BZ_OK;
  while (rc == BZ_OK) {
    bz.next_out = buf;
    bz.avail_out = sizeof buf;
    rc = BZ2_bzDecompress(&bz);
    if (rc != BZ_OK && rc != BZ_STREAM_END) {
      BZ2_bzDecompressEnd(&bz);
      Fail("corrupt bzip2 data in " + path);
    }
    out.append(buf, sizeof buf - bz.avail_out);
    if (rc == BZ_OK && bz.avail_in == 0 && bz.avail_out != 0) {
      BZ2_bzDecompressEnd(&bz);
      Fail("truncated bzip2 data in " + path);
    }
  }
  BZ2_bzDecompressEnd(&bz);
  return out;
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& fn) {
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    fn(line);
  }
}

std::vector<std::string_view> SplitBlanks(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < text.size() && text[j] != ' ' && text[j] != '\t') ++j;
    if (j > i) parts.push_back(text.substr(i, j - i));
    i = j;
  }
  return parts;
}

char32_t ParseCodePoint(std::string_view text) {
  if (text.substr(0, 2) == "U+") text.remove_prefix(2);
  if (text.empty() || text.size() > 6) return 0xFFFFFFFF;
  char32_t v = 0;
  for (const char c : text) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else return 0xFFFFFFFF;
    v = v * 16 + static_cast<char32_t>(d);
  }
  return v;
}

void ForEachUnihanValue(const std::string& path, const std::vector<std::string_view>& fields,
                        const std::function<void(char32_t, std::string_view, std::string_view)>& fn) {
  const std::string text = ReadTextFile(path);
  ForEachLine(text, [&](std::string_view line) {
    if (line.empty() || line[0] == '#') return;
    const std::size_t t1 = line.find('\t');
    if (t1 == std::string_view::npos) return;
    const std::size_t t2 = line.find('\t', t1 + 1);
    if (t2 == std::string_view::npos) return;
    const std::string_view field = line.substr(t1 + 1, t2 - t1 - 1);
    bool wanted = false;
    for (const std::string_view f : fields) wanted = wanted || f == field;
    if (!wanted) return;
    const char32_t code = ParseCodePoint(line.substr(0, t1));
    if (code == 0xFFFFFFFF) return;
    fn(code, field, line.substr(t2 + 1));
  });
}

std::map<char32_t, std::string> ReadUnihanField(const std::string& path, std::string_view field) {
  std::map<char32_t, std::string> values;
  ForEachUnihanValue(path, {field}, [&](char32_t code, std::string_view, std::string_view value) {
    values[code] = std::string(value);
  });
  return values;
}

void WriteOutputFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code ec;
  const std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) Fail("cannot create " + path);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("cannot write " + path);
}

std::string Option(int argc, char** argv, std::string_view name, std::string fallback) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (name == argv[i]) return argv[i + 1];
  }
  return fallback;
}

std::string UnicodeDir(int argc, char** argv) { return Option(argc, argv, "--unicode", "/usr/share/unicode"); }

std::string RequiredOption(int argc, char** argv, std::string_view name, const std::string& usage) {
  std::string value = Option(argc, argv, name);
  if (value.empty()) Fail("usage: " + usage);
  return value;
}

}  // namespace bushou::mkdata
