#include "data/drivers/odbc/odbc_statement.h"

#include <algorithm>
#include <cstdint>

namespace bm::data::odbc {

namespace {

// Where execute_many can undo a parameter array: inside the caller's transaction a savepoint,
// outside one a transaction of its own. Undone unless kept.
class UndoPoint {
 public:
  explicit UndoPoint(Link& link) : link_(link), own_(!link.in_transaction) {
    if (own_) {
      link_.begin();
    } else {
      link_.exec(link_.sql().savepoint);
    }
  }
  ~UndoPoint() {
    if (done_) return;
    try {
      undo();
    } catch (const DbError&) {
    }
  }
  void keep() {
    done_ = true;
    if (own_) {
      link_.commit();
    } else if (!link_.sql().release_savepoint.empty()) {
      link_.exec(link_.sql().release_savepoint);
    }
  }
  void undo() {
    done_ = true;
    if (own_) {
      link_.rollback();
      return;
    }
    link_.exec(link_.sql().rollback_to_savepoint);
    if (!link_.sql().release_savepoint.empty()) link_.exec(link_.sql().release_savepoint);
  }

 private:
  Link& link_;
  bool own_;
  bool done_ = false;
};

}  // namespace

OdbcStatement::OdbcStatement(std::shared_ptr<Link> link, const std::string& sql)
    : link_(std::move(link)), stmt_(SQL_HANDLE_STMT, link_->dbc.get()), text_(to_client(sql, cp())) {
  // Statements without markers (DDL, "exec dis_tr", CREATE VIEW ...) go to the server as they
  // stand: SQL Server drivers prepare through sp_prepare, which refuses some of them.
  size_t markers = count_markers(sql);
  if (markers == 0) return;
  SQLRETURN rc = SQLPrepare(stmt_.get(), reinterpret_cast<SQLCHAR*>(text_.data()),
                            static_cast<SQLINTEGER>(text_.size()));
  if (!succeeded(rc)) fail("SQLPrepare");
  prepared_ = true;
  SQLSMALLINT n = 0;
  param_count_ = succeeded(SQLNumParams(stmt_.get(), &n)) && n > 0 ? static_cast<size_t>(n) : markers;
  null_types_.assign(param_count_, 0);
}

OdbcStatement::~OdbcStatement() {
  if (cursor_open_) SQLFreeStmt(stmt_.get(), SQL_CLOSE);
}

void OdbcStatement::fail(const char* what) {
  DbError e = diag_error(SQL_HANDLE_STMT, stmt_.get(), cp(), std::string("The ODBC call ") + what + " failed");
  SQLFreeStmt(stmt_.get(), SQL_CLOSE);
  cursor_open_ = false;
  throw e;
}

void OdbcStatement::set_attr(SQLINTEGER attr, SQLPOINTER value) {
  if (!succeeded(SQLSetStmtAttr(stmt_.get(), attr, value, 0))) fail("SQLSetStmtAttr");
}

SQLSMALLINT OdbcStatement::null_type(size_t index) {
  // A NULL needs a type the server converts to the column's; the driver may know it.
  if (null_types_[index] == 0) {
    SQLSMALLINT type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLRETURN rc = SQLDescribeParam(stmt_.get(), static_cast<SQLUSMALLINT>(index + 1), &type, &size,
                                    &digits, &nullable);
    null_types_[index] = succeeded(rc) && type != 0 ? type : SQL_VARCHAR;
  }
  return null_types_[index];
}

bool OdbcStatement::bind(const std::vector<Value>* rows, size_t count) {
  std::vector<ParamColumn> columns;
  columns.reserve(param_count_);
  for (size_t i = 0; i < param_count_; ++i) {
    std::optional<ParamColumn> c =
        param_column(rows, count, i, [&] { return null_type(i); }, link_->options.dialect, cp());
    if (!c) return false;
    columns.push_back(std::move(*c));
  }
  bound_ = std::move(columns);
  SQLFreeStmt(stmt_.get(), SQL_RESET_PARAMS);
  for (size_t i = 0; i < bound_.size(); ++i) {
    ParamColumn& p = bound_[i];
    SQLRETURN rc = SQLBindParameter(stmt_.get(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT,
                                    p.c_type, p.sql_type, p.column_size, p.digits, p.data.data(),
                                    p.element_size, p.indicators.data());
    if (!succeeded(rc)) fail("SQLBindParameter");
  }
  return true;
}

SQLRETURN OdbcStatement::run() {
  if (prepared_) return SQLExecute(stmt_.get());
  return SQLExecDirect(stmt_.get(), reinterpret_cast<SQLCHAR*>(text_.data()),
                       static_cast<SQLINTEGER>(text_.size()));
}

std::string OdbcStatement::base_column_type(SQLUSMALLINT col) {
  char table[256] = {0}, column[256] = {0};
  SQLSMALLINT len = 0;
  if (!succeeded(SQLColAttribute(stmt_.get(), col, SQL_DESC_BASE_TABLE_NAME, table, sizeof table, &len, nullptr)) ||
      !succeeded(SQLColAttribute(stmt_.get(), col, SQL_DESC_BASE_COLUMN_NAME, column, sizeof column, &len, nullptr)) ||
      !*table || !*column)
    return {};
  return declared_type_name(*link_, from_client(table, cp()), from_client(column, cp()));
}

void OdbcStatement::read_results(SQLRETURN rc) {
  columns_.clear();
  sql_types_.clear();
  rows_affected_ = -1;
  if (rc == SQL_NO_DATA) {
    rows_affected_ = 0;  // a searched UPDATE or DELETE that met no row
  } else if (!succeeded(rc)) {
    fail(prepared_ ? "SQLExecute" : "SQLExecDirect");
  }
  // A batch or a procedure may give row counts before its rows, and SQL Server reports the
  // error of a later statement only with that statement's result: every result is read up to
  // the first one with columns. The last row count is the statement's own (a trigger's counts
  // come before it).
  for (;;) {
    SQLSMALLINT n = 0;
    if (rc != SQL_NO_DATA && succeeded(SQLNumResultCols(stmt_.get(), &n)) && n > 0) {
      for (SQLUSMALLINT i = 1; i <= n; ++i) {
        SQLCHAR name[512];
        SQLSMALLINT name_len = 0, type = 0, digits = 0, nullable = SQL_NULLABLE_UNKNOWN;
        SQLULEN size = 0;
        SQLRETURN d = SQLDescribeCol(stmt_.get(), i, name, sizeof name, &name_len, &type, &size,
                                     &digits, &nullable);
        if (!succeeded(d)) fail("SQLDescribeCol");
        std::string text(reinterpret_cast<char*>(name),
                         std::min<size_t>(static_cast<size_t>(name_len), sizeof name - 1));
        char type_name[128] = {0};
        SQLSMALLINT type_name_len = 0;
        SQLColAttribute(stmt_.get(), i, SQL_DESC_TYPE_NAME, type_name, sizeof type_name, &type_name_len, nullptr);
        std::string declared = type_name;
        if (exact_type_without_scale(type, declared)) declared = base_column_type(i);
        columns_.push_back(column_info(from_client(text, cp()), type, size, digits,
                                       nullable != SQL_NO_NULLS, link_->options.dialect,
                                       declared.empty() ? type_name : declared));
        sql_types_.push_back(type);
      }
      cursor_open_ = true;
      return;
    }
    SQLLEN count = -1;
    if (rc != SQL_NO_DATA && succeeded(SQLRowCount(stmt_.get(), &count)) && count >= 0)
      rows_affected_ = count;
    rc = SQLMoreResults(stmt_.get());
    if (rc == SQL_NO_DATA) break;
    if (!succeeded(rc)) fail("SQLMoreResults");
  }
  SQLFreeStmt(stmt_.get(), SQL_CLOSE);
}

void OdbcStatement::execute(const std::vector<Value>& params) {
  close_cursor();
  if (params.size() != param_count_)
    throw DbError("The statement has " + std::to_string(param_count_) + " parameters, but " +
                  std::to_string(params.size()) + " values were given");
  if (param_count_ > 0) bind(&params, 1);
  read_results(run());
}

OdbcStatement::ArrayOutcome OdbcStatement::run_array(size_t count) {
  SQLRETURN rc = SQLSetStmtAttr(stmt_.get(), SQL_ATTR_PARAMSET_SIZE,
                                reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(count)), 0);
  SQLULEN size = 0;
  if (succeeded(rc)) SQLGetStmtAttr(stmt_.get(), SQL_ATTR_PARAMSET_SIZE, &size, 0, nullptr);
  // Back to one row at a time however this ends.
  struct SingleRowAgain {
    SQLHSTMT h;
    ~SingleRowAgain() {
      SQLSetStmtAttr(h, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
      SQLSetStmtAttr(h, SQL_ATTR_PARAM_STATUS_PTR, nullptr, 0);
      SQLSetStmtAttr(h, SQL_ATTR_PARAMS_PROCESSED_PTR, nullptr, 0);
    }
  } single_row_again{stmt_.get()};
  if (!succeeded(rc) || size != count) return ArrayOutcome::Unsupported;

  std::vector<SQLUSMALLINT> status(count, SQL_PARAM_UNUSED);
  SQLULEN processed = 0;
  set_attr(SQL_ATTR_PARAM_STATUS_PTR, status.data());
  set_attr(SQL_ATTR_PARAMS_PROCESSED_PTR, &processed);

  UndoPoint undo(*link_);
  rc = SQLExecute(stmt_.get());
  bool ok = succeeded(rc) || rc == SQL_NO_DATA;
  int64_t total = 0;
  // Drivers that send the rows as a batch report a later row's error with its own result.
  while (ok) {
    SQLLEN n = -1;
    if (rc != SQL_NO_DATA && succeeded(SQLRowCount(stmt_.get(), &n)) && n > 0) total += n;
    rc = SQLMoreResults(stmt_.get());
    if (rc == SQL_NO_DATA) break;
    ok = succeeded(rc);
  }
  SQLFreeStmt(stmt_.get(), SQL_CLOSE);
  if (ok) {
    // Every row processed and none refused. Some drivers (SQLite's) leave the status array
    // untouched: then only a clean execute and the processed count tell.
    auto count_of = [&](SQLUSMALLINT v) { return std::count(status.begin(), status.end(), v); };
    size_t unused = static_cast<size_t>(count_of(SQL_PARAM_UNUSED));
    ok = processed == count && count_of(SQL_PARAM_ERROR) == 0 && (unused == 0 || unused == count);
  }
  if (!ok) {
    undo.undo();
    return ArrayOutcome::Failed;
  }
  undo.keep();
  rows_affected_ = total;
  return ArrayOutcome::Applied;
}

// Rows go to the server in arrays of Options::rows_per_array. A driver may apply the rows of an
// array after a failing one (SQL Server goes on after a duplicate key), so an array that meets
// any error is undone whole (savepoint or own transaction) and its rows are sent again one by
// one: that applies exactly the rows before the failing one and reports that row's own error.
// An error costs one array's work twice; a clean array costs one round trip.
size_t OdbcStatement::execute_many(const std::vector<std::vector<Value>>& rows,
                                   std::optional<DbError>& failure) {
  failure.reset();
  const size_t per = static_cast<size_t>(std::max(1, link_->options.rows_per_array));
  if (!prepared_ || per == 1 || link_->arrays_unsupported) return Statement::execute_many(rows, failure);
  close_cursor();
  size_t done = 0;
  while (done < rows.size()) {
    const size_t count = std::min(per, rows.size() - done);
    const bool shaped = std::all_of(rows.begin() + done, rows.begin() + done + count,
                                    [&](const std::vector<Value>& r) { return r.size() == param_count_; });
    if (count > 1 && shaped && !link_->arrays_unsupported && bind(&rows[done], count)) {
      ArrayOutcome outcome = run_array(count);
      if (outcome == ArrayOutcome::Applied) {
        done += count;
        continue;
      }
      if (outcome == ArrayOutcome::Unsupported) link_->arrays_unsupported = true;
    }
    for (const size_t end = done + count; done < end; ++done) {
      try {
        execute(rows[done]);
      } catch (const DbError& e) {
        failure = e;
        return done;
      }
    }
  }
  return done;
}

bool OdbcStatement::fetch(std::vector<Value>& row) {
  if (!cursor_open_) return false;
  SQLRETURN rc = SQLFetch(stmt_.get());
  if (rc == SQL_NO_DATA) {
    close_cursor();
    return false;
  }
  if (!succeeded(rc)) fail("SQLFetch");
  row.resize(columns_.size());
  for (size_t i = 0; i < columns_.size(); ++i)
    row[i] = read_field(stmt_.get(), static_cast<SQLUSMALLINT>(i + 1), sql_types_[i], columns_[i], cp());
  return true;
}

void OdbcStatement::close_cursor() {
  if (!cursor_open_) return;
  cursor_open_ = false;
  SQLFreeStmt(stmt_.get(), SQL_CLOSE);
}

}  // namespace bm::data::odbc
