#include "tests/data/conformance.h"

namespace bm::test {

void Conformance::SetUp() {
  backend = conformance_backend();
  data::set_driver(backend.kind, backend.make_driver());
  conn = std::make_unique<data::Connection>("QIMD", backend.kind,
                                            backend.create_database(dir.path(), "conf"));
}

std::unique_ptr<data::Connection> Conformance::new_database(const std::string& name) {
  return std::make_unique<data::Connection>("QIMS", backend.kind,
                                            backend.create_database(dir.path(), name));
}

void Conformance::exec(const std::string& sql, data::Connection* on) {
  data::Query q("btQry_Temp_D", on ? *on : *conn);
  q.set_param_check(false);
  q.set_sql(backend.ddl(sql));
  q.exec_sql();
}

Rows Conformance::rows(const std::string& sql, data::Connection* on) {
  data::Query q("Query1", on ? *on : *conn);
  q.set_sql(sql);
  q.open();
  Rows out;
  while (!q.eof()) {
    std::vector<std::string> r;
    for (const auto& v : q.current_row()) r.push_back(data::to_text(v));
    out.push_back(r);
    q.next();
  }
  return out;
}

std::string Conformance::scalar(const std::string& sql, data::Connection* on) {
  auto r = rows(sql, on);
  return r.empty() ? "<no row>" : r[0][0];
}

}  // namespace bm::test
