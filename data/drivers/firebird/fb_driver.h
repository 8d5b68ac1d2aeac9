// The INTRBASE driver: Firebird's client library (object-oriented API). A path without a host
// opens the database file in-process with the embedded engine; "host:path" reaches a server.
#pragma once
#include <memory>
#include <string>

#include "data/driver.h"

namespace bm::data::firebird {

std::shared_ptr<Driver> make_driver();

// Creates an empty database file (used by fixtures, tests and demos): SQL dialect 1 as the
// standard edition has, character set GBK.
void create_database(const std::string& path, int dialect = 1, const std::string& charset = "GBK");

}  // namespace bm::data::firebird
