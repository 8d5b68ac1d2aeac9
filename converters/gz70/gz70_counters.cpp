#include "converters/gz70/gz70_counters.h"

#include <string>
#include <utility>
#include <vector>

#include "converters/converter_dm.h"
#include "data/error.h"
#include "data/helpers.h"

namespace bm::converters {

namespace {

const char* const kQuery = "btQryGZ";

// Each pair: a query giving one value, and the statement that the value completes.
struct CounterPair {
  std::string query;
  std::string column;
  std::string statement;
};

const std::vector<CounterPair> kOtherCounters = {
    {"SELECT MAX(idenc) AS maxid FROM arp_recedetail", "maxid", "SET GENERATOR recedetailid TO "},
    {"SELECT MIN(idenc) AS minid FROM arp_recedetail", "minid", "UPDATE arp_recedetail SET idenc=1 WHERE idenc="},
    {"SELECT MAX(idenc) AS maxid FROM arp_paydetail", "maxid", "SET GENERATOR paydetailid TO "},
    {"SELECT MAX(idenc) AS maxid FROM inv_checkdetail", "maxid", "SET GENERATOR checkdetailid TO "},
    {"SELECT MAX(log_id) AS maxid FROM sys_lognew", "maxid", "SET GENERATOR GEN_SYSLOG TO "},
    {"SELECT MAX(tabid) AS maxid FROM sys_tablede", "maxid", "SET GENERATOR GEN_SYSTABLEDE TO "},
};

void repair_book_counter(ConverterDM& dm) {
  data::Query& q = dm.query(kQuery);
  data::ExecQuiet(q, "ALTER TRIGGER TRIG_BOOKID_BI InActive");
  data::ExecQuiet(q, "ALTER TRIGGER TRIG_INVLIB_BI InActive");
  data::OpenQuiet(q, "SELECT MAX(book_id) AS maxid FROM bas_bookinfo");
  std::string max_id = q.field_text("maxid");  // fails when the query did not open
  data::OpenQuiet(q, "SELECT * FROM pub_maxid WHERE ctype=\"BOOKINFO\"");
  if (q.eof()) {
    data::ExecQuiet(q, "INSERT INTO pub_maxid(ctype,max_id) VALUES(\"BOOKINFO\",\"" + max_id + "\")");
  } else {
    data::ExecQuiet(q, "UPDATE pub_maxid SET max_id=\"" + max_id + "\" WHERE ctype=\"BOOKINFO\"");
  }
}

void repair_other_counters(ConverterDM& dm) {
  data::Query& q = dm.query(kQuery);
  for (const auto& pair : kOtherCounters) {
    data::OpenQuiet(q, pair.query);
    std::string value = q.field_text(pair.column);
    data::ExecShow(*dm.port, q, pair.statement + value);
  }
}

}  // namespace

void gz70_repair_counters(ConverterDM& dm) {
  try {
    repair_book_counter(dm);
    dm.port->info("图书资料修复操作成功!");
  } catch (const data::DbError&) {
    dm.port->info("图书资料修复操作不成功!");
  }
  try {
    repair_other_counters(dm);
    dm.port->info("其它最大值操作成功！");
  } catch (const data::DbError&) {
    dm.port->info("其它最大值操作不成功！");
  }
}

}  // namespace bm::converters
