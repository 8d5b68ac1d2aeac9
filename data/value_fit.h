// Whether a value fits a destination column without loss, and the value to write if it does.
//
// A value does not fit (the row is a "problem" for a copy job) when:
//  - text is longer than the column's characters, or than its bytes in the database's code page;
//  - text has a character the database's code page cannot hold;
//  - a number is out of the column's range, or would lose digits after the point (12.5 into an
//    integer column, 1.005 into NUMERIC(9,2)); floating values into exact columns are rounded to
//    the column's scale only when the difference is below the float's own precision;
//  - text that is not a number goes into a numeric column (empty text goes in as NULL);
//  - text that is not a valid date or date-time goes into a date column;
//  - NULL goes into a NOT NULL column (the database would refuse the row).
// Numbers into text columns are written in their text form, dates in the fixed form of to_text.
#pragma once
#include <string>
#include <variant>

#include "data/driver.h"

namespace bm::data {

struct FitProblem {
  std::string text;
};

// The value converted to the column's kind, or the reason it does not fit.
std::variant<Value, FitProblem> fit_value(const Value& value, const ColumnInfo& column);

}  // namespace bm::data
