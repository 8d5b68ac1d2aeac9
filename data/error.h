// The one error type of the database layer. Its text is shown to the technician unchanged.
#pragma once
#include <stdexcept>
#include <string>

namespace bm::data {

class DbError : public std::runtime_error {
 public:
  enum class Kind {
    General,       // anything the database or the layer refuses
    KeyViolation,  // a primary or unique key would be duplicated
    ValueProblem,  // a value does not fit its destination column without loss
    Connection,    // the database cannot be reached or the login is refused
  };
  explicit DbError(const std::string& text, Kind kind = Kind::General)
      : std::runtime_error(text), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

}  // namespace bm::data
