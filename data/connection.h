// Named connections and their parameter-list profiles.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "data/driver.h"

namespace bm::data {

enum class DriverKind { INTRBASE, MSSQL };
const char* driver_kind_name(DriverKind kind);

// Which driver serves which driver kind. The program installs its drivers at start
// (drivers/install.h); tests and demos may put the SQL Server stand-in in place of ODBC.
void set_driver(DriverKind kind, std::shared_ptr<Driver> driver);
std::shared_ptr<Driver> driver_for(DriverKind kind);  // null when none is installed

// The three initial parameter-list shapes and the two connect-time profiles.
namespace profiles {
std::vector<std::string> short_file_list(const std::string& path);
std::vector<std::string> full_file_list(const std::string& path);
std::vector<std::string> full_server_list(const std::string& database);
std::vector<std::string> file_profile(const std::string& path);
std::vector<std::string> server_profile(const std::string& database);
}  // namespace profiles

class Connection {
 public:
  Connection(std::string name, DriverKind kind, std::vector<std::string> params = {});
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  const std::string& name() const { return name_; }
  DriverKind kind() const { return kind_; }
  bool login_prompt() const { return false; }

  const std::vector<std::string>& params() const { return params_; }
  std::vector<std::string>& params() { return params_; }

  // The profile rebuild: disconnect, clear the list, add the profile's lines. Does not open.
  void rebuild_file_profile(const std::string& path);
  void rebuild_server_profile(const std::string& database);

  bool connected() const { return session_ != nullptr; }
  // Connects with the current parameter list; nothing when already connected.
  void open();
  // Disconnects; nothing when closed. Open queries on this connection are closed first.
  void close();

  // The open session, opening the connection first when it is closed (automatic open).
  Session& session();

  // Queries register themselves so that closing the connection closes them.
  class Client {
   public:
    virtual ~Client() = default;
    virtual void connection_closing() = 0;
  };
  void attach(Client* c);
  void detach(Client* c);

 private:
  std::string name_;
  DriverKind kind_;
  std::vector<std::string> params_;
  std::unique_ptr<Session> session_;
  std::vector<Client*> clients_;
};

}  // namespace bm::data
