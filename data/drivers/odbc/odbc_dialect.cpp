#include "data/drivers/odbc/odbc_dialect.h"

namespace bm::data::odbc {

namespace {

// The session options of a SQL Server connection. The converters' statements were written
// for the old SQL Server client library (DB-Library under the BDE), which sends no SET options
// of its own, so the server's historic defaults applied. An ODBC driver switches most ANSI
// options on when it connects; these statements put back what the statements were written for:
//
// - QUOTED_IDENTIFIER OFF: "..." is a text literal ("WHERE CTYPE=\"BOOKINFO\""), [name] a name.
// - DATEFORMAT ymd: the program writes date-times as 'YYYY-MM-DD HH:MM:SS'; no login language
//   may read them as year-day-month.
// - ANSI_NULLS OFF: "x = NULL" is true for a NULL x, as under the old client.
// - CONCAT_NULL_YIELDS_NULL OFF: 'TH'+dh with a NULL dh gives 'TH', not NULL.
// - ANSI_WARNINGS OFF and ARITHABORT OFF: an UPDATE that meets a too-long text or a division
//   by zero goes on (text cut, NULL result) instead of failing the whole statement.
// - ANSI_NULL_DFLT_ON ON (the one ODBC default kept): "ALTER TABLE t ADD c INT" adds a column
//   that may hold NULL. Under DB-Library's default such a column was NOT NULL, and adding it
//   to a table that has rows fails; the converters add these columns to filled tables and
//   fill them afterwards, so only the nullable reading lets their preparation work.
// - ANSI_PADDING ON (ODBC default, the only setting later servers support): affects only the
//   storage of trailing blanks in columns created by this session; comparisons ignore them.
// - IMPLICIT_TRANSACTIONS OFF, XACT_ABORT OFF, CURSOR_CLOSE_ON_COMMIT OFF: every statement
//   commits by itself outside an explicit transaction, and a failing statement undoes only
//   itself (a copy job keeps the rows before a refused row).
// - NOCOUNT OFF: the server reports rows changed, which the layer passes on.
// - TEXTSIZE 2147483647: text and image values arrive whole (FreeTDS's default cuts them).
const DialectSql kSqlServer{
    {
        "SET QUOTED_IDENTIFIER OFF",
        "SET DATEFORMAT ymd",
        "SET ANSI_NULLS OFF",
        "SET CONCAT_NULL_YIELDS_NULL OFF",
        "SET ANSI_WARNINGS OFF",
        "SET ARITHABORT OFF",
        "SET ANSI_NULL_DFLT_ON ON",
        "SET ANSI_PADDING ON",
        "SET IMPLICIT_TRANSACTIONS OFF",
        "SET XACT_ABORT OFF",
        "SET CURSOR_CLOSE_ON_COMMIT OFF",
        "SET NOCOUNT OFF",
        "SET TEXTSIZE 2147483647",
    },
    // Transactions in T-SQL, so that @@TRANCOUNT is 1 inside one and SAVE TRANSACTION works
    // from its first statement on (the drivers' manual-commit modes start it lazily). A COMMIT
    // of a transaction the server already ended fails; a ROLLBACK of one does not.
    "BEGIN TRANSACTION",
    "COMMIT TRANSACTION",
    "IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION",
    "SAVE TRANSACTION bm_rows",
    "ROLLBACK TRANSACTION bm_rows",
    "",
    true,
};

const DialectSql kGeneric{
    {},
    "",
    "",
    "",
    "SAVEPOINT bm_rows",
    "ROLLBACK TO SAVEPOINT bm_rows",
    "RELEASE SAVEPOINT bm_rows",
    false,
};

}  // namespace

const DialectSql& dialect_sql(Dialect d) { return d == Dialect::SqlServer ? kSqlServer : kGeneric; }

std::string quote_name(Dialect d, const std::string& name) {
  const char open = d == Dialect::SqlServer ? '[' : '"';
  const char close = d == Dialect::SqlServer ? ']' : '"';
  std::string out(1, open);
  for (char c : name) {
    out += c;
    if (c == close) out += c;
  }
  out += close;
  return out;
}

size_t count_markers(const std::string& sql) {
  size_t n = 0;
  for (size_t i = 0; i < sql.size(); ++i) {
    char c = sql[i];
    if (c == '\'' || c == '"' || c == '[') {
      char close = c == '[' ? ']' : c;
      for (++i; i < sql.size(); ++i) {
        if (sql[i] != close) continue;
        if (i + 1 < sql.size() && sql[i + 1] == close) {
          ++i;  // a doubled quote stays inside
          continue;
        }
        break;
      }
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      while (i < sql.size() && sql[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
      size_t end = sql.find("*/", i + 2);
      i = end == std::string::npos ? sql.size() : end + 1;
    } else if (c == '?') {
      ++n;
    }
  }
  return n;
}

}  // namespace bm::data::odbc
