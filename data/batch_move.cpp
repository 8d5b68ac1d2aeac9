#include "data/batch_move.h"

#include <strings.h>

#include <algorithm>
#include <exception>
#include <optional>

#include "data/value_fit.h"

namespace bm::data {

namespace {

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

int find_column(const std::vector<ColumnInfo>& cols, const std::string& name) {
  for (size_t i = 0; i < cols.size(); ++i)
    if (strcasecmp(cols[i].name.c_str(), name.c_str()) == 0) return static_cast<int>(i);
  return -1;
}

struct Pair {
  int source;  // index in the source row
  int dest;    // index in the destination's columns
};

// Rows go to the database this many at a time (execute_many).
constexpr size_t kSendRows = 256;
constexpr int64_t kProgressEvery = 10000;

class Run {
 public:
  Run(BatchMove& job, MessagePort* port) : job_(job), port_(port) {}

  BatchStats go();

 private:
  void build_pairing();
  void prepare_statements();
  // Converts a source row; false (and `why`) when a value does not fit.
  bool convert(const std::vector<Value>& src, std::vector<Value>& out, std::string& why);
  // The destination key of a row, from a converted row or (by_source) from the source row.
  std::string key_text(const std::vector<Value>& row, int64_t source_row, bool by_source) const;
  void flush();
  void handle_failed_row(size_t index, const DbError& error);
  void reject(RejectedRow::Reason reason, size_t index, const std::string& detail);
  [[noreturn]] void stop(const DbError& error);
  void stop_commit();
  void commit_if_due();

  BatchMove& job_;
  MessagePort* port_;
  Session* dest_ = nullptr;
  const TableInfo* table_ = nullptr;
  std::vector<Pair> pairs_;
  std::vector<int> key_slots_;     // positions in the converted row of the key columns
  std::vector<int> update_slots_;  // positions of the non-key columns, for UPDATE ... SET
  std::unique_ptr<Statement> insert_;
  std::unique_ptr<Statement> update_;  // null when rows cannot be matched on the key
  bool key_only_ = false;  // every paired column is a key column: a match changes nothing

