// The GZ70 statistics report: for fourteen kinds of data, the row count of the GZ70 source and
// of the target, counted through the GZ70 data module's two work queries.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "converters/converter_dm.h"
#include "data/message_port.h"

namespace bm::app {

struct StatisticsRow {
  const char* source_label;
  const char* source_sql;
  const char* target_label;
  const char* target_sql;
};
const std::vector<StatisticsRow>& gz_statistics_rows();

inline constexpr const char* kStatisticsSeparator = "***********************************************************";

// Appends one report, line by line. A count that cannot be read ends the report with the error
// (thrown); the lines appended so far stay.
void gz_statistics_report(converters::ConverterDM& dm, data::MessagePort& port,
                          const std::function<void(const std::string&)>& append);

}  // namespace bm::app
