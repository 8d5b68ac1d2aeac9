#include "data/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace bm::data {

namespace {

// iconv descriptors are not thread-safe; one per direction, guarded.
struct Converter {
  iconv_t cd;
  std::mutex mu;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
};

Converter& to_gbk() {
  static Converter c("GBK", "UTF-8");
  return c;
}
Converter& from_gbk() {
  static Converter c("UTF-8", "GBK");
  return c;
}

}  // namespace

bool is_ascii(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

size_t utf8_length(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::optional<std::string> utf8_to_gbk(const std::string& utf8) {
  if (is_ascii(utf8)) return utf8;
  Converter& c = to_gbk();
  std::lock_guard lock(c.mu);
  iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
  std::string out(utf8.size() * 2 + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* dst = out.data();
  size_t out_left = out.size();
  if (iconv(c.cd, &in, &in_left, &dst, &out_left) == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - out_left);
  return out;
}

std::string gbk_to_utf8(const std::string& gbk) {
  if (is_ascii(gbk)) return gbk;
  Converter& c = from_gbk();
  std::lock_guard lock(c.mu);
  iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  out.reserve(gbk.size() * 2);
  char* in = const_cast<char*>(gbk.data());
  size_t in_left = gbk.size();
  char buf[4096];
  while (in_left > 0) {
    char* dst = buf;
    size_t out_left = sizeof buf;
    size_t r = iconv(c.cd, &in, &in_left, &dst, &out_left);
    out.append(buf, sizeof buf - out_left);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // An invalid or cut byte sequence: mark it and go on with the next byte.
      out += "\xEF\xBF\xBD";
      ++in;
      --in_left;
      iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace bm::data