  std::vector<std::vector<Value>> pending_;  // converted rows not yet sent
  std::vector<int64_t> pending_rows_;        // their source row numbers
  int64_t since_commit_ = 0;
  BatchStats stats_;
};

void Run::build_pairing() {
  const auto& dcols = table_->columns;
  const auto& scols = job_.source->fields();
  const std::string& name = job_.component();
  if (!job_.mappings.empty()) {
    for (const auto& raw : job_.mappings) {
      std::string line = trim(raw);
      if (line.empty()) continue;
      auto eq = line.find('=');
      std::string d = trim(eq == std::string::npos ? line : line.substr(0, eq));
      std::string s = trim(eq == std::string::npos ? line : line.substr(eq + 1));
      int di = find_column(dcols, d);
      if (di < 0)
        throw DbError(name + ": Field '" + d + "' not found in table " + table_->name);
      int si = find_column(scols, s);
      if (si < 0)
        throw DbError(name + ": Field '" + s + "' not found in " + job_.source->name());
      if (dcols[di].computed)
        throw DbError(name + ": Field '" + d + "' of table " + table_->name +
                      " is computed and cannot be written");
      // A later line for the same destination field replaces the earlier one.
      pairs_.erase(std::remove_if(pairs_.begin(), pairs_.end(),
                                  [&](const Pair& p) { return p.dest == di; }),
                   pairs_.end());
      pairs_.push_back({si, di});
    }
  } else {
    // By position; the destination's computed fields take no value. A source field with no
    // destination field to go to would be lost, so it fails the job.
    if (scols.size() > dcols.size())
      throw DbError(name + ": Field '" + scols[dcols.size()].name + "' of " +
                    job_.source->name() + " has no field to go to in table " + table_->name);
    for (size_t i = 0; i < scols.size(); ++i)
      if (!dcols[i].computed) pairs_.push_back({static_cast<int>(i), static_cast<int>(i)});
  }
  if (pairs_.empty()) throw DbError(name + ": no field to copy into table " + table_->name);
}

void Run::prepare_statements() {
  const auto& dcols = table_->columns;
  std::vector<std::string> names;
  for (const auto& p : pairs_) names.push_back(dcols[p.dest].name);
  std::string table = dest_->quote_identifier(table_->name);
  insert_ = dest_->prepare_insert(table_->name, names);

  if (job_.mode != BatchMode::AppendUpdate || table_->primary_key.empty()) return;
  for (const auto& k : table_->primary_key) {
    int slot = -1;
    for (size_t i = 0; i < pairs_.size(); ++i)
      if (strcasecmp(dcols[pairs_[i].dest].name.c_str(), k.c_str()) == 0) slot = static_cast<int>(i);
    if (slot < 0) {
      key_slots_.clear();  // the key is not among the copied fields: rows cannot be matched
      return;
    }
    key_slots_.push_back(slot);
  }
  std::string set, where;
  for (size_t i = 0; i < pairs_.size(); ++i) {
    if (std::find(key_slots_.begin(), key_slots_.end(), static_cast<int>(i)) != key_slots_.end())
      continue;
    if (dcols[pairs_[i].dest].identity) continue;
    if (!set.empty()) set += ", ";
    set += dest_->quote_identifier(dcols[pairs_[i].dest].name) + " = ?";
    update_slots_.push_back(static_cast<int>(i));
  }
  for (size_t k = 0; k < key_slots_.size(); ++k) {
    if (k) where += " AND ";
    where += dest_->quote_identifier(dcols[pairs_[key_slots_[k]].dest].name) + " = ?";
  }
  if (update_slots_.empty()) {
    key_only_ = true;
    update_ = dest_->prepare("SELECT COUNT(*) FROM " + table + " WHERE " + where);
  } else {
    update_ = dest_->prepare("UPDATE " + table + " SET " + set + " WHERE " + where);
  }
}

bool Run::convert(const std::vector<Value>& src, std::vector<Value>& out, std::string& why) {
  const auto& dcols = table_->columns;
  out.resize(pairs_.size());
  for (size_t i = 0; i < pairs_.size(); ++i) {
    const ColumnInfo& col = dcols[pairs_[i].dest];
    auto r = fit_value(src[pairs_[i].source], col);
    if (auto* p = std::get_if<FitProblem>(&r)) {
      why = "field '" + col.name + "': " + p->text;
      return false;
    }
    out[i] = std::move(std::get<Value>(r));
  }
  return true;
}

std::string Run::key_text(const std::vector<Value>& row, int64_t source_row,
                          bool by_source) const {
  const auto& dcols = table_->columns;
  std::string text;
  for (const auto& k : table_->primary_key) {
    for (size_t i = 0; i < pairs_.size(); ++i) {
      if (strcasecmp(dcols[pairs_[i].dest].name.c_str(), k.c_str()) != 0) continue;
      if (!text.empty()) text += ", ";
      text += dcols[pairs_[i].dest].name + "=" + to_text(row[by_source ? pairs_[i].source : i]);
    }
  }
  return text.empty() ? "row " + std::to_string(source_row) : text;
}

void Run::reject(RejectedRow::Reason reason, size_t index, const std::string& detail) {
  int64_t row = pending_rows_[index];
  std::string key = key_text(pending_[index], row, false);
  if (reason == RejectedRow::Reason::Key)
    ++stats_.left_out_key;
  else
    ++stats_.left_out_value;
  stats_.rejected.push_back({reason, row, key, detail});
}

void Run::stop_commit() {
  // Every row before the failing one stays committed; nothing after it was sent.
  if (!dest_->in_transaction()) return;
  try {
    dest_->commit();
  } catch (const DbError&) {
  }
}

void Run::stop(const DbError& error) {
  stop_commit();
  throw error;
}

void Run::handle_failed_row(size_t index, const DbError& error) {
  if (error.kind() == DbError::Kind::KeyViolation) {
    if (update_) {
      std::vector<Value> params;
      for (int s : update_slots_) params.push_back(pending_[index][s]);
      for (int s : key_slots_) params.push_back(pending_[index][s]);
      try {
        update_->execute(params);
        int64_t matched = 0;
        if (key_only_) {
          std::vector<Value> r(1);
          if (update_->fetch(r)) matched = std::get_if<int64_t>(&r[0]) ? std::get<int64_t>(r[0]) : 1;
          update_->close_cursor();
        } else {
          matched = update_->rows_affected();
        }
        if (matched > 0) {
          ++stats_.updated;
          return;
        }
        // The row collides on another unique key, not on the primary key.
      } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::ValueProblem) {
          if (job_.abort_on_problem) stop(e);
          reject(RejectedRow::Reason::Value, index, e.what());
          return;
        }
        if (e.kind() != DbError::Kind::KeyViolation || job_.abort_on_key_violation) stop(e);
        reject(RejectedRow::Reason::Key, index, e.what());
        return;
      }
    }
    if (job_.abort_on_key_violation) stop(error);
    reject(RejectedRow::Reason::Key, index, error.what());
    return;
  }
  if (error.kind() == DbError::Kind::ValueProblem) {
    if (job_.abort_on_problem) stop(error);
    reject(RejectedRow::Reason::Value, index, error.what());
    return;
  }
  stop(error);
}

