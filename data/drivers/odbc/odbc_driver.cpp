#include "data/drivers/odbc/odbc_driver.h"

#include <strings.h>

#include <filesystem>

#include "data/drivers/odbc/odbc_session.h"

namespace bm::data::odbc {

namespace {

bool same_name(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

#ifndef _WIN32
// FreeTDS's ODBC driver, by path so that nothing has to be registered in odbcinst.ini.
std::string freetds_driver() {
  for (const char* path : {"/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so",
                           "/usr/lib/aarch64-linux-gnu/odbc/libtdsodbc.so", "/usr/lib64/libtdsodbc.so",
                           "/usr/lib/libtdsodbc.so", "/usr/local/lib/libtdsodbc.so"}) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) return path;
  }
  return "FreeTDS";
}
#endif

// The connection string with its password hidden, for messages.
std::string without_password(const std::string& cs) {
  std::string out;
  size_t pos = 0;
  while (pos <= cs.size()) {
    size_t end = cs.find(';', pos);
    if (end == std::string::npos) end = cs.size();
    std::string part = cs.substr(pos, end - pos);
    size_t eq = part.find('=');
    std::string key = eq == std::string::npos ? part : part.substr(0, eq);
    if (same_name(key, "PWD") || same_name(key, "PASSWORD")) part = key + "=***";
    if (!out.empty()) out += ';';
    out += part;
    pos = end + 1;
  }
  return out;
}

class OdbcDriver : public Driver {
 public:
  explicit OdbcDriver(Options options) : options_(std::move(options)) {}

  std::unique_ptr<Session> connect(const std::vector<std::string>& params) override {
    std::string cs = param_value(params, "ODBC CONNECT");
    if (cs.empty() && options_.connection_string) cs = options_.connection_string(params);
    if (cs.empty() && options_.dialect == Dialect::SqlServer)
      cs = sqlserver_connection_string(params, options_.code_page);
    if (cs.empty())
      throw DbError("No ODBC connection string: the parameter list needs an \"ODBC CONNECT=\" line",
                    DbError::Kind::Connection);

    std::string database = param_value(params, "DATABASE NAME");
    std::string server = param_value(params, "SERVER NAME");
    std::string where = database.empty() && server.empty()
                            ? "the ODBC data source \"" + without_password(cs) + "\""
                            : "database \"" + database + "\" on SQL Server \"" + server + "\"";
    return std::make_unique<OdbcSession>(open_link(options_, cs, where));
  }

 private:
  Options options_;
};

}  // namespace

std::shared_ptr<Driver> make_driver(Options options) {
  return std::make_shared<OdbcDriver>(std::move(options));
}

Options sqlite_options() {
  Options o;
  o.code_page = CodePage::Utf8;
  o.dialect = Dialect::Generic;
  return o;
}

std::string connection_string_value(const std::string& value) {
  bool plain = value.find_first_of(";{}=") == std::string::npos && (value.empty() ||
               (value.front() != ' ' && value.back() != ' '));
  if (plain) return value;
  std::string out = "{";
  for (char c : value) {
    out += c;
    if (c == '}') out += '}';
  }
  return out + "}";
}

std::string sqlserver_connection_string(const std::vector<std::string>& params, CodePage code_page) {
  std::string server = param_value(params, "SERVER NAME");
  std::string cs;
#ifdef _WIN32
  cs = "DRIVER={SQL Server};SERVER=" + connection_string_value(server.empty() ? "(local)" : server);
#else
  cs = "DRIVER=" + connection_string_value(freetds_driver());
  // FreeTDS knows no "(local)": this machine's default instance listens on 127.0.0.1:1433.
  std::string host = server, instance, port;
  if (auto slash = host.find('\\'); slash != std::string::npos) {
    instance = host.substr(slash + 1);
    host = host.substr(0, slash);
  }
  if (auto comma = host.find(','); comma != std::string::npos) {
    port = host.substr(comma + 1);
    host = host.substr(0, comma);
  }
  if (host.empty() || host == "." || same_name(host, "(local)") || same_name(host, "localhost"))
    host = "127.0.0.1";
  if (!instance.empty()) {
    cs += ";SERVER=" + connection_string_value(host + "\\" + instance);
  } else {
    cs += ";SERVER=" + connection_string_value(host) + ";PORT=" + (port.empty() ? "1433" : port);
  }
  // A fixed protocol version: with "auto", FreeTDS tries Sybase's TDS 5.0 after a login that
  // timed out, and a server that does not answer then costs several timeouts.
  cs += ";TDS_Version=7.3";
  cs += std::string(";ClientCharset=") + (code_page == CodePage::Gbk ? "GBK" : "UTF-8");
#endif
  cs += ";DATABASE=" + connection_string_value(param_value(params, "DATABASE NAME"));
  std::string user = param_value(params, "USER NAME");
  if (user.empty()) {
#ifdef _WIN32
    cs += ";Trusted_Connection=yes";
#endif
  } else {
    cs += ";UID=" + connection_string_value(user) +
          ";PWD=" + connection_string_value(param_value(params, "PASSWORD"));
  }
  return cs;
}

}  // namespace bm::data::odbc
