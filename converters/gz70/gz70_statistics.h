// The GZ70 statistics viewer's report (window TgzToqimshowfrm, "查看统计数据"): for fourteen kinds
// of data, how many rows the GZ70 source holds and how many the target holds. The viewer has no
// connections of its own: it counts through the GZ70 data module's work queries btQry_Temp_S
// (source) and btQry_Temp_D (target), opening their connections when they are closed.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace bm::converters {

class ConverterDM;

struct StatisticsRow {
  std::string source_label, source_sql;
  std::string target_label, target_sql;
};

// The fourteen rows, in report order.
const std::vector<StatisticsRow>& gz70_statistics_rows();

// The line after each row of the report: 59 asterisks.
extern const char* const kStatisticsSeparator;

// One report, as "查看统计数据" (Button1) appends it to the memo: for each row the source line
// (label and count), the target line, the separator; 42 lines. Each line goes to `append` as soon
// as it is known. A count that cannot be opened shows "系统数据出错:" with the statement on the
// module's port, then the report ends by throwing the database layer's error; the lines given
// to `append` before stay given.
void gz70_statistics_report(ConverterDM& dm, const std::function<void(const std::string&)>& append);

}  // namespace bm::converters
