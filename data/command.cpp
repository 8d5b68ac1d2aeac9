#include "data/command.h"

namespace bm::data {

Command::Command(std::string component, Connection& connection, std::vector<std::string> lines)
    : component_(std::move(component)), connection_(&connection), lines_(std::move(lines)) {}

std::string Command::text() const {
  std::string t;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) t += '\n';
    t += lines_[i];
  }
  return t;
}

void Command::execute() {
  // Sent unchanged: no parameter scan, so ":NEW.x" in a trigger body reaches the database.
  auto stmt = connection_->session().prepare(text());
  stmt->execute({});
  stmt->close_cursor();
}

bool Command::execute_guarded() {
  try {
    execute();
    return true;
  } catch (const DbError&) {
    return false;
  }
}

}  // namespace bm::data
