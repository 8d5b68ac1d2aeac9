// Step 6 of the GZ70 importer, "第六步 还原数据库的操作值": brings the target's counters in line with
// the imported data. Two blocks, each ending with its own message.
#pragma once

namespace bm::converters {

class ConverterDM;

// Block one: the 'BOOKINFO' row of pub_maxid takes the highest book number (inserted when
// missing), then "图书资料修复操作成功!" or "图书资料修复操作不成功!". Block two: the generators
// follow the highest line, log and table numbers and the lowest receipt line is numbered 1, then
// "其它最大值操作成功！" or "其它最大值操作不成功！".
void gz70_repair_counters(ConverterDM& dm);

}  // namespace bm::converters
