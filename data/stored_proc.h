// A stored-procedure call with typed input parameters set by name.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "data/connection.h"

namespace bm::data {

class StoredProc {
 public:
  StoredProc(std::string component, Connection& connection, std::string procedure);
  const std::string& procedure() const { return procedure_; }
  void set_param(const std::string& name, int64_t value);
  // Calls the procedure with the parameters set so far; a failure raises an error.
  void exec_proc();

 private:
  std::string component_;
  Connection* connection_;
  std::string procedure_;
  std::vector<std::pair<std::string, Value>> params_;
};

}  // namespace bm::data
