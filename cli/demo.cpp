// The demo: a sample shop and a freshly installed target in a folder, the whole copy workflow
// between them, and a table of what arrived.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "cli/console_port.h"
#include "cli/standard_commands.h"
#include "data/query.h"
#include "migrate/bas_dm.h"
#include "migrate/standard_copy_plan.h"
#include "tests/fixtures/standard_db.h"

namespace bm::cli {

namespace {

std::string count(data::Connection& c, const std::string& sql) {
  data::Query q("count", c);
  q.set_sql(sql);
  q.open();
  return q.field_text(q.fields().at(0).name);
}

// The rows the job's source query returns, counted by the database.
std::string source_rows(data::Connection& c, const std::string& table) {
  for (const auto& def : migrate::standard_copy_jobs()) {
    if (table != def.table) continue;
    std::string sql = def.source_sql;
    auto order = sql.find(" order by ");
    if (order != std::string::npos) sql.erase(order);
    return count(c, "select count(*) from (" + sql + ")");
  }
  return "?";
}

// Pads text to a width in screen columns: a Chinese character takes two.
std::string pad(const std::string& text, size_t width, bool right = false) {
  size_t cols = 0;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    cols += len >= 3 ? 2 : 1;
    i += len;
  }
  std::string fill(cols < width ? width - cols : 0, ' ');
  return right ? fill + text : text + fill;
}

double seconds_since(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

}  // namespace

int run_demo(const std::vector<std::string>& args) {
  Options o(args, {"--dir", "--scale"});
  std::filesystem::path dir = std::filesystem::absolute(o.get("--dir", "demo"));
  int scale = std::stoi(o.get("--scale", "20"));
  if (scale < 1 || scale > 1000) throw std::runtime_error("--scale 取 1 到 1000");
  std::filesystem::create_directories(dir);
  std::string shop = (dir / "shop.fdb").string(), target = (dir / "target.fdb").string();
  std::filesystem::remove(shop);
  std::filesystem::remove(target);

  std::printf("示例书店（源）:   %s\n新装数据库（目标）: %s\n", shop.c_str(), target.c_str());
  auto t = std::chrono::steady_clock::now();
  fixtures::create_standard_database(shop);
  {
    data::Connection c("shop", data::DriverKind::INTRBASE, data::profiles::file_profile(shop));
    fixtures::fill_shop(c, scale);
  }
  fixtures::create_standard_database(target);
  std::printf("示例数据已生成（规模 %d，%.1f 秒）\n\n", scale, seconds_since(t));

  ConsolePort port;
  migrate::TBAS_DMFrm dm(port);
  t = std::chrono::steady_clock::now();
  run_copy_steps(dm, port, shop, target, kSteps, all_tables(), true);
  double total = seconds_since(t);

  std::printf("\n%s %s %s %s\n", pad("表", 20).c_str(), pad("源行数", 12, true).c_str(),
              pad("目标行数", 12, true).c_str(), pad("用时(秒)", 10, true).c_str());
  int64_t src_sum = 0, dst_sum = 0;
  bool whole = true;
  for (const auto& job : port.jobs()) {
    std::string s = source_rows(dm.QIMS, job.table);
    std::string d = count(dm.QIMD, "select count(*) from " + job.table);
    bool same = s == d;
    whole = whole && same;
    src_sum += std::stoll(s);
    dst_sum += std::stoll(d);
    std::printf("%-20s %12s %12s %10.2f%s\n", job.table.c_str(), s.c_str(), d.c_str(), job.seconds,
                same ? "" : "  <-- 不一致");
  }
  std::printf("%s %12lld %12lld %10.2f\n", pad("合计", 20).c_str(), static_cast<long long>(src_sum),
              static_cast<long long>(dst_sum), total);
  std::printf("\n%s\n", whole && port.errors() == 0 ? "整个书店已完整复制。" : "复制不完整，请查看上面的提示。");
  return whole && port.errors() == 0 ? 0 : 1;
}

}  // namespace bm::cli
