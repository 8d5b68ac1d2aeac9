#include "data/table.h"

namespace bm::data {

Table::Table(std::string component, Connection& connection, std::string table_name)
    : component_(std::move(component)), connection_(&connection), table_name_(std::move(table_name)) {}

void Table::set_table_name(std::string name) {
  close();
  table_name_ = std::move(name);
}

void Table::open() {
  if (info_) return;
  if (table_name_.empty()) throw DbError(component_ + ": Missing TableName property");
  info_ = connection_->session().describe_table(table_name_);
}

void Table::close() { info_.reset(); }

const TableInfo& Table::info() const {
  if (!info_) throw DbError(component_ + ": Cannot perform this operation on a closed dataset");
  return *info_;
}

}  // namespace bm::data
