// The SQL Server stand-in: an embedded emulation of the T-SQL this program and its fixtures
// send, on SQLite. Each database name is one SQLite file in the stand-in's folder; the database
// "master" always exists and creates and drops the others.
#pragma once
#include <memory>
#include <string>

#include "data/driver.h"

namespace bm::data::standin {

// A driver whose connect() reads "DATABASE NAME=x" from the parameter list and opens the
// database x of `folder` (names compare case-insensitively, as SQL Server's do).
std::shared_ptr<Driver> make_driver(const std::string& folder);

// Creates an empty database; fails when it exists.
void create_database(const std::string& folder, const std::string& name);

// The file that holds a database.
std::string database_file(const std::string& folder, const std::string& name);

}  // namespace bm::data::standin
