// What the big-customer-to-standard data module reads from its window: the box cbxhaveValue
// ("如果大客户版数据库有统计分析数据或原来是正常使用的，请选择此项。"). Ticked, the clearing also empties
// the target's own system tables.
//
// The window sets it on the data module before every press, the way it hands over its message
// port; all windows of the converter share the one data module, so the window pressed last
// decides. A data module nobody set it on reads it unticked.
#pragma once

namespace bm::converters {

class ConverterDM;

void set_have_value(const ConverterDM& dm, bool ticked);
bool have_value(const ConverterDM& dm);

}  // namespace bm::converters
