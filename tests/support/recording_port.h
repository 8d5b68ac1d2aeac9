// A message port that records every box instead of showing it.
#pragma once
#include <string>
#include <vector>

#include "data/message_port.h"

namespace bm::test {

class RecordingPort : public data::MessagePort {
 public:
  struct Box {
    enum class Kind { Info, DataError, Notice, Error } kind;
    std::string text;  // the text as the box shows it
    bool operator==(const Box&) const = default;
  };
  void info(const std::string& text) override;
  void data_error(const std::string& statement) override;
  void notice(const std::string& text) override;
  void error(const std::string& text) override;
  void progress(const std::string& what, int64_t done, int64_t total) override;

  std::vector<Box> boxes;
  int64_t progress_calls = 0;
  std::vector<std::string> texts() const;  // the texts of all boxes, in order
  void clear() { boxes.clear(); progress_calls = 0; }
};

}  // namespace bm::test
