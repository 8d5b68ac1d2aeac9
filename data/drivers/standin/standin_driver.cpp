#include "data/drivers/standin/standin_driver.h"

#include <filesystem>

#include "data/drivers/standin/standin_session.h"
#include "data/drivers/standin/tsql_lexer.h"
#include "data/error.h"

namespace bm::data::standin {

namespace {

class StandinDriver : public Driver {
 public:
  explicit StandinDriver(std::string folder) : folder_(std::move(folder)) {}

  std::unique_ptr<Session> connect(const std::vector<std::string>& params) override {
    std::string name = param_value(params, "DATABASE NAME");
    if (name.empty()) name = "master";
    std::string file = database_file(folder_, name);
    if (!iequals(name, "master") && !std::filesystem::exists(file))
      throw DbError("Cannot open database \"" + name + "\" requested by the login. The login failed.",
                    DbError::Kind::Connection);
    return std::make_unique<StandinSession>(file, name, folder_);
  }

 private:
  std::string folder_;
};

}  // namespace

std::string database_file(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / (lower(name) + ".sqlsrv.db")).string();
}

std::shared_ptr<Driver> make_driver(const std::string& folder) {
  std::filesystem::create_directories(folder);
  return std::make_shared<StandinDriver>(folder);
}

void create_database(const std::string& folder, const std::string& name) {
  std::filesystem::create_directories(folder);
  StandinSession master(database_file(folder, "master"), "master", folder);
  auto stmt = master.prepare("CREATE DATABASE [" + name + "]");
  stmt->execute({});
}

}  // namespace bm::data::standin
