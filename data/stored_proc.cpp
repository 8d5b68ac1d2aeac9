#include "data/stored_proc.h"

#include <strings.h>

namespace bm::data {

StoredProc::StoredProc(std::string component, Connection& connection, std::string procedure)
    : component_(std::move(component)), connection_(&connection), procedure_(std::move(procedure)) {}

void StoredProc::set_param(const std::string& name, int64_t value) {
  for (auto& p : params_) {
    if (strcasecmp(p.first.c_str(), name.c_str()) == 0) {
      p.second = value;
      return;
    }
  }
  params_.emplace_back(name, value);
}

void StoredProc::exec_proc() { connection_->session().call_procedure(procedure_, params_); }

}  // namespace bm::data
