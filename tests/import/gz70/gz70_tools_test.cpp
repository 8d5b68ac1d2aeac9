// The GZ70 window's other tools: the statistics viewer's report and the hidden renumbering of
// the target's purchase lines.
#include <functional>

#include "converters/gz70/gz70_statistics.h"
#include "tests/import/gz70/gz70_import.h"

namespace bm::converters {
namespace {

using Box = test::RecordingPort::Box;

Rows report(ConverterDM& dm, test::RecordingPort& port, bool* finished = nullptr) {
  Rows memo;
  bool ok = data::run_step(port, [&] { gz70_statistics_report(dm, [&](const std::string& l) { memo.push_back(l); }); });
  if (finished) *finished = ok;
  return memo;
}

TEST_F(Gz70Import, StatisticsCompareSourceAndTargetCountsAndEachPressAddsAReport) {
  import_all();
  port.clear();
  Rows memo = report(*dm, port);
  const std::string stars = kStatisticsSeparator;
  ASSERT_EQ(stars, std::string(59, '*'));
  EXPECT_EQ(memo, (Rows{"图书资料源数据库：3", "图书资料目标数据库：3", stars,
                        "客户资料源数据库：2", "客户资料目标数据库：2", stars,
                        "供应商资料源数据库：2", "供应商资料目标数据库：1", stars,
                        "会员资料源数据库：2", "会员资料目标数据库：2", stars,
                        "库存资料源数据库：3", "库存资料目标数据库：3", stars,
                        "统计分析源数据库：2", "统计分析目标数据库：2", stars,
                        "进货主表源数据库：3", "进货主表目标数据库：3", stars,
                        "进货明细源数据库：4", "进货明细目标数据库：4", stars,
                        "销售主表源数据库：4", "销售主表目标数据库：4", stars,
                        "销售明细源数据库：5", "销售明细目标数据库：5", stars,
                        "收款主表源数据库：3", "收款主表目标数据库：3", stars,
                        "收款明细源数据库：4", "收款明细目标数据库：4", stars,
                        "付款主表源数据库：2", "付款主表目标数据库：2", stars,
                        "付款明细源数据库：3", "付款明细目标数据库：3", stars}));
  EXPECT_TRUE(port.boxes.empty());
  Rows again = report(*dm, port);
  EXPECT_EQ(again, memo);
}

TEST_F(Gz70Import, StatisticsOfASourceWithoutClassificationsStopAfterFiveRows) {
  // No connect press: the work queries open the designed databases.
  fixtures::run_tsql_script("book7", "DROP TABLE bookkind");
  bool finished = true;
  Rows memo = report(*dm, port, &finished);
  EXPECT_FALSE(finished);
  ASSERT_EQ(memo.size(), 15u) << ::testing::PrintToString(memo);
  EXPECT_EQ(memo[0], "图书资料源数据库：3");
  EXPECT_EQ(memo[13], "库存资料目标数据库：0");
  ASSERT_EQ(port.boxes.size(), 2u);
  EXPECT_EQ(port.boxes[0], (Box{Box::Kind::DataError, "系统数据出错:select count(*) as ccount from bookkind "}));
  EXPECT_EQ(port.boxes[1].kind, Box::Kind::Error);
}

// Purchase lines already in the target ("order_no|seq_no"), and the number each gets.
struct Renumbering {
  const char* what;
  Rows lines;
  Rows numbered;  // "order_no|seq_no|seq_no2", by order_no and seq_no
};

TEST_F(Gz70Import, HiddenRenumberingCountsDownTheLinesOfEachPurchase) {
  const std::vector<Renumbering> cases = {
      {"line numbers unique and within the line count",
       {"A|1", "A|2", "A|3", "B|4", "B|5"},
       {"A|1|3", "A|2|2", "A|3|1", "B|4|2", "B|5|1"}},
      {"documents sharing line numbers, numbers beyond the line count, a quote in a number",
       {"JH'7|1", "JH'7|2", "JH'7|3", "B|1", "B|2", "C|10011", "C|10012"},
       {"B|1|2", "B|2|1", "C|10011|2", "C|10012|1", "JH'7|1|3", "JH'7|2|2", "JH'7|3|1"}},
      {"no lines", {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string script = "DELETE FROM pur_loaddetail\n";
    for (const auto& l : c.lines) {
      auto bar = l.find('|');
      std::string order = l.substr(0, bar);
      for (size_t p = order.find('\''); p != std::string::npos; p = order.find('\'', p + 2)) order.insert(p, "'");
      script += "INSERT INTO pur_loaddetail (order_no, seq_no, book_id, number) VALUES ('" + order + "', " +
                l.substr(bar + 1) + ", 1, 1)\n";
    }
    fixtures::run_tsql_script("qimbookep", script);
    // The module's queries stay open on what they read last; reconnecting lets the target
    // connection see the lines just written by another connection.
    dm->target.close();
    for (int press_no = 1; press_no <= 2; ++press_no) {
      EXPECT_TRUE(press("btnGetSeq_no"));
      EXPECT_TRUE(port.boxes.empty()) << ::testing::PrintToString(port.texts());
      EXPECT_EQ(target("select order_no, seq_no, seq_no2 from pur_loaddetail order by order_no, seq_no"), c.numbered)
          << "press " << press_no;
    }
  }
}

}  // namespace
}  // namespace bm::converters
