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
  // A box with an empty title and an OK button showing the text as it is.
  virtual void notice(const std::string& text) { info(text); }
  // The standard error box with the database layer's error text.
  virtual void error(const std::string& text) = 0;
  // Progress of a long operation: rows moved so far, total when known (-1 otherwise). A copy job
  // reports 0 when it starts and done == total when it ends.
  virtual void progress(const std::string& /*what*/, int64_t /*done*/, int64_t /*total*/) {}
};

// The prefix of the data-error box.
inline constexpr const char* kDataErrorPrefix = "系统数据出错:";

// Runs one operation the way a button handler does: an error that the operation does not
// handle itself ends it and is shown in the standard error box. False when it ended that way.
template <typename F>
bool run_step(MessagePort& port, F&& operation);

// A port that drops everything: for callers that report nothing (copy jobs run without a window).
class SilentPort : public MessagePort {
 public:
  void info(const std::string&) override {}
  void data_error(const std::string&) override {}
  void error(const std::string&) override {}
};

}  // namespace bm::data

#include <exception>

#include "data/error.h"

namespace bm::data {

template <typename F>
bool run_step(MessagePort& port, F&& operation) {
  try {
    operation();
    return true;
  } catch (const DbError& e) {
    port.error(e.what());
  } catch (const std::exception& e) {
    port.error(e.what());
  }
  return false;
}

}  // namespace bm::data
