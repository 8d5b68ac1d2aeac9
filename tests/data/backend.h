// A database backend under test: the conformance suite of the access layer runs against each.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/connection.h"

namespace bm::test {

struct Backend {
  std::string name;  // "firebird", "odbc_sqlite", "standin"
  data::DriverKind kind;
  std::function<std::shared_ptr<data::Driver>()> make_driver;
  // Creates a fresh, empty database called `name` in the folder `dir` and returns the parameter
  // list that connects to it.
  std::function<std::vector<std::string>(const std::string& dir, const std::string& name)>
      create_database;
  // Turns the suite's generic column types into this database's words. The suite writes
  // INTEGER, SMALLINT, VARCHAR(n), NUMERIC(p,s), DOUBLE PRECISION, TIMESTAMP, BIGINT.
  std::function<std::string(const std::string& ddl)> ddl;
  // A stored procedure with integer inputs A and B that inserts (A, B) into table PROC_LOG(A, B);
  // the suite creates PROC_LOG first. Empty when the backend has no procedures.
  std::string create_procedure_sql;
  // A statement whose body contains ":NUMBER" and that runs only when sent unchanged (a
  // procedure body that uses a variable NUMBER). Empty when the backend has no such statements.
  std::string colon_body_sql;
};

}  // namespace bm::test
