// How the core reports to a person. The program shows modal boxes, the console prints, tests
// record. The core never shows anything itself.
#pragma once
#include <cstdint>
#include <string>

namespace bm::data {

class MessagePort {
 public:
  virtual ~MessagePort() = default;
  // An information box with an OK button.
  virtual void info(const std::string& text) = 0;
  // The data-error box: empty title, OK button, "系统数据出错:" immediately followed by the statement.
  virtual void data_error(const std::string& statement) = 0;
  // The standard error box with the database layer's error text.
  virtual void error(const std::string& text) = 0;
  // Progress of a long operation: rows moved so far, total when known (-1 otherwise).
  virtual void progress(const std::string& /*what*/, int64_t /*done*/, int64_t /*total*/) {}
};

// The prefix of the data-error box.
inline constexpr const char* kDataErrorPrefix = "系统数据出错:";

// A port that drops everything: for callers that report nothing (copy jobs run without a window).
class SilentPort : public MessagePort {
 public:
  void info(const std::string&) override {}
  void data_error(const std::string&) override {}
  void error(const std::string&) override {}
};

}  // namespace bm::data
