// The console's message port: every box printed as the window would show it, a progress line
// during copy jobs, and the per-table figures of each copy job for the closing summary.
#pragma once
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "data/message_port.h"

namespace bm::cli {

class ConsolePort : public data::MessagePort {
 public:
  explicit ConsolePort(std::FILE* out = stdout);
  void info(const std::string& text) override;
  void data_error(const std::string& statement) override;
  void notice(const std::string& text) override;
  void error(const std::string& text) override;
  void progress(const std::string& what, int64_t done, int64_t total) override;

  struct JobTiming {
    std::string table;
    int64_t rows = 0;
    double seconds = 0;
  };
  const std::vector<JobTiming>& jobs() const { return jobs_; }
  int errors() const { return errors_; }
  int data_errors() const { return data_errors_; }

 private:
  void end_progress_line();
  std::FILE* out_;
  bool tty_;
  bool progress_shown_ = false;
  int errors_ = 0, data_errors_ = 0;
  std::chrono::steady_clock::time_point started_;
  std::vector<JobTiming> jobs_;
};

}  // namespace bm::cli
