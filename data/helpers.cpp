#include "data/helpers.h"

namespace bm::data {

namespace {

void prepare(Query& query, const std::string& statement) {
  query.close();
  query.sql().clear();
  query.sql().push_back(statement);
}

}  // namespace

void ExecQuiet(Query& query, const std::string& statement) {
  prepare(query, statement);
  try {
    query.exec_sql();
  } catch (const DbError&) {
  }
}

void ExecShow(MessagePort& port, Query& query, const std::string& statement) {
  prepare(query, statement);
  try {
    query.exec_sql();
  } catch (const DbError&) {
    port.data_error(statement);
  }
}

void OpenQuiet(Query& query, const std::string& statement) {
  prepare(query, statement);
  try {
    query.open();
  } catch (const DbError&) {
    query.close();
  }
}

void OpenShow(MessagePort& port, Query& query, const std::string& statement) {
  prepare(query, statement);
  try {
    query.open();
  } catch (const DbError&) {
    query.close();
    port.data_error(statement);
  }
}

}  // namespace bm::data
