// Seeded random differential cases: files built from the line shapes the
// reader distinguishes, and mixed sequences of reads and writes.
#include <random>
#include <string>

#include "differential_case.h"

namespace plumbmark::differential {
namespace {

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : random_(seed) {}

  Case Make(std::uint32_t seed) {
    canonical_ = Chance(40);
    const int encoding = Pick(100);
    utf8_bom_ = encoding < 8;
    utf16_ = encoding >= 8 && encoding < 20;
    big_endian_ = utf16_ && Chance(40);
    Case c = NewCase(canonical_ ? "random canonical" : "random", "seed " + std::to_string(seed));
    c.canonical = canonical_;
    c.file_exists = !Chance(4);
    if (c.file_exists) c.content = Encode(Body());
    const int count = 1 + Pick(8);
    for (int i = 0; i < count; ++i) c.operations.push_back(RandomOperation());
    return c;
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <std::size_t N>
  std::string From(const char* const (&pool)[N]) {
    return pool[Pick(static_cast<int>(N))];
  }

  std::string SectionName() {
    static const char* const kNames[] = {"Plumbmark", "plumbmark", "PLUMBMARK", "s",   "S",
                                         "t",         "a b",       "x.y",       "a]b", "sec#1"};
    return From(kNames);
  }
  std::string KeyName() {
    static const char* const kNames[] = {"Size",     "size",    "SIZE", "Color", "Interval",
                                         "Vertical", "Horizon", "k",    "K",     "j",
                                         "my key",   "#k",      "k2",   "[f"};
    std::string name = From(kNames);
    if (name == "[f" && canonical_) name = "k";
    return name;
  }
  std::string Number() {
    const auto n = static_cast<std::int32_t>(random_());
    switch (Pick(6)) {
      case 0:
        return std::to_string(n);
      case 1:
        return std::to_string(Pick(200) - 100);
      case 2:
        return "0x" + std::to_string(Pick(100000));
      case 3:
        return std::to_string(static_cast<std::uint64_t>(random_()) * 977u);
      case 4:
        return std::string(static_cast<std::size_t>(20 + Pick(14)), '1');
      default:
        return "-0o" + std::to_string(Pick(8000));
    }
  }
  std::string Value() {
    static const char* const kOdd[] = {"",
                                       "abc",
                                       "12abc",
                                       "0X1f",
                                       "0b101",
                                       "+-5",
                                       "5 ; c",
                                       "a=b",
                                       "\x01"
                                       "7",
                                       "\"\"",
                                       "''",
                                       "#5",
                                       "x y"};
    std::string value = Chance(30) ? From(kOdd) : Number();
    if (Chance(15)) value = (Chance(50) ? "\"" : "'") + value + (Chance(80) ? "\"" : "'");
    if (!utf8_bom_ && !utf16_ && Chance(8)) value += "\xE9\xA0\x81";
    return value;
  }
  std::string Blanks() {
    static const char* const kBlanks[] = {"", "", " ", "\t", "  ", "\v", "\f", " \t "};
    return canonical_ ? "" : From(kBlanks);
  }
  std::string LineEnd() {
    if (canonical_) return "\r\n";
    static const char* const kEnds[] = {"\r\n", "\r\n", "\n", "\r"};
    return From(kEnds);
  }

  std::string Line() {
    const int shape = Pick(100);
    if (shape < 15) {
      const std::string trailer = canonical_ || Chance(70) ? "" : (Chance(50) ? " ; c" : "junk");
      return Blanks() + "[" + Blanks() + SectionName() + Blanks() + "]" + trailer;
    }
    if (shape < 75) {
      return Blanks() + KeyName() + Blanks() + "=" + Blanks() + Value() + Blanks();
    }
    if (shape < 82) return "; comment " + std::to_string(Pick(9));
    if (shape < 87) return Blanks() + "noeq";
    if (shape < 90) return "#x=1";
    if (shape < 93 && !canonical_) return "[f" + Blanks();
    return canonical_ ? "k2=1" : Blanks();
  }

  std::string Body() {
    std::string body;
    const int lines = Pick(12);
    for (int i = 0; i < lines; ++i) body += Line() + LineEnd();
    if (!canonical_ && !body.empty() && Chance(25)) {
      while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
    }
    return body;
  }

  std::string Encode(const std::string& body) const {
    if (utf8_bom_) return "\xEF\xBB\xBF" + body;
    if (!utf16_) return body;
    std::string out = big_endian_ ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : body) {
      out += big_endian_ ? '\0' : c;
      out += big_endian_ ? c : '\0';
    }
    return out;
  }

  Operation RandomOperation() {
    const int kind = Pick(10);
    std::string section = Chance(5) ? "" : SectionName();
    std::string key = KeyName();
    if (kind < 5) {
      if (key.front() == '[') key = "k";  // a key that would read as a header is refused
      return Put(section, key, Blanks() + Value() + Blanks());
    }
    section = Blanks() + section + Blanks();
    key = Blanks() + key + Blanks();
    if (kind < 8) return GetInt(section, key, static_cast<std::int32_t>(random_()));
    return GetString(section, key);
  }

  std::mt19937 random_;
  bool canonical_ = false;
  bool utf8_bom_ = false;
  bool utf16_ = false;
  bool big_endian_ = false;
};

}  // namespace

Case RandomCase(std::uint32_t seed) { return Generator(seed).Make(seed); }

}  // namespace plumbmark::differential
