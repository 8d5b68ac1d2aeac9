// What the GZ70 import tests share: a GZ70 database and a freshly installed big-customer
// database on the SQL Server the tests use, the GZ70 data module over them, and a technician who
// presses the window's buttons.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "converters/converter_dm.h"
#include "converters/gz70/gz70_data.h"
#include "converters/registry.h"
#include "data/drivers/install.h"
#include "data/query.h"
#include "tests/fixtures/bigcustomer_db.h"
#include "tests/fixtures/gz70/gz70_db.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::converters {

using Rows = std::vector<std::string>;

// The fourteen boxes the GZ70 window enables.
inline const std::set<std::string> kGz70Boxes = {
    "cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxbas_member",    "cbxInv_libup",
    "cbxpub_dict",       "cbxpur_loadmaster", "cbxpur_loaddetail", "cbxsal_sellmaster", "cbxsal_selldetail",
    "cbxarp_pay",        "cbxarp_paydetail",  "cbxarp_rece",       "cbxarp_recedetail"};

class Gz70Import : public ::testing::Test {
 protected:
  void SetUp() override {
    data::install_default_drivers();
    fixtures::use_test_sqlserver(dir.file("sqlserver"));
    fixtures::create_gz70_database("book7");
    // The technician turns the identity columns of the settlement lines into plain numbers
    // before importing: the GZ70 line numbers go in as they are. The product's own rows that
    // matter here: the retail customer, the book counter, a classification; and rows of an
    // earlier attempt, which step 1 clears.
    fixtures::create_bigcustomer_database("qimbookep", false, false);
    fixtures::run_tsql_script("qimbookep",
                              "INSERT INTO BAS_CLIENT (CLIENT_NO, NAME) VALUES ('1', '零售客户')\n"
                              "INSERT INTO PUB_MAXID (CTYPE, MAX_ID, REMARK) VALUES ('BOOKINFO', 0, '图书编号')\n"
                              "INSERT INTO PUB_DICT (NAME, KEY_ID, KEY_WORD) VALUES ('busi_class', '01', '社科')\n"
                              "INSERT INTO PUB_DICT (NAME, KEY_ID, KEY_WORD) VALUES ('goods_class', '01', '图书')\n"
                              "INSERT INTO BAS_BOOKINFO (BOOK_ID, BOOK_NAME) VALUES (77, '旧书')\n"
                              "INSERT INTO SAL_SELLMASTER (ORDER_NO, CLIENT_ID) VALUES ('77', '1')\n");
    dm = std::make_unique<ConverterDM>(gz70_definition(), port);
    dm->reject_log_dir = dir.file("rejects");
  }

  // Presses a button the way the window does; false when the step ended with an error.
  bool press(const std::string& button) {
    port.clear();
    if (button == "btnTOqim") return data::run_step(port, [&] { dm->execute(kGz70Boxes); });
    return data::run_step(port, [&] { dm->run_step(button); });
  }

  // The normal run in caption order (step 7 opens the viewer and is tested with it); the boxes
  // of each press in `shown`.
  void import_all() {
    ASSERT_TRUE(dm->connect_source("book7"));
    ASSERT_TRUE(dm->connect_target(gz70_definition().window.target_default));
    for (const char* b : {"btnStart", "btnGZ", "btnBatchMove", "btnTOqim", "btnEnd", "btnTR", "btnOP"}) {
      EXPECT_TRUE(press(b)) << b << ": " << ::testing::PrintToString(port.texts());
      shown[b] = port.texts();
    }
  }

  // Every row of a query, its fields joined with '|' (NULL as empty text).
  static Rows rows(data::Connection& c, const std::string& sql) {
    data::Query q("check", c);
    q.set_sql(sql);
    q.open();
    Rows out;
    for (; !q.eof(); q.next()) {
      std::string line;
      for (size_t i = 0; i < q.fields().size(); ++i) line += (i ? "|" : "") + q.field_text(q.fields()[i].name);
      out.push_back(line);
    }
    return out;
  }
  Rows target(const std::string& sql) { return rows(dm->target, sql); }
  Rows source(const std::string& sql) { return rows(dm->source, sql); }

  test::TempDir dir;
  test::RecordingPort port;
  std::unique_ptr<ConverterDM> dm;
  std::map<std::string, Rows> shown;
};

}  // namespace bm::converters