void Run::flush() {
  std::optional<DbError> failure;
  size_t done = insert_->execute_many(pending_, failure);
  stats_.inserted += static_cast<int64_t>(done);
  size_t start = 0;
  while (failure) {
    // The failing row is handled on its own; the rows after it go on (a copy, rare).
    size_t failed = start + done;
    handle_failed_row(failed, *failure);
    start = failed + 1;
    failure.reset();
    if (start >= pending_.size()) break;
    std::vector<std::vector<Value>> rest(pending_.begin() + static_cast<std::ptrdiff_t>(start), pending_.end());
    done = insert_->execute_many(rest, failure);
    stats_.inserted += static_cast<int64_t>(done);
  }
  since_commit_ += static_cast<int64_t>(pending_.size());
  pending_.clear();
  pending_rows_.clear();
  commit_if_due();
}

void Run::commit_if_due() {
  if (since_commit_ < job_.commit_count) return;
  dest_->commit();
  dest_->begin();
  since_commit_ = 0;
}

// What the reading side hands to the writing side, a chunk at a time: converted rows, and rows
// that did not fit.
struct SourceRow {
  bool fits = true;
  std::vector<Value> values;  // converted when it fits
  std::string why;            // why it does not fit
  std::string key;            // its key, for the report
};
struct Chunk {
  std::vector<SourceRow> rows;
  std::exception_ptr error;  // reading failed after these rows
};

BatchStats Run::go() {
  const std::string& name = job_.component();
  table_ = &job_.destination->info();
  dest_ = &job_.destination->connection().session();
  build_pairing();
  prepare_statements();

  Query& src = *job_.source;
  src.first();

  // The reading side: fetch and convert, a chunk at a time.
  int64_t produced = 0;
  auto read_chunk = [&](Chunk& chunk) -> bool {
    chunk.rows.clear();
    std::vector<Value> row;
    try {
      while (chunk.rows.size() < kSendRows && src.fetch_into(row)) {
        ++produced;
        SourceRow r;
        std::string why;
        if (!convert(row, r.values, why)) {
          r.fits = false;
          r.why = why;
          r.key = key_text(row, produced, true);
          r.values.clear();
        }
        chunk.rows.push_back(std::move(r));
      }
    } catch (...) {
      chunk.error = std::current_exception();
      return false;
    }
    return chunk.rows.size() == kSendRows;
  };

  // The writing side: rows in source order; a row that does not fit stops the job or is left out.
  auto write_chunk = [&](Chunk& chunk) {
    for (auto& r : chunk.rows) {
      ++stats_.read;
      if (!r.fits) {
        if (job_.abort_on_problem) {
          flush();
          stop(DbError(name + ": row " + std::to_string(stats_.read) + " of " + src.name() +
                           " does not fit table " + table_->name + ": " + r.why,
                       DbError::Kind::ValueProblem));
        }
        ++stats_.left_out_value;
        stats_.rejected.push_back({RejectedRow::Reason::Value, stats_.read, r.key, r.why});
        continue;
      }
      pending_.push_back(std::move(r.values));
      pending_rows_.push_back(stats_.read);
      if (port_ && stats_.read % kProgressEvery == 0) port_->progress(table_->name, stats_.read, -1);
    }
    flush();
    if (chunk.error) {
      stop_commit();
      std::rethrow_exception(chunk.error);
    }
  };

  bool own_transaction = !dest_->in_transaction();
  if (own_transaction) dest_->begin();
  if (port_) port_->progress(table_->name, 0, -1);
  try {
    for (bool more = true; more;) {
      Chunk chunk;
      more = read_chunk(chunk);
      write_chunk(chunk);
    }
    if (own_transaction) dest_->commit();
  } catch (...) {
    stop_commit();
    throw;
  }
  if (port_) port_->progress(table_->name, stats_.read, stats_.read);
  return std::move(stats_);
}

}  // namespace

BatchStats BatchMove::execute(MessagePort* port) {
  if (!source || !destination) throw DbError("Invalid batch move parameters");
  bool source_was_open = source->active();
  bool destination_was_open = destination->active();
  auto restore = [&] {
    if (!source_was_open) source->close();
    if (!destination_was_open) destination->close();
  };
  try {
    if (!source_was_open) source->open();
    destination->open();
    BatchStats stats = Run(*this, port).go();
    restore();
    return stats;
  } catch (...) {
    restore();
    throw;
  }
}

}  // namespace bm::data
