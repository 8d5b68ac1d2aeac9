// The statement structure of a T-SQL batch: T-SQL needs no semicolons, so statements are told
// apart by the words they start with; BEGIN ... END blocks and IF ... ELSE are nested.
#pragma once
#include <vector>

#include "data/drivers/standin/tsql_lexer.h"

namespace bm::data::standin {

struct Stmt {
  enum class Kind { Simple, Block, If };
  Kind kind = Kind::Simple;
  size_t begin = 0, end = 0;     // Simple: its tokens; If: the condition's tokens
  std::vector<Stmt> children;    // Block: its statements; If: then [, else]
};

// Splits tokens [begin, end) into statements. Fails with SQL Server's syntax message.
std::vector<Stmt> parse_batch(const Tokens& t, size_t begin, size_t end);
std::vector<Stmt> parse_batch(const Tokens& t);

// Index of the matching ')' of the '(' at i (or `end` when unbalanced).
size_t matching_paren(const Tokens& t, size_t i, size_t end);

}  // namespace bm::data::standin
