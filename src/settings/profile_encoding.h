// Byte-order marks of a profile file and the conversion between the file's
// bytes and the 8-bit text that the parser and the editor work on.
#pragma once

#include <string>
#include <string_view>

namespace plumbmark::profile::detail {

enum class Encoding { kAnsi, kUtf8Bom, kUtf16Le, kUtf16Be };

// A file's content split into its byte-order mark and its text. For UTF-16
// files the text is WTF-8 (UTF-8 that also carries lone surrogates), which
// converts back to exactly the same code units; an odd last byte is kept
// aside so that it survives a rewrite.
struct DecodedText {
  Encoding encoding = Encoding::kAnsi;
  std::string_view bom;
  std::string_view bytes_text;  // 8-bit files: a view into the content
  std::string utf16_text;       // UTF-16 files: the converted text
  std::string_view odd_tail;

  std::string_view text() const {
    return encoding == Encoding::kUtf16Le || encoding == Encoding::kUtf16Be ? utf16_text
                                                                            : bytes_text;
  }
};

// The result views `content`, which must outlive it.
DecodedText Decode(std::string_view content);

// The file bytes for `text` in the encoding of `original`, with its mark.
std::string Encode(const DecodedText& original, std::string_view text);

// True when `text` is well-formed UTF-8 (no surrogates, no overlong forms).
bool IsValidUtf8(std::string_view text);

}  // namespace plumbmark::profile::detail
