// The conformance suite of the access layer: every driver must pass it. Each test executable
// links one backend (a source defining conformance_backend()).
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/batch_move.h"
#include "data/connection.h"
#include "data/helpers.h"
#include "data/query.h"
#include "tests/data/backend.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::test {

Backend conformance_backend();

class Conformance : public ::testing::Test {
 protected:
  void SetUp() override;

  // A further database of the same backend, with its own connection.
  std::unique_ptr<data::Connection> new_database(const std::string& name);
  // Runs one statement (generic column types turned into the backend's words).
  void exec(const std::string& ddl_or_sql, data::Connection* on = nullptr);
  // The rows of a query as texts.
  std::vector<std::vector<std::string>> rows(const std::string& sql, data::Connection* on = nullptr);
  std::string scalar(const std::string& sql, data::Connection* on = nullptr);

  Backend backend;
  TempDir dir;
  std::unique_ptr<data::Connection> conn;
  RecordingPort port;
};

using Rows = std::vector<std::vector<std::string>>;

}  // namespace bm::test
