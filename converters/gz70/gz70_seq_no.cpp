#include "converters/gz70/gz70_seq_no.h"

#include <string>

#include "converters/converter_dm.h"
#include "data/error.h"
#include "data/helpers.h"
#include "data/value.h"

namespace bm::converters {

namespace {

// A value joined into a statement as a quoted text constant.
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

int64_t count_of(const data::Query& q, const std::string& column) {
  std::string text = q.field_text(column);
  try {
    size_t used = 0;
    int64_t n = std::stoll(text, &used);
    if (used == text.size()) return n;
  } catch (const std::exception&) {
  }
  throw data::DbError("'" + text + "' is not a valid integer value");
}

}  // namespace

void gz70_renumber_purchase_lines(ConverterDM& dm) {
  data::Query& work = dm.query("btQrygetNo3");
  for (const char* s : {"ALTER TABLE pur_loaddetail  ADD temp1 VARCHAR(50) ",
                        "ALTER TABLE pur_loaddetail  ADD temp2 VARCHAR(50) ",
                        "ALTER TABLE pur_loaddetail  ADD seq_no2 int ", "update pur_loaddetail  set temp1=0",
                        "update pur_loaddetail  set temp2=seq_no"})
    data::ExecQuiet(work, s);

  data::Query& lines = dm.query("btQry_Temp_D");
  data::OpenQuiet(lines, "select count(*) as cseq_no from pur_loaddetail ");
  const int64_t n = count_of(lines, "cseq_no");
  if (n == 0) return;

  data::Query& next = dm.query("btQrygetNo1");
  data::Query& count = dm.query("btQrygetNo2");
  // One line per pass: the first line not yet numbered, in the order of the line numbers. At most
  // one pass per line, so a line that cannot be marked does not hold the loop.
  for (int64_t pass = 0; pass < n; ++pass) {
    data::OpenShow(*dm.port, next,
                   "select top 1 order_no, temp2 from pur_loaddetail where temp1<>'1' order by seq_no, order_no");
    if (next.eof()) break;
    const std::string order_no = next.field_text("order_no");
    const std::string line = next.field_text("temp2");
    data::OpenShow(*dm.port, count,
                   "select count(seq_no) as cseq_no  from pur_loaddetail where temp1<>'1' and order_no=" +
                       quoted(order_no));
    const std::string left = count.field_text("cseq_no");
    data::ExecShow(*dm.port, work,
                   "update pur_loaddetail set temp1='1',seq_no2=" + left + " where temp2=" + quoted(line) +
                       " and order_no=" + quoted(order_no));
  }
}

}  // namespace bm::converters
