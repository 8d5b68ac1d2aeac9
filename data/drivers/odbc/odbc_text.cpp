#include "data/drivers/odbc/odbc_api.h"
#include "data/encoding.h"

namespace bm::data::odbc {

std::string to_client(const std::string& utf8, CodePage cp) {
  if (cp == CodePage::Utf8) return utf8;
  std::optional<std::string> gbk = utf8_to_gbk(utf8);
  if (!gbk)
    throw DbError("The text has a character that code page 936 (GBK) cannot hold: " + utf8,
                  DbError::Kind::ValueProblem);
  return *gbk;
}

std::string from_client(const std::string& bytes, CodePage cp) {
  return cp == CodePage::Utf8 ? bytes : gbk_to_utf8(bytes);
}

std::string utf16_to_utf8(const SQLWCHAR* s, size_t units) {
  std::string out;
  out.reserve(units);
  for (size_t i = 0; i < units; ++i) {
    uint32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // a lone surrogate
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace bm::data::odbc
