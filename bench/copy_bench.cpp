// Copy job benchmark: a sales-line table of N rows moved by a copy job from one embedded
// Firebird database into another, against the engine's own INSERT ... SELECT inside one
// database (the bulk path no client can beat). Prints rows per second, their ratio, and the copy
// job's peak memory at N and at N/10.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/batch_move.h"
#include "data/connection.h"
#include "data/drivers/firebird/fb_driver.h"
#include "data/drivers/install.h"
#include "data/query.h"

using namespace bm::data;
using Clock = std::chrono::steady_clock;

namespace {

const char* kTable =
    "CREATE TABLE %s (ORDER_NO VARCHAR(20) NOT NULL, SEQ_NO INTEGER NOT NULL, BOOK_ID INTEGER, "
    "NUMBER INTEGER, PRICE NUMERIC(15,2), DISCOUNT NUMERIC(9,4), COST NUMERIC(15,2), "
    "LIB_NO SMALLINT, LIB_POSITION VARCHAR(20), PACK INTEGER, ORDER_DATED DATE, "
    "DREMARK VARCHAR(100), STS CHAR(1), TRANFLAG CHAR(1), STORE_NO1 VARCHAR(10), LASTUPTIME DATE, "
    "FFLOAT1 DOUBLE PRECISION, FFLOAT2 DOUBLE PRECISION, FINT1 INTEGER, FINT2 INTEGER, "
    "FSTR1 VARCHAR(40), FSTR2 VARCHAR(40), FTIME1 DATE, ISBN VARCHAR(20), BOOK_NAME VARCHAR(100), "
    "PRIMARY KEY (ORDER_NO, SEQ_NO))";

void exec(Connection& c, const std::string& sql) {
  Query q("btQry_Temp_D", c);
  q.set_param_check(false);
  q.set_sql(sql);
  q.exec_sql();
}

void create_table(Connection& c, const std::string& name) {
  char buf[2048];
  std::snprintf(buf, sizeof buf, kTable, name.c_str());
  exec(c, buf);
}

double seconds_since(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

// Peak resident memory (kB) since the last reset.
long peak_kb() {
  std::ifstream f("/proc/self/status");
  std::string line;
  while (std::getline(f, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}
long current_kb() {
  std::ifstream f("/proc/self/status");
  std::string line;
  while (std::getline(f, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}
void reset_peak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct JobRun {
  double seconds;
  long peak_kb, base_kb;
  BatchStats stats;
};

JobRun copy_job(Connection& src, Connection& dst, const std::string& table, const std::string& where) {
  Query source("btQuery9", src);
  source.set_sql("SELECT * FROM SELL" + where);
  Table dest("Table9", dst, table);
  BatchMove job("BatchMove9");
  job.source = &source;
  job.destination = &dest;
  reset_peak();
  long base = current_kb();
  auto t = Clock::now();
  BatchStats stats = job.execute();
  return {seconds_since(t), peak_kb(), base, std::move(stats)};
}

}  // namespace

int main(int argc, char** argv) {
  long rows = 1000000;
  std::string dir;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--rows" && i + 1 < argc) rows = std::atol(argv[++i]);
    else if (a == "--dir" && i + 1 < argc) dir = argv[++i];
    else {
      std::printf("usage: copy_bench [--rows N] [--dir FOLDER]\n");
      return a == "--help" ? 0 : 2;
    }
  }
  if (dir.empty()) dir = (std::filesystem::temp_directory_path() / "bookmove-bench").string();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  install_default_drivers();

  std::string a_path = dir + "/source.fdb", b_path = dir + "/target.fdb";
  const char* charset = std::getenv("BENCH_CHARSET") ? std::getenv("BENCH_CHARSET") : "GBK";
  firebird::create_database(a_path, 1, charset);
  firebird::create_database(b_path, 1, charset);
  Connection a("QIMS", DriverKind::INTRBASE, profiles::file_profile(a_path));
  Connection b("QIMD", DriverKind::INTRBASE, profiles::file_profile(b_path));
  create_table(a, "SELL");
  create_table(a, "SELL_COPY");
  create_table(b, "SELL");
  create_table(b, "SELL_SMALL");

  std::printf("bookmove copy job benchmark: %ld rows of a 25-column sales-line table (dialect 1, GBK)\n", rows);
  auto t = Clock::now();
  exec(a,
       "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < " + std::to_string(rows) +
           ") DO BEGIN INSERT INTO SELL VALUES ('XS' || CAST(CAST((:I - MOD(:I, 20)) / 20 AS INTEGER) AS VARCHAR(12)), MOD(:I, 20) + 1, "
           "MOD(:I * 7, 5000) + 1, MOD(:I, 9) + 1, 10 + MOD(:I, 300) / 10.0, 0.75, 7.5 + MOD(:I, 100), 1, "
           "'A-' || MOD(:I, 40), 1, CAST('2011-03-01' AS DATE) + MOD(:I, 700), '销售明细备注 ' || :I, 'N', "
           "'0', 'N1', CAST('2012-01-01 10:00:00' AS DATE), :I * 0.5, NULL, :I, NULL, '附加文字', NULL, "
           "NULL, '978' || LPAD(:I, 10, '0'), '图书名称第' || MOD(:I * 7, 5000) || '种'); "
           "I = I + 1; END END");
  std::printf("  source filled in %.1f s\n", seconds_since(t));

  // Reading alone: how much of the copy job is the source side.
  t = Clock::now();
  {
    Query q("btQuery9", a);
    q.set_sql("SELECT * FROM SELL");
    q.open();
    std::vector<Value> row;
    while (q.fetch_into(row)) {
    }
  }
  double read_only = seconds_since(t);

  JobRun full = copy_job(a, b, "SELL", "");
  if (full.stats.inserted != rows) {
    std::printf("copy job moved %lld of %ld rows\n", static_cast<long long>(full.stats.inserted), rows);
    return 1;
  }
  JobRun small = copy_job(a, b, "SELL_SMALL", " WHERE BOOK_ID <= 500");

  t = Clock::now();
  exec(a, "INSERT INTO SELL_COPY SELECT * FROM SELL");
  double engine = seconds_since(t);

  double job_rate = rows / full.seconds, engine_rate = rows / engine;
  std::printf("\n  %-44s %12s %10s\n", "", "rows/s", "seconds");
  std::printf("  %-44s %12.0f %10.2f\n", "copy job, database to database", job_rate, full.seconds);
  std::printf("  %-44s %12.0f %10.2f\n", "engine INSERT ... SELECT, one database", engine_rate, engine);
  std::printf("  %-44s %12.0f %10.2f\n", "reading the source alone", rows / read_only, read_only);
  std::printf("  ratio (copy job time / engine time): %.2f  (goal: at most 1.5)\n", full.seconds / engine);
  std::printf("\n  copy job peak memory: %ld kB at %ld rows, %ld kB at %lld rows "
              "(resident before the job: %ld kB and %ld kB)\n",
              full.peak_kb, rows, small.peak_kb, static_cast<long long>(small.stats.read), full.base_kb,
              small.base_kb);
  return 0;
}
