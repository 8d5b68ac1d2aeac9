// Runs a database script of the isql kind through a connection: statements end with the current
// terminator (";" until "SET TERM"), "--" and "/* */" comments are skipped, "SET SQL DIALECT"
// and "COMMIT" lines are taken care of by the connection (every statement is committed when it
// has run). Used to build product databases for tests and demos.
#pragma once
#include <string>
#include <vector>

#include "data/connection.h"

namespace bm::data {

// The statements of a script, in order, without their terminators.
std::vector<std::string> split_script(const std::string& text);

// Runs every statement; the first failure raises an error that names the statement.
void run_script(Connection& connection, const std::string& text);

}  // namespace bm::data
