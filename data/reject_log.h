// Rows a copy job left out: a log file of their keys that the technician can open, and the text
// of the box that tells how many and why.
#pragma once
#include <string>

#include "data/batch_move.h"

namespace bm::data {

// Writes "<dir>/<job>-<table>-<time>.log" (UTF-8, one line per row left out: reason, source row,
// key, detail) and returns its path; the working folder when `dir` is empty. Empty text when the
// file cannot be written (the box then says so).
std::string write_reject_log(const std::string& dir, const std::string& job, const std::string& table,
                             const BatchStats& stats);

// "BAS_CLIENT：有 3 行没有导入（键重复 2 行，数值不符 1 行），明细见 <log>"
std::string left_out_summary(const std::string& table, const BatchStats& stats, const std::string& log_path);

}  // namespace bm::data
