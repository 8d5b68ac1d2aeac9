// The driver-independent parts of the access layer: profiles, parameter scan, value texts and
// the rule of what fits a column.
#include <gtest/gtest.h>

#include "data/connection.h"
#include "data/query.h"
#include "data/value_fit.h"

namespace bm::data {
namespace {

TEST(Profiles, RebuildLeavesTheConnectionClosedWithExactlyTheProfileLines) {
  Connection c("QIMS", DriverKind::INTRBASE, profiles::short_file_list("D:\\testdata\\qimbook"));
  EXPECT_EQ(c.params(), (std::vector<std::string>{"SERVER NAME=D:\\testdata\\qimbook",
                                                  "USER NAME=sysdba", "PASSWORD=415903"}));
  c.params() = profiles::full_file_list("D:\\testdata\\rorudazez");
  EXPECT_EQ(c.params().size(), 19u);
  EXPECT_EQ(c.params()[9], "BATCH COUNT=200");
  c.rebuild_file_profile("/data/shop.fdb");
  EXPECT_FALSE(c.connected());
  EXPECT_EQ(c.params(), (std::vector<std::string>{"SERVER NAME=/data/shop.fdb", "USER NAME=SYSDBA",
                                                  "PASSWORD=415903",
                                                  "SQLPASSTHRU MODE=SHARED AUTOCOMMIT"}));
  Connection s("GZTOQIM", DriverKind::MSSQL, profiles::full_server_list("book7"));
  EXPECT_EQ(s.params().size(), 24u);
  EXPECT_EQ(s.params().front(), "DATABASE NAME=book7");
  EXPECT_EQ(s.params().back(), "PASSWORD=415903");
  s.rebuild_server_profile("qimbookep");
  EXPECT_EQ(s.params(), (std::vector<std::string>{"DATABASE NAME=qimbookep", "SERVER NAME=(local)",
                                                  "USER NAME=SYSDBA", "PASSWORD=415903",
                                                  "SQLPASSTHRU MODE=SHARED AUTOCOMMIT"}));
  EXPECT_EQ(param_value(s.params(), "server name"), "(local)");
}

TEST(Profiles, ARebuildOnAnOpenConnectionClosesIt) {
  class FakeSession : public Session {
   public:
    std::unique_ptr<Statement> prepare(const std::string&) override { throw DbError("no"); }
    void begin() override {}
    void commit() override {}
    void rollback() override {}
    bool in_transaction() const override { return false; }
    TableInfo describe_table(const std::string&) override { return {}; }
    void call_procedure(const std::string&, const std::vector<std::pair<std::string, Value>>&) override {}
    std::string quote_identifier(const std::string& n) const override { return n; }
  };
  class FakeDriver : public Driver {
   public:
    std::unique_ptr<Session> connect(const std::vector<std::string>&) override {
      return std::make_unique<FakeSession>();
    }
  };
  set_driver(DriverKind::MSSQL, std::make_shared<FakeDriver>());
  Connection s("QIMDQC", DriverKind::MSSQL, profiles::full_server_list("qimbookep"));
  s.open();
  EXPECT_TRUE(s.connected());
  s.rebuild_server_profile("rc");
  EXPECT_FALSE(s.connected());
  EXPECT_EQ(s.params().size(), 5u);
  set_driver(DriverKind::MSSQL, nullptr);
  EXPECT_THROW(s.open(), DbError) << "no driver installed is an error, not a crash";
}

TEST(ParameterScan, NamesOutsideQuotesAndCommentsAreParameters) {
  struct Case {
    std::string sql, text;
    std::vector<std::string> params;
  } cases[] = {
      {"select * from t where a = :A and b=:b_2", "select * from t where a = ? and b=?", {"A", "b_2"}},
      {"select ':X', \":Y\", [:Z] from t", "select ':X', \":Y\", [:Z] from t", {}},
      {"select 1 -- :C\nfrom t /* :D */", "select 1 -- :C\nfrom t /* :D */", {}},
      {"update t set n = :NUMBER", "update t set n = ?", {"NUMBER"}},
      {"select a::b, 'it''s' from t", "select a:b, 'it''s' from t", {}},
      {"select 10:30", "select 10:30", {}},
  };
  for (const auto& c : cases) {
    auto s = scan_params(c.sql);
    EXPECT_EQ(s.text, c.text) << c.sql;
    EXPECT_EQ(s.params, c.params) << c.sql;
  }
}

TEST(ValueText, FixedFormsReadBack) {
  EXPECT_EQ(to_text(Value{}), "");
  EXPECT_EQ(to_text(Value{Decimal{-5, 2}}), "-0.05");
  EXPECT_EQ(to_text(Value{Decimal{1250, 2}}), "12.50");
  EXPECT_EQ(to_text(Value{0.75}), "0.75");
  EXPECT_EQ(to_text(Value{1e20}), "1e+20");
  Timestamp ts{{2011, 3, 1}, {9, 5, 7, 1230}};
  EXPECT_EQ(to_text(Value{ts}), "2011-03-01 09:05:07.123");
  EXPECT_EQ(parse_timestamp(to_text(Value{ts})), ts);
  EXPECT_EQ(to_text(Value{Timestamp{{2011, 3, 1}, {}}}), "2011-03-01 00:00:00");
  EXPECT_FALSE(parse_timestamp("2011-02-29"));
  EXPECT_TRUE(parse_timestamp("2012-02-29"));
  EXPECT_FALSE(parse_timestamp("2011-03-01 24:00:00"));
  EXPECT_EQ(parse_decimal(" -12.340 "), (Decimal{-12340, 3}));
  EXPECT_FALSE(parse_decimal("1e5"));
  EXPECT_FALSE(parse_decimal("-"));
}

ColumnInfo column(ColumnType type, int a = 0, int b = 0, bool nullable = true) {
  ColumnInfo c;
  c.name = "F";
  c.type = type;
  c.nullable = nullable;
  if (type == ColumnType::Integer) c.bits = a;
  if (type == ColumnType::Decimal) c.precision = a, c.scale = b;
  if (type == ColumnType::Text) c.char_length = a, c.byte_length = b;
  return c;
}

TEST(ValueFit, WhatFitsAColumnWithoutLoss) {
  struct Case {
    Value in;
    ColumnInfo col;
    std::optional<std::string> out;  // text of the converted value; nullopt: does not fit
  } cases[] = {
      {int64_t{32767}, column(ColumnType::Integer, 16), "32767"},
      {int64_t{32768}, column(ColumnType::Integer, 16), std::nullopt},
      {2.0, column(ColumnType::Integer, 32), "2"},
      {2.5, column(ColumnType::Integer, 32), std::nullopt},
      {Decimal{300, 2}, column(ColumnType::Integer, 32), "3"},
      {std::string(" 42 "), column(ColumnType::Integer, 32), "42"},
      {std::string("4x"), column(ColumnType::Integer, 32), std::nullopt},
      {std::string(""), column(ColumnType::Integer, 32), ""},
      {0.1 + 0.2, column(ColumnType::Decimal, 9, 2), "0.30"},
      {1.005, column(ColumnType::Decimal, 9, 2), std::nullopt},
      {Decimal{12345, 3}, column(ColumnType::Decimal, 9, 2), std::nullopt},
      {Decimal{12340, 3}, column(ColumnType::Decimal, 9, 2), "12.34"},
      {int64_t{10000000}, column(ColumnType::Decimal, 9, 2), std::nullopt},
      {std::string("abcdefghijklm"), column(ColumnType::Text, 13, 13), "abcdefghijklm"},
      {std::string("abcdefghijklmn"), column(ColumnType::Text, 13, 13), std::nullopt},
      {std::string("abc   "), column(ColumnType::Text, 3, 3), "abc"},
      // SQL Server varchar(4) holds 4 bytes of code page 936: two Chinese characters.
      {std::string("图书"), column(ColumnType::Text, 4, 4), "图书"},
      {std::string("图书资"), column(ColumnType::Text, 4, 4), std::nullopt},
      {std::string("😀"), column(ColumnType::Text, 4, 8), std::nullopt},
      {std::string("😀"), column(ColumnType::Text, 4, 0), "😀"},
      {int64_t{123456}, column(ColumnType::Text, 5, 5), std::nullopt},
      {Decimal{75, 2}, column(ColumnType::Float), "0.75"},
      {std::string("2011-03-01 08:30:00"), column(ColumnType::Timestamp), "2011-03-01 08:30:00"},
      {std::string("2011-13-01"), column(ColumnType::Timestamp), std::nullopt},
      {Timestamp{{2011, 3, 1}, {8, 0, 0, 0}}, column(ColumnType::Date), std::nullopt},
      {Value{}, column(ColumnType::Text, 5, 5, false), std::nullopt},
      {Value{}, column(ColumnType::Text, 5, 5, true), ""},
  };
  for (const auto& c : cases) {
    auto r = fit_value(c.in, c.col);
    if (c.out) {
      ASSERT_TRUE(std::holds_alternative<Value>(r))
          << to_text(c.in) << ": " << std::get<FitProblem>(r).text;
      EXPECT_EQ(to_text(std::get<Value>(r)), *c.out) << to_text(c.in);
    } else {
      EXPECT_TRUE(std::holds_alternative<FitProblem>(r)) << to_text(c.in) << " must not fit";
    }
  }
}

}  // namespace
}  // namespace bm::data

#include "data/script.h"

namespace bm::data {
namespace {

TEST(Script, SplitsAtTheCurrentTerminatorAndSkipsCommentsAndIsqlLines) {
  auto s = split_script(
      "SET SQL DIALECT 1;\n-- a comment; not a statement\nCREATE TABLE T (A VARCHAR(5));\n"
      "INSERT INTO T VALUES ('a;b');\nCOMMIT;\n/* x; y */\nSET TERM ^ ;\n"
      "CREATE TRIGGER X FOR T BEFORE INSERT AS BEGIN NEW.A = 'z'; END^\nSET TERM ; ^\n"
      "commit work;\nSELECT * FROM T");
  EXPECT_EQ(s, (std::vector<std::string>{"CREATE TABLE T (A VARCHAR(5))", "INSERT INTO T VALUES ('a;b')",
                                         "CREATE TRIGGER X FOR T BEFORE INSERT AS BEGIN NEW.A = 'z'; END",
                                         "SELECT * FROM T"}));
}

}  // namespace
}  // namespace bm::data
