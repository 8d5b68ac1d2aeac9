#include "data/connection.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace bm::data {

const char* driver_kind_name(DriverKind kind) {
  return kind == DriverKind::INTRBASE ? "INTRBASE" : "MSSQL";
}

namespace {
std::mutex g_drivers_mu;
std::map<DriverKind, std::shared_ptr<Driver>>& drivers() {
  static std::map<DriverKind, std::shared_ptr<Driver>> d;
  return d;
}
}  // namespace

void set_driver(DriverKind kind, std::shared_ptr<Driver> driver) {
  std::lock_guard lock(g_drivers_mu);
  drivers()[kind] = std::move(driver);
}

std::shared_ptr<Driver> driver_for(DriverKind kind) {
  std::lock_guard lock(g_drivers_mu);
  auto it = drivers().find(kind);
  return it == drivers().end() ? nullptr : it->second;
}

namespace profiles {

std::vector<std::string> short_file_list(const std::string& path) {
  return {"SERVER NAME=" + path, "USER NAME=sysdba", "PASSWORD=415903"};
}

std::vector<std::string> full_file_list(const std::string& path) {
  return {"SERVER NAME=" + path,
          "USER NAME=sysdba",
          "OPEN MODE=READ/WRITE",
          "SCHEMA CACHE SIZE=8",
          "LANGDRIVER=",
          "SQLQRYMODE=",
          "SQLPASSTHRU MODE=SHARED AUTOCOMMIT",
          "SCHEMA CACHE TIME=-1",
          "MAX ROWS=-1",
          "BATCH COUNT=200",
          "ENABLE SCHEMA CACHE=FALSE",
          "SCHEMA CACHE DIR=",
          "ENABLE BCD=FALSE",
          "BLOBS TO CACHE=64",
          "BLOB SIZE=32",
          "WAIT ON LOCKS=FALSE",
          "COMMIT RETAIN=FALSE",
          "ROLE NAME=",
          "PASSWORD=415903"};
}

std::vector<std::string> full_server_list(const std::string& database) {
  return {"DATABASE NAME=" + database,
          "SERVER NAME=(local)",
          "USER NAME=sysdba",
          "OPEN MODE=READ/WRITE",
          "SCHEMA CACHE SIZE=8",
          "BLOB EDIT LOGGING=",
          "LANGDRIVER=",
          "SQLQRYMODE=",
          "SQLPASSTHRU MODE=SHARED AUTOCOMMIT",
          "DATE MODE=0",
          "SCHEMA CACHE TIME=-1",
          "MAX QUERY TIME=300",
          "MAX ROWS=-1",
          "BATCH COUNT=200",
          "ENABLE SCHEMA CACHE=FALSE",
          "SCHEMA CACHE DIR=",
          "HOST NAME=",
          "APPLICATION NAME=",
          "NATIONAL LANG NAME=",
          "ENABLE BCD=FALSE",
          "TDS PACKET SIZE=4096",
          "BLOBS TO CACHE=64",
          "BLOB SIZE=32",
          "PASSWORD=415903"};
}

std::vector<std::string> file_profile(const std::string& path) {
  return {"SERVER NAME=" + path, "USER NAME=SYSDBA", "PASSWORD=415903",
          "SQLPASSTHRU MODE=SHARED AUTOCOMMIT"};
}

std::vector<std::string> server_profile(const std::string& database) {
  return {"DATABASE NAME=" + database, "SERVER NAME=(local)", "USER NAME=SYSDBA",
          "PASSWORD=415903", "SQLPASSTHRU MODE=SHARED AUTOCOMMIT"};
}

}  // namespace profiles

Connection::Connection(std::string name, DriverKind kind, std::vector<std::string> params)
    : name_(std::move(name)), kind_(kind), params_(std::move(params)) {}

Connection::~Connection() { close(); }

void Connection::rebuild_file_profile(const std::string& path) {
  close();
  params_.clear();
  for (auto& line : profiles::file_profile(path)) params_.push_back(line);
}

void Connection::rebuild_server_profile(const std::string& database) {
  close();
  params_.clear();
  for (auto& line : profiles::server_profile(database)) params_.push_back(line);
}

void Connection::open() {
  if (session_) return;
  auto driver = driver_for(kind_);
  if (!driver)
    throw DbError(std::string("No driver is installed for ") + driver_kind_name(kind_),
                  DbError::Kind::Connection);
  session_ = driver->connect(params_);
}

void Connection::close() {
  if (!session_) return;
  // Queries give up their results before the session goes.
  auto clients = clients_;
  for (auto* c : clients) c->connection_closing();
  if (session_->in_transaction()) {
    try {
      session_->commit();
    } catch (const DbError&) {
    }
  }
  session_.reset();
}

Session& Connection::session() {
  open();
  return *session_;
}

void Connection::attach(Client* c) { clients_.push_back(c); }
void Connection::detach(Client* c) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), c), clients_.end());
}

}  // namespace bm::data
