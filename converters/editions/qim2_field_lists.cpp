#include "converters/editions/qim2_field_lists.h"

namespace bm::converters::qim2 {

const std::vector<std::string> kBookFields = {
    "BOOK_ID",      "ISBN",        "SELF_NO",        "BOOK_NAME",     "PUBLISH",       "PACK",
    "BUSI_CLASS",   "PRICE",       "PUBLISH_DATE",   "PAGE_WORD",     "ISSUE_NO",      "ISSUESEQ_NO",
    "BOOK_SET",     "AUTHOR",      "PUB_TIME",       "BOOK_SIZE",     "PRINT_TIME",    "PAPER_COUNT",
    "PRINT_COUNT",  "MEDIA",       "REMARK",         "STORE_NO",      "TRANS_FLAG",    "TRANS_TIME",
    "NAME_JP",      "IN_PRICE",    "FST_LIB",        "CLIENT_ID",     "ALLOWUSE",      "OPERATOR_NAME",
    "LIB_LOW",      "LIB_HIGH",    "ISMAINBOOK",     "ISBN_CLASS",    "COVER",         "GOODS_CLASS",
    "STS_TIME",     "STS",         "SPEC_MODEL",     "RETAIL_PRICE",  "SELL_PRICE",    "SPEC_PRICE",
    "SELL_DISCOUNT", "DISTRIB_DISCOUNT", "BUILD_TIME", "FSTR1",       "FSTR2",         "FSTR3",
    "FINT1",        "FINT2",       "FINT3",          "FINT4",         "FFLOAT1",       "FFLOAT2",
    "FFLOAT3",      "FFLOAT4",     "FFLOAT5",        "FFLOAT6",       "FTIME1",        "FTIME2",
    "LASTUPTIME",   "TRANFLAG",    "STORE_NO1",
};

const std::vector<std::string> kClientFields = {
    "CLIENT_NO", "NAME",      "CLASS",      "AREACODE",     "PHONE",     "FAX",        "POSTCODE",
    "ADDRESS",   "CONTACT",   "EMAIL",      "WEB",          "REMARK",    "FST_MONEY",  "BANK",
    "BANK_NAME", "BANK_NO",   "TAX_NO",     "SALESMAN",     "BUILD_DATE", "FF_MAN",    "STS",
    "STS_TIME",  "STORE_NO",  "TRANS_FLAG", "TRANS_TIME",   "NAME_JP",   "ALLOWUSE",   "DEF_DISCOUNT",
    "ARR_PLACE", "AREANAME",  "COMPACT_NO", "FSTR1",        "FSTR2",     "FSTR3",      "FINT1",
    "FINT2",     "FINT3",     "FINT4",      "FFLOAT1",      "FFLOAT2",   "FFLOAT3",    "FFLOAT4",
    "FTIME1",    "FTIME2",    "LASTUPTIME", "TRANFLAG",     "STORE_NO1",
};

const std::vector<std::string> kLoadMasterFields = {
    "ORDER_NO",  "CLIENT_ID", "LIB_NO",     "ORDER_DATE", "MODE_ID",   "OTHER_FEE", "RATE",
    "TO_DATE",   "DISCOUNT",  "RESP_NO",    "REMARK",     "BOOK_SUM",  "MONEY_M",   "MONEY_S",
    "MONEY_NO",  "REC_NUM",   "PRINT_NUM",  "OPERATOR",   "STORE_NO",  "STS",       "STS_TIME",
    "TRANS_FLAG", "TRANS_TIME", "NOTPAY",   "ACCOUNTNO",  "PURNO",     "PAID",      "CTYPE",
    "FSTR1",     "FSTR2",     "FSTR3",      "FINT1",      "FINT2",     "FINT3",     "FINT4",
    "FFLOAT1",   "FFLOAT2",   "FFLOAT3",    "FFLOAT4",    "FTIME1",    "FTIME2",    "LASTUPTIME",
    "TRANFLAG",  "STORE_NO1", "IS_RATE",
};

const std::vector<std::string> kSellMasterFields = {
    "ORDER_NO",  "CLIENT_ID", "LIB_NO",     "ORDER_DATE", "MODE_ID",   "OTHER_FEE",  "RATE",
    "TO_DATE",   "DISCOUNT",  "RESP_NO",    "REMARK",     "BOOK_SUM",  "MONEY_M",    "MONEY_S",
    "MONEY_NO",  "REC_NUM",   "PRINT_NUM",  "OPERATOR",   "STORE_NO",  "STS",        "STS_TIME",
    "TRANS_FLAG", "TRANS_TIME", "POS_PAY",  "POS_CHANGE", "NOTPAY",    "ACCOUNTNO",  "PURNO",
    "MEMBER_ID", "PAID",      "CTYPE",      "FSTR1",      "FSTR2",     "FSTR3",      "FINT1",
    "FINT2",     "FINT3",     "FINT4",      "FFLOAT1",    "FFLOAT2",   "FFLOAT3",    "FFLOAT4",
    "FTIME1",    "FTIME2",    "LASTUPTIME", "TRANFLAG",   "STORE_NO1", "IS_RATE",
};

const std::vector<std::string> kOrderMasterFields = {
    "ORDER_NO",  "CLIENT_ID", "ORDER_DATE", "MODE_ID",    "OTHER_FEE", "RATE",      "TO_DATE",
    "DISCOUNT",  "RESP_NO",   "REMARK",     "BOOK_SUM",   "MONEY_M",   "MONEY_S",   "MONEY_NO",
    "REC_NUM",   "PRINT_NUM", "OPERATOR",   "STORE_NO",   "STS",       "STS_TIME",  "TRANS_FLAG",
    "TRANS_TIME", "ACCOUNTNO", "FSTR1",     "FSTR2",      "FSTR3",     "FINT1",     "FINT2",
    "FINT3",     "FINT4",     "FFLOAT1",    "FFLOAT2",    "FFLOAT3",   "FFLOAT4",   "FTIME1",
    "FTIME2",    "LASTUPTIME", "TRANFLAG",  "STORE_NO1",
};

const std::vector<std::string> kPurOrderLineFields = {
    "ORDER_NO", "SEQ_NO",  "BOOK_ID", "NUMBER",  "DISCOUNT", "PACK",        "LIB_POSITION",
    "INQTY",    "FSTR1",   "FSTR2",   "FSTR3",   "FINT1",    "FINT2",       "FINT3",
    "FINT4",    "FFLOAT1", "FFLOAT2", "FFLOAT3", "FFLOAT4",  "FTIME1",      "FTIME2",
    "ORDER_DATED", "LASTUPTIME", "TRANFLAG", "STORE_NO1", "PRICE",
};

const std::vector<std::string> kSalOrderLineFields = {
    "ORDER_NO", "SEQ_NO",  "BOOK_ID", "NUMBER",  "DISCOUNT", "PACK",        "EXCH_RATE",
    "OUTQTY",   "FSTR1",   "FSTR2",   "FSTR3",   "FINT1",    "FINT2",       "FINT3",
    "FINT4",    "FFLOAT1", "FFLOAT2", "FFLOAT3", "FFLOAT4",  "FTIME1",      "FTIME2",
    "ORDER_DATED", "DREMARK", "LASTUPTIME", "TRANFLAG", "STORE_NO1", "PRICE",
};

const std::vector<std::string> kCheckFields = {
    "ORDER_NO",  "ORDER_DATE", "INSERTDATE", "INVDATE",   "STORE_NO",  "LIB_NO",    "OPERATOR",
    "BILLER",    "STS",        "STS_TIME",   "TRANS_FLAG", "TRANS_TIME", "REMARK",  "INVFLAG",
    "BOOK_SUM",  "MONEY_M",    "MONEY_S",    "REC_NUM",   "CLIENT_ID", "NAME",      "ACCOUNTNO",
    "AREANAME",  "FSTR1",      "FSTR2",      "FSTR3",     "FINT1",     "FINT2",     "FINT3",
    "FINT4",     "FFLOAT1",    "FFLOAT2",    "FFLOAT3",   "FFLOAT4",   "FTIME1",    "FTIME2",
    "LASTUPTIME", "TRANFLAG",  "STORE_NO1",
};

const std::vector<std::string> kCheckLine1Fields = {
    "ORDER_NO", "IDENC",    "INVQTY",  "NUMBER",  "DIFFQTY", "RATE",    "SEQ_NO",
    "BOOK_ID",  "LIB_POSITION", "INVFLAG", "DISCOUNT", "FSTR1", "FSTR2", "FSTR3",
    "FINT1",    "FINT2",    "FINT3",   "FINT4",   "FFLOAT1", "FFLOAT2", "FFLOAT3",
    "FFLOAT4",  "FTIME1",   "FTIME2",  "ORDER_DATED",
};

const std::vector<std::string> kBillFields = {
    "BILLNO",    "BILLDATE",  "BILLTYPE",   "INVOICENO",  "AMOUNT",     "TERMS",     "CHECKFLAG",
    "CHECKER",   "CHECKDATE", "BILLER",     "OPERATOR",   "REBILLNO",   "STATUS",    "REMARK",
    "INSERTDATE", "UPDATEDATE", "UPDATEMAN", "MONEY_ID",  "REC_NUM",    "MONEY_M",   "TRANS_FLAG",
    "TRANS_TIME", "CUSTNO",   "FSTR1",      "FSTR2",      "FSTR3",      "FINT1",     "FINT2",
    "FINT3",     "FINT4",     "FFLOAT1",    "FFLOAT2",    "FFLOAT3",    "FFLOAT4",   "FTIME1",
    "FTIME2",    "LASTUPTIME", "TRANFLAG",  "STORE_NO1",
};

const std::vector<std::string> kExchMasterFields = {
    "ORDER_NO",  "CLIENT_ID", "INLIB_NO",   "OUTLIB_NO",  "ORDER_DATE", "MODE_ID",   "OTHER_FEE",
    "RATE",      "TO_DATE",   "DISCOUNT",   "RESP_NO",    "REMARK",     "BOOK_SUM",  "MONEY_M",
    "MONEY_S",   "MONEY_NO",  "REC_NUM",    "PRINT_NUM",  "OPERATOR",   "STORE_NO",  "STS",
    "STS_TIME",  "TRANS_FLAG", "TRANS_TIME", "POS_PAY",   "POS_CHANGE", "NOTPAY",    "ACCOUNTNO",
    "PURNO",     "MEMBER_ID", "PAID",       "CTYPE",      "FSTR1",      "FSTR2",     "FSTR3",
    "FINT1",     "FINT2",     "FINT3",      "FINT4",      "FFLOAT1",    "FFLOAT2",   "FFLOAT3",
    "FFLOAT4",   "FTIME1",    "FTIME2",     "NAME",       "LASTUPTIME", "TRANFLAG",  "STORE_NO1",
};

const std::vector<std::string> kHireLineFields = {
    "ORDER_NO", "SEQ_NO",   "BOOK_ID",  "NUMBER",  "DISCOUNT", "PACK",    "STS",
    "STS_TIME", "LIB_NO",   "LIB_POSITION", "COST", "MONEY_SS", "YAJIN",  "FSTR1",
    "FSTR2",    "FSTR3",    "FINT1",    "FINT2",   "FINT3",    "FINT4",   "FFLOAT1",
    "FFLOAT2",  "FFLOAT3",  "FFLOAT4",  "FTIME1",  "FTIME2",   "ORDER_DATED", "LASTUPTIME",
    "TRANFLAG", "STORE_NO1", "PRICE",
};

std::vector<std::string> same_name_lines(const std::vector<std::string>& fields) {
  std::vector<std::string> lines;
  lines.reserve(fields.size());
  for (const auto& f : fields) lines.push_back(f + "=" + f);
  return lines;
}

}  // namespace bm::converters::qim2
