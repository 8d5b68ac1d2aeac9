#include "cli/console_port.h"

#include <unistd.h>

namespace bm::cli {

ConsolePort::ConsolePort(std::FILE* out) : out_(out), tty_(isatty(fileno(out)) != 0) {}

void ConsolePort::end_progress_line() {
  if (!progress_shown_) return;
  std::fputs("\r\033[K", out_);
  progress_shown_ = false;
}

void ConsolePort::info(const std::string& text) {
  end_progress_line();
  std::fprintf(out_, "[提示] %s\n", text.c_str());
}

void ConsolePort::data_error(const std::string& statement) {
  end_progress_line();
  ++data_errors_;
  std::fprintf(out_, "[ ] %s%s\n", data::kDataErrorPrefix, statement.c_str());
}

void ConsolePort::notice(const std::string& text) {
  end_progress_line();
  std::fprintf(out_, "[ ] %s\n", text.c_str());
}

void ConsolePort::error(const std::string& text) {
  end_progress_line();
  ++errors_;
  std::fprintf(out_, "[错误] %s\n", text.c_str());
}

void ConsolePort::progress(const std::string& what, int64_t done, int64_t total) {
  auto now = std::chrono::steady_clock::now();
  if (done == 0 && total < 0) {
    started_ = now;
    jobs_.push_back({what, 0, 0});
  }
  if (!jobs_.empty() && jobs_.back().table == what) {
    jobs_.back().rows = done;
    jobs_.back().seconds = std::chrono::duration<double>(now - started_).count();
  }
  if (total >= 0 && done == total) {
    end_progress_line();
    return;
  }
  if (tty_ && done > 0) {
    std::fprintf(out_, "\r\033[K  %s: %lld 行...", what.c_str(), static_cast<long long>(done));
    std::fflush(out_);
    progress_shown_ = true;
  }
}

}  // namespace bm::cli
