// Hand-written differential cases: one group per rule of the Windows reader
// and writer, each checked against the real functions.
#include <string>

#include "differential_case.h"

namespace plumbmark::differential {

using namespace std::string_literals;

Operation GetInt(std::string section, std::string key, std::int32_t fallback) {
  return {Operation::Kind::kGetInt, std::move(section), std::move(key), {}, fallback};
}
Operation GetString(std::string section, std::string key) {
  return {Operation::Kind::kGetString, std::move(section), std::move(key), {}, 0};
}
Operation Put(std::string section, std::string key, std::string value) {
  return {Operation::Kind::kPut, std::move(section), std::move(key), std::move(value), 0};
}

namespace {

// Cases that read one key's value in several forms.
void AddValueCases(std::vector<Case>& cases) {
  const std::string z27(27, '0');
  const std::string z28(28, '0');
  const std::string values[] = {"5",
                                " 5",
                                "\t5\t",
                                "+5",
                                "-5",
                                "- 5",
                                "+-5",
                                "+",
                                "007",
                                "08",
                                "0x10",
                                "0x1F",
                                "0X10",
                                "0B101",
                                "0O17",
                                "0x",
                                "0xg",
                                "0b101",
                                "-0b11",
                                "0b2",
                                "0o17",
                                "0o8",
                                "0x7fffffff",
                                "0x80000000",
                                "0xffffffff",
                                "0x100000000",
                                "0x123456789",
                                "2147483648",
                                "-2147483649",
                                "4294967297",
                                "-4294967296",
                                "99999999999",
                                "18446744073709551617",
                                "12abc",
                                "1.9",
                                "abc",
                                ";5",
                                "\x01\x02-7",
                                "\x7f"
                                "5",
                                "\"5\"",
                                "'5'",
                                "\" 5\"",
                                "\"5",
                                "5\"",
                                "\"5'",
                                "\"5\" x",
                                "\"\"",
                                "''",
                                "\" \"",
                                "''5''",
                                "\"",
                                "5 ; c",
                                "\v5\f",
                                "",
                                z28 + "5",
                                z28 + "05",
                                "-" + z27 + "5",
                                "-" + z28 + "5",
                                "12345678901234567890123456789",
                                "123456789012345678901234567890",
                                "\"" + z27 + "5\"",
                                "\"" + z28 + "5\"",
                                "\"" + z27 + "500\"",
                                "\"" + z28 + "50\"",
                                "\"" + z28 + "500\"",
                                "'" + z28 + "5'"};
  for (const std::string& value : values) {
    Case c = NewCase("integer conversion", "value [" + value + "]");
    c.content = "[s]\r\nk=" + value + "\r\n";
    c.operations = {GetInt("s", "k", -99), GetString("s", "k")};
    cases.push_back(c);
  }
}

struct Sketch {
  const char* group;
  std::string content;
  std::vector<Operation> operations;
  bool canonical = false;
};

std::vector<Sketch> Sketches() {
  return {
      {"line ends", "[s]\rk=5\rj=6\r", {GetInt("s", "k"), GetInt("s", "j"), Put("s", "m", "1")}},
      {"line ends", "[s]\r\nk=5\rj=6\n", {GetInt("s", "j"), Put("s", "k", "2")}},
      {"line ends", "[s]\r\nk=5", {GetInt("s", "k"), Put("s", "j", "2")}, true},
      {"line ends", "[s]\n\n\r\r\nk=5\n", {GetInt("s", "k"), Put("t", "a", "1")}},
      {"trimming",
       "[s]\r\n a = 1 \r\nb\t=\t2\r\n   c=3\r\n\vd\f=\v4\r\n",
       {GetInt("s", "a"), GetInt("s", "b"), GetInt(" s ", "\tc "), GetString("s", "d")}},
      {"trimming", "[s]\r\nmy key = 7\r\n", {GetInt("s", "my key"), GetInt("s", "my")}},
      {"case",
       "[SeCtIoN]\r\nMyKey=5\r\n",
       {GetInt("section", "mykey"), Put("SECTION", "MYKEY", "9"), Put("sect", "newKEY", "2")},
       true},
      {"headers",
       "[ a ]\r\nk=1\r\n  [b]  \r\nk=2\r\n[d] ; c\r\nk=4\r\n[e]junk\r\nk=5\r\n",
       {GetInt("a", "k"), GetInt("b", "k"), GetInt("d", "k"), GetInt("e", "k"),
        Put("d", "j", "1")}},
      {"headers",
       "[a]b]\r\nk=1\r\n[ g h ]\r\nk=2\r\n",
       {GetInt("a]b", "k"), GetInt("a", "k"), GetInt("g h", "k"), Put("a]b", "k", "3")}},
      {"headers",
       "[e]\r\nk=5\r\n[f\r\nk=6\r\nj=7\r\n",
       {GetInt("e", "k"), GetInt("e", "j"), GetInt("f", "k"), GetInt("e", "[f"),
        Put("e", "m", "1")}},
      {"duplicates", "[s]\r\nk=1\r\nk=2\r\nK=3\r\n", {GetInt("s", "k"), Put("s", "k", "9")}, true},
      {"duplicates",
       "[s]\r\nk=1\r\n[t]\r\nx=1\r\n[S]\r\nj=2\r\n",
       {GetInt("s", "j"), Put("s", "j", "9"), Put("s", "m", "3"), Put("s", "k", "8")},
       true},
      {"duplicates", "[s]\r\nk\r\nk=2\r\n", {GetInt("s", "k", 4), Put("s", "k", "1")}, true},
      {"top area",
       "k=1\r\nj=2\r\n[s]\r\nk=3\r\n",
       {GetInt("", "k"), GetInt("s", "j"), Put("", "g", "1"), Put("", "k", "5")},
       true},
      {"top area", "[s]\r\nk=1\r\n", {Put("", "g", "1"), GetInt("", "g")}, true},
      {"comments",
       "[s]\r\n;k=1\r\n#j=2\r\n//x=6\r\n",
       {GetInt("s", "k"), GetInt("s", "#j"), GetInt("s", "j"), GetInt("s", "//x")}},
      {"comments",
       "[s]\r\nk=1\r\n;[t]\r\nk2=2\r\n#[u]\r\nk3=3\r\n",
       {GetInt("s", "k2"), GetInt("s", "k3"), GetInt("t", "k2"), Put("s", "m", "4")},
       true},
      {"key and value split",
       "[s]\r\nk=5=6\r\na==7\r\nnoeq\r\n=5\r\n",
       {GetString("s", "k"), GetInt("s", "k"), GetInt("s", "a"), GetString("s", "noeq"),
        GetInt("s", ""), GetInt("s", " ")}},
      {"key and value split", "[s]\r\nk=5 ; c\r\n", {GetString("s", "k"), GetInt("s", "k")}},
      {"byte-order marks",
       "\xEF\xBB\xBF[s]\r\nk=5\r\n",
       {GetInt("s", "k"), Put("s", "j", "2")},
       true},
      {"byte-order marks", "\xEF\xBB\xBFk=5\r\n[s]\r\n", {GetInt("", "k"), Put("", "j", "2")}},
      {"byte-order marks", "[s]\r\n\xEF\xBB\xBFk=5\r\n", {GetInt("s", "k")}},
      {"byte-order marks",
       "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0005\0\r\0\n\0"s,
       {GetInt("s", "k"), Put("s", "k", "2"), Put("s", "j", "3")},
       true},
      {"byte-order marks", "\xFF\xFE[\0s\0]\0\n\0k\0=\0-\0007\0"s, {GetInt("s", "k")}},
      {"byte-order marks",
       "\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0005\0\r\0\n"s,
       {GetInt("s", "k"), Put("s", "j", "4")},
       true},
      {"byte-order marks", "[\0s\0]\0\n\0k\0=\0005\0"s, {GetInt("s", "k")}},
      {"create", "", {Put("s", "k", "5"), Put("s", "j", "6"), Put("t", "a", "1")}, true},
      {"append section", "[s]\r\nk=1\r\n\r\n\r\n", {Put("t", "a", "1")}},
      {"append section", "[s]\r\nk=1\r\n", {Put("t", "a", "1"), Put("u", "b", "2")}, true},
      {"append key", "[s]\r\nk=1\r\n; c\r\n\r\n[t]\r\nx=1\r\n", {Put("s", "j", "2")}},
      {"append key", "[s]\r\nk=1\r\n; c\r\n[t]\r\nx=1\r\n", {Put("s", "j", "2")}, true},
      {"replace in place",
       "[s]\r\nk = 1\r\nj=1 ; keep?\r\n",
       {Put("s", "k", "9"), Put("s", "j", "8")}},
      {"replace in place", "[SecT]\r\nMyKey=1\r\n", {Put("sect", "MYKEY", "9")}, true},
      {"no change", "[s]\nk=5\n", {Put("s", "K", "5"), Put("s", "k", " 5 ")}},
      {"no change", "[s]\r\nk = 5 \r\n", {Put("S", "k", "5")}},
      {"written values",
       "[s]\r\n",
       {Put("s", "a", " 5 "), Put("s", "e", "\tx"), Put("s", "b", "\"5\""), Put("s", "c", "5 ; c"),
        Put("s", "d", ""), GetString("s", "d"), GetInt("s", "d", 3)},
       true},
      {"defaults",
       "[s]\r\nk=\r\nj=  \r\nq=\"\"\r\n",
       {GetInt("s", "k", 7), GetInt("s", "j", 7), GetInt("s", "q", 7), GetInt("s", "x", 7),
        GetInt("x", "k", INT32_MIN), GetInt("s", "k", 2147483647)}},
      {"save",
       "",
       {Put("Plumbmark", "Size", "5"), Put("Plumbmark", "Color", "16711680"),
        Put("Plumbmark", "Vertical", "0"), Put("Plumbmark", "Interval", "100"),
        Put("Plumbmark", "Horizon", "0"), Put("Plumbmark", "Size", "5")},
       true},
      {"save",
       "; mine\r\n[Other]\r\na=1\r\n\r\n[plumbmark]\r\nsize = 7\r\nColor=255\r\n",
       {GetInt("Plumbmark", "Size", 5), GetInt("Plumbmark", "Interval", 100),
        Put("Plumbmark", "Size", "9"), Put("Plumbmark", "Interval", "50"),
        Put("Plumbmark", "Color", "255")}},
  };
}

}  // namespace

std::vector<Case> HandWrittenCases() {
  std::vector<Case> cases;
  AddValueCases(cases);
  for (Sketch& sketch : Sketches()) {
    Case c = NewCase(sketch.group, sketch.group + std::string(" #") + std::to_string(cases.size()));
    c.content = std::move(sketch.content);
    c.operations = std::move(sketch.operations);
    c.canonical = sketch.canonical;
    cases.push_back(std::move(c));
  }
  Case missing = NewCase("missing file", "no file");
  missing.file_exists = false;
  missing.operations = {GetInt("s", "k", 42), GetString("s", "k"), Put("s", "k", "1"),
                        GetInt("s", "k", 42)};
  missing.canonical = true;
  cases.push_back(missing);
  return cases;
}

}  // namespace plumbmark::differential
