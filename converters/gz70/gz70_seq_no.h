// The hidden GZ70 button "获取鹿屿大客户版进货批销明细序号" (btnGetSeq_no): numbers the purchase lines of
// the target within each document, into the work column seq_no2 that it adds to pur_loaddetail
// (with temp1, the done mark, and temp2, the line's original number).
#pragma once

namespace bm::converters {

class ConverterDM;

// Lines are taken in the order of their line number. Each line gets, in seq_no2, the number of
// lines of its document not yet numbered, itself included: a document of three lines gets 3, 2
// and 1. Every line is numbered, whatever its original number, and lines of different documents
// that share a number are numbered each within its own document. Shows nothing at the end.
void gz70_renumber_purchase_lines(ConverterDM& dm);

}  // namespace bm::converters
