// Copy jobs: the rows of a source query into a destination table, paired by mapping lines or by
// position, in append or append-update mode, streamed and committed in batches.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/message_port.h"
#include "data/query.h"
#include "data/table.h"

namespace bm::data {

enum class BatchMode { Append, AppendUpdate };

// A row the job left out, with the destination key (or the source row number when the
// destination has no key) and why.
struct RejectedRow {
  enum class Reason { Key, Value } reason;
  int64_t source_row = 0;  // 1-based position in the source result
  std::string key;         // "BOOK_ID=12, LIB_NO=1"; "row 17" without a key
  std::string detail;      // the database's error or the value problem
};

struct BatchStats {
  int64_t read = 0;
  int64_t inserted = 0;
  int64_t updated = 0;
  int64_t left_out_key = 0;
  int64_t left_out_value = 0;
  std::vector<RejectedRow> rejected;  // every row left out, in source order
  int64_t left_out() const { return left_out_key + left_out_value; }
};

class BatchMove {
 public:
  explicit BatchMove(std::string component) : component_(std::move(component)) {}

  const std::string& component() const { return component_; }
  Query* source = nullptr;
  Table* destination = nullptr;
  BatchMode mode = BatchMode::Append;
  bool abort_on_key_violation = true;
  bool abort_on_problem = true;
  std::vector<std::string> mappings;  // "dest=src" or "NAME"; empty: pair by position

  // Rows per commit. Every row before a failing row stays committed.
  int64_t commit_count = 10000;

  // Moves every row. Errors (a bad pairing, a row that stops the job) raise DbError after the
  // earlier rows are committed and the open states are restored. Progress goes to `port`.
  BatchStats execute(MessagePort* port = nullptr);

 private:
  std::string component_;
};

}  // namespace bm::data
