// A table addressed by name on a connection: the destination of copy jobs.
#pragma once
#include <optional>
#include <string>

#include "data/connection.h"

namespace bm::data {

class Table {
 public:
  Table(std::string component, Connection& connection, std::string table_name = {});
  const std::string& component() const { return component_; }
  Connection& connection() const { return *connection_; }
  const std::string& table_name() const { return table_name_; }
  void set_table_name(std::string name);

  // Opening reads the table's columns, types and key from the database (automatic open of the
  // connection); it fails when the table does not exist.
  void open();
  void close();
  bool active() const { return info_.has_value(); }
  const TableInfo& info() const;

 private:
  std::string component_;
  Connection* connection_;
  std::string table_name_;
  std::optional<TableInfo> info_;
};

}  // namespace bm::data
