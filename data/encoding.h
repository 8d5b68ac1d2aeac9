// Text crosses into the databases in code page 936 (GBK): conversions at the connection boundary.
#pragma once
#include <optional>
#include <string>

namespace bm::data {

// Nullopt when the text has a character that GBK cannot hold (or is not valid UTF-8).
std::optional<std::string> utf8_to_gbk(const std::string& utf8);
// Bytes that are not valid GBK are replaced by U+FFFD, never dropped.
std::string gbk_to_utf8(const std::string& gbk);
// Number of characters of UTF-8 text.
size_t utf8_length(const std::string& utf8);
bool is_ascii(const std::string& s);

}  // namespace bm::data
