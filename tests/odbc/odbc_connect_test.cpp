// Connecting: the SQL Server connection string from a parameter list, and connects that fail
// quickly with a message that names the server and the database.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "tests/odbc/sqlite_odbc.h"
#include "tests/support/temp_dir.h"

namespace bm::test {
namespace {

using data::DbError;
namespace odbc = data::odbc;

TEST(OdbcConnectionString, BuiltFromTheServerProfile) {
  struct Case {
    const char* server;
    const char* expected_server;
  } cases[] = {
      {"(local)", ";SERVER=127.0.0.1;PORT=1433;"},
      {"", ";SERVER=127.0.0.1;PORT=1433;"},
      {"shopserver", ";SERVER=shopserver;PORT=1433;"},
      {"10.0.0.5,1500", ";SERVER=10.0.0.5;PORT=1500;"},
      {"(local)\\SQLEXPRESS", ";SERVER=127.0.0.1\\SQLEXPRESS;"},
  };
  for (const auto& c : cases) {
    std::string cs = odbc::sqlserver_connection_string(
        {"DATABASE NAME=rorudazez", std::string("SERVER NAME=") + c.server, "USER NAME=sysdba",
         "PASSWORD=415903", "SQLPASSTHRU MODE=SHARED AUTOCOMMIT"});
    EXPECT_NE(cs.find(c.expected_server), std::string::npos) << cs;
    EXPECT_NE(cs.find(";TDS_Version=7.3;ClientCharset=GBK;DATABASE=rorudazez;UID=sysdba;PWD=415903"), std::string::npos) << cs;
    EXPECT_EQ(cs.find("DRIVER="), 0u) << cs;
  }
  EXPECT_EQ(odbc::connection_string_value("a;b}"), "{a;b}}}");
  EXPECT_EQ(odbc::connection_string_value("plain"), "plain");
}

// A TCP port that takes connections and never answers: a server that hangs.
class SilentServer {
 public:
  SilentServer() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&a), len) != 0 || listen(fd_, 4) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
      throw std::runtime_error("cannot open a local port");
    port_ = ntohs(a.sin_port);
  }
  ~SilentServer() { close(fd_); }
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

DbError connect_error(const std::vector<std::string>& params, odbc::Options o, double& seconds) {
  auto start = std::chrono::steady_clock::now();
  try {
    odbc::make_driver(std::move(o))->connect(params);
  } catch (const DbError& e) {
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return e;
  }
  ADD_FAILURE() << "the connect did not fail";
  return DbError("");
}

TEST(OdbcConnect, ASqlServerThatDoesNotAnswerFailsQuicklyNamingServerAndDatabase) {
  SilentServer silent;
  // A closed port is refused at once; a port that takes the connection and stays silent
  // runs into the login timeout.
  int closed_port = 0;
  {
    SilentServer gone;
    closed_port = gone.port();
  }
  for (int port : {closed_port, silent.port()}) {
    std::string server = "127.0.0.1," + std::to_string(port);
    odbc::Options o;
    o.login_timeout_seconds = 2;
    double seconds = 0;
    DbError e = connect_error({"DATABASE NAME=rorudazez", "SERVER NAME=" + server, "USER NAME=sysdba",
                               "PASSWORD=415903"},
                              o, seconds);
    SCOPED_TRACE(e.what());
    EXPECT_EQ(e.kind(), DbError::Kind::Connection);
    EXPECT_LT(seconds, 8.0);
    std::string text = e.what();
    EXPECT_EQ(text.find("Cannot connect to database \"rorudazez\" on SQL Server \"" + server + "\": "), 0u);
    EXPECT_GT(text.size(), 70u) << "the driver's own reason follows";
    EXPECT_EQ(text.find("415903"), std::string::npos) << "no password in messages";
  }
}

TEST(OdbcConnect, OtherConnectFailuresAreConnectionErrors) {
  TempDir dir;
  double seconds = 0;
  DbError no_driver = connect_error({"ODBC CONNECT=DRIVER=/nonexistent/libnothing.so;PWD=secret"},
                                    odbc::sqlite_options(), seconds);
  EXPECT_EQ(no_driver.kind(), DbError::Kind::Connection);
  EXPECT_NE(std::string(no_driver.what()).find("PWD=***"), std::string::npos) << no_driver.what();
  EXPECT_EQ(std::string(no_driver.what()).find("secret"), std::string::npos) << no_driver.what();

  DbError no_string = connect_error({"DATABASE NAME=x"}, odbc::sqlite_options(), seconds);
  EXPECT_EQ(no_string.kind(), DbError::Kind::Connection);

  DbError no_folder = connect_error(sqlite_params(dir.file("missing/folder/x.sqlite")),
                                    odbc::sqlite_options(), seconds);
  EXPECT_EQ(no_folder.kind(), DbError::Kind::Connection);
}

}  // namespace
}  // namespace bm::test
