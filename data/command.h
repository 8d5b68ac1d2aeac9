// A command object: one whole statement text (CREATE VIEW, CREATE TRIGGER, CREATE FUNCTION, an
// "exec" call) bound to one connection and sent as one statement, unchanged.
#pragma once
#include <string>
#include <vector>

#include "data/connection.h"

namespace bm::data {

class Command {
 public:
  Command(std::string component, Connection& connection, std::vector<std::string> lines);
  const std::string& component() const { return component_; }
  const std::vector<std::string>& lines() const { return lines_; }
  std::string text() const;  // the lines joined with line breaks
  // Sends the text; a failure raises the database's error.
  void execute();
  // Sends the text; a failure is swallowed. Returns whether it ran.
  bool execute_guarded();

 private:
  std::string component_;
  Connection* connection_;
  std::vector<std::string> lines_;
};

}  // namespace bm::data
