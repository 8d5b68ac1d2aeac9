#include "converters/qc/qc_returns.h"

#include "data/helpers.h"

namespace bm::converters {

namespace {

struct ReturnDocuments {
  const char* source_sql;    // the return numbers in the prepared QC database
  const char* target_table;  // the header table they were copied into
};

const ReturnDocuments kReturnDocuments[] = {
    {"select order_no from th_to_title", "pur_loadmaster"},
    {"select order_no from th_from_title", "sal_sellmaster"},
};

// Document numbers per statement: short statements, few round trips.
constexpr size_t kNumbersPerStatement = 100;

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

}  // namespace

void keep_qc_return_types(ConverterDM& dm) {
  data::Query& source = dm.query("btQry_Temp_S");
  data::Query& target = dm.query("btQry_Temp_D");
  for (const auto& docs : kReturnDocuments) {
    data::OpenShow(*dm.port, source, docs.source_sql);
    if (!source.active()) continue;
    std::vector<std::string> numbers;
    for (; !source.eof(); source.next()) {
      std::string number = source.field_text("order_no");
      if (!number.empty()) numbers.push_back(number);
    }
    source.close();
    for (size_t from = 0; from < numbers.size(); from += kNumbersPerStatement) {
      std::string list;
      for (size_t i = from; i < numbers.size() && i < from + kNumbersPerStatement; ++i)
        list += (list.empty() ? "" : ",") + quoted(numbers[i]);
      data::ExecShow(*dm.port, target,
                     std::string("UPDATE ") + docs.target_table + " SET ctype='R' WHERE order_no IN (" + list + ")");
    }
  }
}

}  // namespace bm::converters
