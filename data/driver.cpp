#include "data/driver.h"

#include <strings.h>

namespace bm::data {

size_t Statement::execute_many(const std::vector<std::vector<Value>>& rows,
                               std::optional<DbError>& failure) {
  failure.reset();
  size_t done = 0;
  for (const auto& row : rows) {
    try {
      execute(row);
    } catch (const DbError& e) {
      failure = e;
      return done;
    }
    ++done;
  }
  return done;
}

std::unique_ptr<Statement> Session::prepare_insert(const std::string& table,
                                                   const std::vector<std::string>& columns) {
  std::string cols, marks;
  for (size_t i = 0; i < columns.size(); ++i) {
    cols += (i ? ", " : "") + quote_identifier(columns[i]);
    marks += i ? ", ?" : "?";
  }
  return prepare("INSERT INTO " + quote_identifier(table) + " (" + cols + ") VALUES (" + marks + ")");
}

std::string param_value(const std::vector<std::string>& params, const std::string& name) {
  for (const auto& line : params) {
    auto eq = line.find('=');
    if (eq == std::string::npos || eq != name.size()) continue;
    if (strncasecmp(line.c_str(), name.c_str(), eq) == 0) return line.substr(eq + 1);
  }
  return {};
}

}  // namespace bm::data
