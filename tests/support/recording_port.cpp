#include "tests/support/recording_port.h"

namespace bm::test {

void RecordingPort::info(const std::string& text) { boxes.push_back({Box::Kind::Info, text}); }
void RecordingPort::data_error(const std::string& statement) {
  boxes.push_back({Box::Kind::DataError, std::string(data::kDataErrorPrefix) + statement});
}
void RecordingPort::notice(const std::string& text) { boxes.push_back({Box::Kind::Notice, text}); }
void RecordingPort::error(const std::string& text) { boxes.push_back({Box::Kind::Error, text}); }
void RecordingPort::progress(const std::string&, int64_t, int64_t) { ++progress_calls; }

std::vector<std::string> RecordingPort::texts() const {
  std::vector<std::string> out;
  for (const auto& b : boxes) out.push_back(b.text);
  return out;
}

}  // namespace bm::test
