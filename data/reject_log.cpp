#include "data/reject_log.h"

#include <ctime>
#include <filesystem>
#include <fstream>

namespace bm::data {

std::string write_reject_log(const std::string& dir, const std::string& job, const std::string& table,
                             const BatchStats& stats) {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  std::filesystem::path folder = dir.empty() ? std::filesystem::current_path() : std::filesystem::path(dir);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::filesystem::path path = folder / (job + "-" + table + "-" + stamp + ".log");
  std::ofstream out(path, std::ios::binary);
  if (!out) return {};
  out << "\xEF\xBB\xBF";  // so that Notepad reads the Chinese text as UTF-8
  out << "表 " << table << "（" << job << "）：读入 " << stats.read << " 行，新增 " << stats.inserted << " 行，更新 "
      << stats.updated << " 行，没有导入 " << stats.left_out() << " 行\r\n";
  out << "原因\t源行号\t键\t说明\r\n";
  for (const auto& r : stats.rejected)
    out << (r.reason == RejectedRow::Reason::Key ? "键重复" : "数值不符") << '\t' << r.source_row << '\t' << r.key
        << '\t' << r.detail << "\r\n";
  out.close();
  return out ? path.string() : std::string();
}

std::string left_out_summary(const std::string& table, const BatchStats& stats, const std::string& log_path) {
  std::string text = table + "：有 " + std::to_string(stats.left_out()) + " 行没有导入（键重复 " +
                     std::to_string(stats.left_out_key) + " 行，数值不符 " + std::to_string(stats.left_out_value) +
                     " 行）";
  text += log_path.empty() ? "，明细日志无法写入。" : "，明细见 " + log_path;
  return text;
}

}  // namespace bm::data
