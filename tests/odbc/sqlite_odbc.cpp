#include "tests/odbc/sqlite_odbc.h"

#include <filesystem>
#include <stdexcept>

namespace bm::test {

std::string sqlite_odbc_driver_path() {
  for (const char* path : {"/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so",
                           "/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so", "/usr/lib64/libsqlite3odbc.so",
                           "/usr/lib/odbc/libsqlite3odbc.so"}) {
    if (std::filesystem::exists(path)) return path;
  }
  throw std::runtime_error("SQLite's ODBC driver (libsqliteodbc) is not installed");
}

std::vector<std::string> sqlite_params(const std::string& file) {
  // Test databases need no flush to disk after every commit.
  return {"ODBC CONNECT=DRIVER=" + sqlite_odbc_driver_path() + ";Database=" + file + ";SyncPragma=OFF"};
}

std::unique_ptr<data::Session> sqlite_session(const std::string& file, data::odbc::Options options) {
  return data::odbc::make_driver(std::move(options))->connect(sqlite_params(file));
}

void run(data::Session& s, const std::vector<std::string>& statements) {
  for (const auto& sql : statements) s.prepare(sql)->execute({});
}

std::vector<std::vector<data::Value>> select(data::Session& s, const std::string& sql,
                                             const std::vector<data::Value>& params) {
  auto st = s.prepare(sql);
  st->execute(params);
  std::vector<std::vector<data::Value>> out;
  std::vector<data::Value> row;
  while (st->fetch(row)) out.push_back(row);
  return out;
}

}  // namespace bm::test
