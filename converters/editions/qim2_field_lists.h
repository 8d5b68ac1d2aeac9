// The fields both editions share, table by table: the big-customer-to-standard jobs copy exactly
// these, each line naming the field on both sides ("ISBN=ISBN").
#pragma once
#include <string>
#include <vector>

namespace bm::converters::qim2 {

extern const std::vector<std::string> kBookFields;          // BAS_BOOKINFO
extern const std::vector<std::string> kClientFields;        // BAS_CLIENT
extern const std::vector<std::string> kLoadMasterFields;    // PUR_LOADMASTER
extern const std::vector<std::string> kSellMasterFields;    // SAL_SELLMASTER
extern const std::vector<std::string> kOrderMasterFields;   // PUR_ORDERMASTER, SAL_ORDERMASTER
extern const std::vector<std::string> kPurOrderLineFields;  // PUR_ORDERDETAIL
extern const std::vector<std::string> kSalOrderLineFields;  // SAL_ORDERDETAIL
extern const std::vector<std::string> kCheckFields;         // INV_CHECK
extern const std::vector<std::string> kCheckLine1Fields;    // INV_CHECKDETAIL1
extern const std::vector<std::string> kBillFields;          // ARP_PAY, ARP_RECE
extern const std::vector<std::string> kExchMasterFields;    // INV_EXCHMASTER
extern const std::vector<std::string> kHireLineFields;      // SAL_HIREDETAIL

// "F=F" for every field, in order.
std::vector<std::string> same_name_lines(const std::vector<std::string>& fields);

}  // namespace bm::converters::qim2
