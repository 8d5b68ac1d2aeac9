#include "data/drivers/standin/tsql_batch.h"

#include "data/error.h"

namespace bm::data::standin {

namespace {

const char* kStarters[] = {"SELECT", "INSERT", "UPDATE", "DELETE", "ALTER",  "CREATE", "DROP",
                           "DECLARE", "SET",   "EXEC",   "EXECUTE", "IF",    "BEGIN",  "RETURN",
                           "TRUNCATE", "PRINT", "WHILE", "USE",     "GRANT", "DBCC",   "COMMIT",
                           "ROLLBACK", "RAISERROR"};

bool is_starter(const Token& t) {
  if (t.kind != Token::Kind::Word) return false;
  for (auto* s : kStarters)
    if (t.is_word(s)) return true;
  return false;
}

bool takes_rest_of_batch(const Tokens& t, size_t i) {
  // CREATE/ALTER of a view, procedure, function or trigger is the whole batch.
  if (!(t[i].is_word("CREATE") || t[i].is_word("ALTER"))) return false;
  const Token& w = t[i + 1];
  if (w.is_word("VIEW") || w.is_word("PROC") || w.is_word("PROCEDURE") || w.is_word("FUNCTION"))
    return true;
  if (w.is_word("TRIGGER")) {
    // InterBase's "ALTER TRIGGER x INACTIVE" is one statement of its own.
    return t[i].is_word("CREATE") || t[i + 3].is_word("ON");
  }
  return false;
}

class Parser {
 public:
  Parser(const Tokens& t, size_t end) : t_(t), end_(end) {}

  std::vector<Stmt> statements(size_t& i, bool in_block) {
    std::vector<Stmt> out;
    for (;;) {
      while (i < end_ && t_[i].is_op(";")) ++i;
      if (i >= end_ || t_[i].kind == Token::Kind::End) break;
      if (t_[i].is_word("END")) {
        if (in_block) break;
        throw DbError(syntax_error_near(t_[i]));
      }
      out.push_back(statement(i));
    }
    return out;
  }

 private:
  Stmt statement(size_t& i) {
    if (t_[i].is_word("BEGIN") && !t_[i + 1].is_word("TRAN") && !t_[i + 1].is_word("TRANSACTION") &&
        !t_[i + 1].is_word("DISTRIBUTED")) {
      Stmt block;
      block.kind = Stmt::Kind::Block;
      block.begin = i++;
      block.children = statements(i, true);
      if (i >= end_ || !t_[i].is_word("END")) throw DbError(syntax_error_near(t_[std::min(i, end_)]));
      block.end = ++i;
      return block;
    }
    if (t_[i].is_word("IF")) {
      Stmt s;
      s.kind = Stmt::Kind::If;
      s.begin = ++i;
      s.end = simple_end(i, true);
      if (s.end == s.begin) throw DbError(syntax_error_near(t_[i]));
      i = s.end;
      if (i >= end_ || t_[i].kind == Token::Kind::End) throw DbError(syntax_error_near(t_[i]));
      s.children.push_back(statement(i));
      while (i < end_ && t_[i].is_op(";")) ++i;
      if (i < end_ && t_[i].is_word("ELSE")) {
        ++i;
        s.children.push_back(statement(i));
      }
      return s;
    }
    Stmt s;
    s.begin = i;
    s.end = takes_rest_of_batch(t_, i) ? end_ : simple_end(i + 1, false);
    if (s.end > end_) s.end = end_;
    i = s.end;
    return s;
  }

  // End of a statement that starts before j (or of an IF condition when `condition`).
  size_t simple_end(size_t j, bool condition) {
    size_t start = j - (condition ? 0 : 1);
    const Token& first = t_[start];
    int depth = 0, cases = 0;
    bool update_set_seen = false, insert_values = false, insert_select = false;
    for (; j < end_; ++j) {
      const Token& tok = t_[j];
      if (tok.kind == Token::Kind::End) return j;
      if (tok.is_op("(")) { ++depth; continue; }
      if (tok.is_op(")")) { if (depth > 0) --depth; continue; }
      if (depth > 0) continue;
      if (tok.is_op(";")) return j;
      if (tok.is_word("CASE")) { ++cases; continue; }
      if (tok.is_word("END")) {
        if (cases > 0) { --cases; continue; }
        return j;
      }
      if (tok.is_word("ELSE")) {
        if (cases > 0) continue;
        return j;
      }
      if (condition && tok.is_word("BEGIN")) return j;
      if (!condition && first.is_word("INSERT") && tok.is_word("VALUES")) insert_values = true;
      if (!is_starter(tok)) continue;
      const Token& prev = t_[j - 1];
      if (condition) {
        if (tok.is_word("UPDATE") && t_[j + 1].is_op("(")) continue;  // UPDATE(column)
        return j;
      }
      if (tok.is_word("UPDATE") && t_[j + 1].is_op("(")) continue;
      if ((tok.is_word("DELETE") || tok.is_word("UPDATE")) && prev.is_word("ON")) continue;
      if (first.is_word("UPDATE") && tok.is_word("SET") && !update_set_seen) {
        update_set_seen = true;
        continue;
      }
      if (first.is_word("INSERT") && tok.is_word("SELECT") && !insert_values && !insert_select) {
        insert_select = true;
        continue;
      }
      if (tok.is_word("SELECT") && (prev.is_word("UNION") || prev.is_word("ALL") ||
                                    prev.is_word("EXCEPT") || prev.is_word("INTERSECT")))
        continue;
      // ALTER TABLE t ALTER COLUMN / DROP COLUMN / DROP CONSTRAINT stay in the statement; an ALTER
      // or DROP of another object starts the next one.
      if (first.is_word("ALTER") && tok.is_word("ALTER") && t_[j + 1].is_word("COLUMN")) continue;
      if (first.is_word("ALTER") && tok.is_word("DROP")) {
        const Token& what = t_[j + 1];
        bool other_object = what.is_word("TABLE") || what.is_word("VIEW") || what.is_word("PROC") ||
                            what.is_word("PROCEDURE") || what.is_word("FUNCTION") || what.is_word("TRIGGER") ||
                            what.is_word("DATABASE");
        if (!other_object) continue;
      }
      if (first.is_word("ALTER") && tok.is_word("SET")) continue;
      if (first.is_word("CREATE") && tok.is_word("SET")) continue;
      if (tok.is_word("SET") && prev.is_word("NULL")) continue;  // ON DELETE SET NULL
      return j;
    }
    return j;
  }

  const Tokens& t_;
  size_t end_;
};

}  // namespace

size_t matching_paren(const Tokens& t, size_t i, size_t end) {
  int depth = 0;
  for (size_t j = i; j < end; ++j) {
    if (t[j].is_op("(")) ++depth;
    else if (t[j].is_op(")") && --depth == 0) return j;
  }
  return end;
}

std::vector<Stmt> parse_batch(const Tokens& t, size_t begin, size_t end) {
  Parser p(t, end);
  size_t i = begin;
  auto out = p.statements(i, false);
  return out;
}

std::vector<Stmt> parse_batch(const Tokens& t) { return parse_batch(t, 0, t.size() - 1); }

}  // namespace bm::data::standin
