// Comparing a table's rows across the two editions: the stored values of the columns both sides
// have, as text, with each engine's way of writing numbers, times and padded texts evened out.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "data/connection.h"

namespace bm::test {

using Rows = std::vector<std::string>;

// Every row of a query, its fields joined with '|' (NULL as empty text), in the query's order.
Rows query_rows(data::Connection& c, const std::string& sql);

// The column names of a table as `select *` returns them.
std::vector<std::string> table_columns(data::Connection& c, const std::string& table);

// The rows of `table` restricted to `columns`, each value evened out, sorted.
Rows normalized_rows(data::Connection& c, const std::string& table, const std::vector<std::string>& columns);

// The columns of `table` present on both sides, less `skip` (upper case names).
std::vector<std::string> shared_columns(data::Connection& a, data::Connection& b, const std::string& table,
                                        const std::set<std::string>& skip = {});

// One value as both engines would agree on it: numbers without trailing zeros, times without
// zero fractions, texts without trailing blanks.
std::string even_out(const std::string& value);

}  // namespace bm::test
