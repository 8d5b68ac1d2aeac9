#include "converters/gms/gms_data.h"

#include "migrate/trigger_lists.h"

namespace bm::converters {

namespace {

const char* const kSource = "btQry_Temp_S";
const char* const kTarget = "btQry_Temp_D";
const char* const kTriggers = "btQryGMS";

// Step 1, first half, on the GMS file itself: discounts to fractions (only values above 1, so a
// second run divides nothing twice), the constants the jobs copy into flag fields ('1' in
// reserved1, 1 in stock.others, 0 in delbill), the walk-in individual 0 for sales without a
// customer, and the book number as line number of purchase and sale lines.
const std::vector<std::string> kPrepareSource = {
    "UPDATE book SET sale_discount=sale_discount/100 WHERE sale_discount>1",
    "UPDATE book SET sndiscount=sndiscount/100 WHERE sndiscount>1",
    "UPDATE book SET scdiscount=scdiscount/100 WHERE scdiscount>1",
    "UPDATE inbill SET reserved1='1'",
    "UPDATE salebill SET reserved1='1'",
    "UPDATE salebill SET client_no='0' WHERE client_no IS NULL",
    "UPDATE initem SET in_discount=in_discount/100 WHERE in_discount>1",
    "UPDATE initem SET sale_discount=sale_discount/100 WHERE sale_discount>1",
    "UPDATE initem SET reserved1='1'",
    "update initem SET delbill=book_no",
    "UPDATE saleitem SET sale_discount=sale_discount/100 WHERE sale_discount>1",
    "UPDATE saleitem SET reserved1='1'",
    "UPDATE saleitem SET number_two=book_no",
    "UPDATE stock SET others=1",
    "UPDATE paybill SET delbill=0",
    "UPDATE receiptbill SET delbill=0",
};

// Step 1, second half. Every customer goes, the retail customer '1' too: GMS numbers its
// partners from 0, and its own customer 1 must find the number free.
const std::vector<std::string> kClearTarget = {
    "DELETE FROM bas_bookinfo",   "DELETE FROM bas_client",     "DELETE FROM bas_provide",
    "DELETE FROM bas_member",     "DELETE FROM inv_libup",      "DELETE FROM pur_loadmaster",
    "DELETE FROM pur_loaddetail", "DELETE FROM sal_sellmaster", "DELETE FROM sal_selldetail",
};

// The temporary insert triggers that fill defaults while the rows arrive. Step 1 creates them in
// this order, step 4 drops them; the trigger lists leave them alone, so they stay active during
// the copy.
const std::vector<CommandDef> kTemporaryTriggers = {
    {"QIM_BOOK_ALLOW1",
     false,
     {"CREATE TRIGGER BOOK_ALLOW1 FOR BAS_BOOKINFO", "ACTIVE BEFORE INSERT POSITION 0", "AS", "BEGIN",
      "  NEW.ALLOWUSE = 1;", "  NEW.ISMAINBOOK = 0;", "  NEW.STS = '0';", "  NEW.IN_PRICE = 0.65;",
      "  NEW.STORE_NO = 'N1';", "END"}},
    {"QIM_BAS_CLIENT1",
     false,
     {"CREATE TRIGGER BAS_CLIENT1 FOR BAS_CLIENT", "ACTIVE BEFORE INSERT POSITION 0", "AS", "BEGIN",
      "  NEW.STS = '0';", "  NEW.ALLOWUSE = 1;", "  NEW.STS_TIME = 'NOW';", "  NEW.TRANS_FLAG = '1';",
      "  NEW.TRANS_TIME = 'NOW';", "  NEW.STORE_NO = 'N1';", "END"}},
    {"QIM_BAS_PROVIDE1",
     false,
     {"CREATE TRIGGER BAS_PROVIDE1 FOR BAS_PROVIDE", "ACTIVE BEFORE INSERT POSITION 0", "AS", "BEGIN",
      "  NEW.STS = '0';", "  NEW.ALLOWUSE = 1;", "  NEW.STS_TIME = 'NOW';", "  NEW.TRANS_FLAG = '1';",
      "  NEW.TRANS_TIME = 'NOW';", "  NEW.STORE_NO = 'N1';", "END"}},
    {"QIM_BAS_MEMBER1",
     false,
     {"CREATE TRIGGER BAS_MEMBER1 FOR BAS_MEMBER", "ACTIVE BEFORE INSERT POSITION 0", "AS", "BEGIN",
      "  NEW.ALLOWUSE = 1;", "  NEW.TRANS_FLAG = '1';", "  NEW.TRANS_TIME = 'NOW';", "END"}},
    {"QIM_INV_LIBUP",
     false,
     {"CREATE TRIGGER INV_LIBUP1 FOR INV_LIBUP", "ACTIVE BEFORE INSERT POSITION 0", "AS", "BEGIN",
      "  NEW.STS = '0';", "  NEW.STS_TIME = 'NOW';", "  NEW.TRANS_FLAG = '1';", "  NEW.TRANS_TIME = 'NOW';",
      "  NEW.STORE_NO = 'N1';", "END"}},
};

// Step 4: store 'N1' on the masters, document types by the sign of the amount, the temporary
// triggers dropped, stock discounts cut to two places, every book open to member prices.
const std::vector<std::string> kFixValues = {
    "UPDATE pur_loadmaster SET store_no='N1'",
    "UPDATE sal_sellmaster SET store_no='N1'",
    "UPDATE pur_loadmaster SET money_m=0 WHERE money_m IS NULL",
    "UPDATE pur_loadmaster SET ctype='L' WHERE money_m>=0",
    "UPDATE pur_loadmaster SET ctype='R' WHERE money_m<0",
    "UPDATE sal_sellmaster SET money_m=0 WHERE money_m IS NULL",
    "UPDATE sal_sellmaster SET ctype='L' WHERE money_m>=0",
    "UPDATE sal_sellmaster SET ctype='R' WHERE money_m<0",
    "DROP TRIGGER BOOK_ALLOW1",
    "DROP TRIGGER BAS_CLIENT1",
    "DROP TRIGGER BAS_PROVIDE1",
    "DROP TRIGGER BAS_MEMBER1",
    "DROP TRIGGER INV_LIBUP1",
    "UPDATE inv_libup SET discount=FLOOR((discount+0.001)*100)",
    "UPDATE inv_libup SET discount=discount/100",
    "UPDATE bas_bookinfo SET USEMEM_DISCOUNT=1",
    "UPDATE bas_bookinfo SET USEMEM_UPDISCOUNT=1",
    "UPDATE bas_bookinfo SET USEMEM_JIFEN=1",
};

// Step 1 deleted the built-in retail customer '1', which every product database must hold (the
// till's sales go to it). When no GMS customer took the number, it is put back.
const char* const kRestoreRetailCustomer =
    "INSERT INTO bas_client (client_no, name, class, allowuse, sts, sts_time, store_no, trans_flag, "
    "trans_time, build_date) SELECT '1', '零售客户', '零售', 1, 0, CURRENT_TIMESTAMP, 'N1', '1', "
    "CURRENT_TIMESTAMP, CURRENT_TIMESTAMP FROM rdb$database "
    "WHERE NOT EXISTS (SELECT 1 FROM bas_client WHERE client_no='1')";

// Customers and suppliers share their lines; suppliers have no STS_TIME line.
std::vector<std::string> partner_mappings(bool with_sts_time) {
  std::vector<std::string> lines = {"CLIENT_NO=CLIENT_NO", "NAME=CLIENT_NAME", "PHONE=PHONE1",
                                    "FAX=FAX",             "POSTCODE=POSTCODE", "ADDRESS=ADDRESS",
                                    "CONTACT=CONTACT",     "EMAIL=E_MAIL",      "REMARK=CARD_NO",
                                    "BANK=BANK",           "TAX_NO=TAX_NO",     "BUILD_DATE=RECORD_DATE"};
  if (with_sts_time) lines.push_back("STS_TIME=RECORD_DATE");
  lines.push_back("NAME_JP=PHONE2");
  lines.push_back("LASTUPTIME=CHANGE_DATE");
  return lines;
}

std::vector<JobDef> jobs() {
  return {
      // Books update in place and pass over rows that do not fit; every other job appends and
      // stops at the first such row.
      {1, "select * from book where record_date>='2011-03-01'", "BAS_BOOKINFO",
       {"BOOK_ID=BOOK_NO", "ISBN=ISBN", "SELF_NO=BOOK_CODE", "BOOK_NAME=BOOK_NAME", "PUBLISH=PRESS_NAME",
        "PACK=BOOKUNIT", "BUSI_CLASS=BUSINESS_CATALOG", "PRICE=PRICE", "PUBLISH_DATE=PRINT_DATE",
        "BOOK_SET=BOOKSET", "AUTHOR=AUTHOR", "BOOK_SIZE=BOOKSIZE", "ISBN_CLASS=ISBN_CATALOG",
        "GOODS_CLASS=BUSINESS_CATALOG", "SELL_DISCOUNT=SALE_DISCOUNT", "BUILD_TIME=RECORD_DATE",
        "FFLOAT1=D_PRICE", "FFLOAT2=D$_PRICE"},
       data::BatchMode::AppendUpdate, false},
      // The individual numbered 0 is the walk-in customer; every other individual is a member.
      {2,
       "select * from CLIENT where client_unit='销售商' or (client_unit='个人' and \n"
       "client_no=0)",
       "BAS_CLIENT", partner_mappings(true), {}, {}},
      {3, "select * from CLIENT where client_unit='供货商'", "BAS_PROVIDE", partner_mappings(false), {}, {}},
      {28, "select * from CLIENT where client_unit='个人' and client_no<>0", "BAS_MEMBER",
       {"MEMBER_ID=CLIENT_NO", "NAME=CLIENT_NAME", "CARDNUMBER=CARD_NO", "SEX=SEX", "ADDRESS=ADDRESS",
        "POSTCODE=POSTCODE", "TEL=PHONE1", "EMAIL=E_MAIL", "AGE=AGE", "CHANGETIME=CHANGE_DATE",
        "BUILD_TIME=RECORD_DATE", "AREANAME=CITY", "MONEY2=INITIAL_MONEY", "LASTUPTIME=CHANGE_DATE"},
       {}, {}},
      {12, "select * from stock where book_no>=15783", "INV_LIBUP",
       {"BOOK_ID=BOOK_NO", "LIB_NO=OTHERS", "LIB=STOCK_NUMBER", "FST_LIB=INIT_NUMBER", "FSTR1=BRANCH_NO",
        "FSTR2=OUT_NUMBER", "TRANFLAG=OTHERS"},
       {}, {}},
      {4, "select * from inbill order by in_bill_no", "PUR_LOADMASTER",
       {"ORDER_NO=IN_BILL_NO", "CLIENT_ID=OFFER_UNIT_NO", "LIB_NO=reserved1", "ORDER_DATE=IN_DATE",
        "OTHER_FEE=OTHERMONEY", "MONEY_M=MY", "MONEY_S=SHY", "STORE_NO=reserved1", "STS=reserved1",
        "STS_TIME=SETTLE_DATE", "TRANS_FLAG=reserved1", "TRANS_TIME=CHANGE_DATE", "CTYPE=reserved1",
        "FFLOAT1=ZSH", "FFLOAT2=CHECK1", "LASTUPTIME=CHANGE_DATE", "TRANFLAG=reserved1", "IS_RATE=reserved1"},
       {}, {}},
      {8, "select * from salebill order by sale_bill_no", "SAL_SELLMASTER",
       {"ORDER_NO=SALE_BILL_NO", "CLIENT_ID=CLIENT_NO", "LIB_NO=reserved1", "ORDER_DATE=SALE_DATETIME",
        "REMARK=OTHERS", "MONEY_M=YSH_JE", "MONEY_S=SHSH_JE", "STORE_NO=reserved1", "STS=reserved1",
        "STS_TIME=SALE_DATETIME", "TRANS_FLAG=reserved1", "TRANS_TIME=CHANGE_DATE", "MEMBER_ID=CLIENT_NO",
        "CTYPE=reserved1", "FFLOAT1=SHD_JE", "LASTUPTIME=CHANGE_DATE", "TRANFLAG=reserved1", "IS_RATE=reserved1"},
       {}, {}},
      {5, "select * from initem", "PUR_LOADDETAIL",
       {"ORDER_NO=IN_BILL_NO", "SEQ_NO=DELBILL", "BOOK_ID=BOOK_NO", "NUMBER=GET_NUMBER", "DISCOUNT=IN_DISCOUNT",
        "PACK=reserved1", "LIB_NO=reserved1"},
       {}, {}},
      {9, "select * from saleitem", "SAL_SELLDETAIL",
       {"ORDER_NO=SALE_BILL_NO", "SEQ_NO=NUMBER_TWO", "BOOK_ID=BOOK_NO", "NUMBER=SALE_NUMBER",
        "DISCOUNT=SALE_DISCOUNT", "PACK=reserved1", "STS=reserved1", "LIB_NO=reserved1", "FSTR1=NUMBER_TWO",
        "FFLOAT1=SHY", "TRANFLAG=reserved1"},
       {}, {}},
      {15, "select * from PAYBILL", "ARP_PAY",
       {"BILLNO=PAYBILL_NO", "BILLDATE=PAY_DATE", "AMOUNT=Z_JE", "CHECKFLAG=DELBILL", "CHECKDATE=CHANGE_DATE",
        "INSERTDATE=PAY_DATE", "UPDATEDATE=CHANGE_DATE", "CUSTNO=CLIENT_NO", "LASTUPTIME=CHANGE_DATE",
        "IS_RATE=DELBILL"},
       {}, {}},
      {16, "select * from PAYITEM", "ARP_PAYDETAIL",
       {"BILLNO=PAYBILL_NO", "OUTNO=IN_BILL_NO", "PAID=PAY_JE", "INSERTDATE=PAY_DATE", "IDENC=PAYITEM_NO",
        "ORDER_DATED=PAY_DATE", "LASTUPTIME=PAY_DATE"},
       {}, {}},
      {17, "select * from RECEIPTBILL", "ARP_RECE",
       {"BILLNO=RECEIPTBILL_NO", "BILLDATE=RECEIPT_DATE", "AMOUNT=Z_JE", "CHECKFLAG=DELBILL",
        "INSERTDATE=RECEIPT_DATE", "UPDATEDATE=CHANGE_DATE", "MONEY_ID=SETTLE_WAY", "CUSTNO=CLIENT_NO",
        "LASTUPTIME=CHANGE_DATE", "IS_RATE=DELBILL"},
       {}, {}},
      {18, "select * from RECEIPTITEM", "ARP_RECEDETAIL",
       {"BILLNO=RECEIPTBILL_NO", "OUTNO=A_BILL_NO", "PAID=RECEIPT_JE", "INSERTDATE=RECEIPT_DATE",
        "IDENC=RECEIPTITEM_NO", "ORDER_DATED=RECEIPT_DATE", "LASTUPTIME=RECEIPT_DATE"},
       {}, {}},
  };
}

std::vector<BoxJobs> execute_order() {
  return {
      {"cbxbas_bookinfo", {{1, "图书资料ok"}}},
      {"cbxbas_client", {{2, "客户资料ok"}}},
      {"cbxbas_provide", {{3, "供应商资料ok"}}},
      {"cbxbas_member", {{28, "会员资料ok"}}},
      {"cbxInv_libup", {{12, "库存资料ok"}}},
      {"cbxpur_loadmaster", {{4, "进货主表资料ok"}}},
      {"cbxsal_sellmaster", {{8, "销售主表资料ok"}}},
      {"cbxpur_loaddetail", {{5, "进货明细表资料ok"}}},
      {"cbxsal_selldetail", {{9, "销售明细表资料ok"}}},
      {"cbxarp_pay", {{15, "付款主表ok"}}},
      {"cbxarp_paydetail", {{16, "付款明细表ok"}}},
      {"cbxarp_rece", {{17, "收款单主表ok"}}},
      {"cbxarp_recedetail", {{18, "收款明细表ok"}}},
  };
}

void append(std::vector<Action>& to, const std::vector<Action>& more) { to.insert(to.end(), more.begin(), more.end()); }

std::vector<Action> step_start() {
  std::vector<Action> a = statements(Helper::ExecShow, kSource, kPrepareSource);
  a.push_back(message("源数据库初始化完成！"));
  append(a, statements(Helper::ExecShow, kTarget, kClearTarget));
  // Unguarded: a trigger left over from an earlier step 1 ends the step here.
  for (const auto& t : kTemporaryTriggers) a.push_back(command(t.name));
  a.push_back(message("目标库初始化完成！"));
  return a;
}

std::vector<Action> step_end() {
  std::vector<Action> a = statements(Helper::ExecShow, kTarget, kFixValues);
  a.push_back(exec_show(kTarget, kRestoreRetailCustomer));
  a.push_back(message("更新值操作完成！"));
  return a;
}

// The converter copies of the standard edition's trigger lists (no TR_LOADDETAIL_DEL1).
std::vector<Action> trigger_list(const std::vector<std::string>& list, const std::string& done) {
  std::vector<Action> a = statements(Helper::ExecShow, kTriggers, list);
  a.push_back(message(done));
  return a;
}

}  // namespace

void add_gms_data(ConverterDefinition& d) {
  // The target is the file named in the target field.
  d.target_profile = [](const std::string& path) {
    return std::vector<std::string>{"SERVER NAME=" + path, "USER NAME=SYSDBA", "PASSWORD=415903",
                                    "SQLPASSTHRU MODE=SHARED AUTOCOMMIT"};
  };
  d.commands = kTemporaryTriggers;
  d.mode = data::BatchMode::Append;
  d.abort_switches = true;
  d.jobs = jobs();
  d.execute_order = execute_order();

  d.steps["btnStart"] = step_start();
  d.steps["btnTR_Close"] = trigger_list(migrate::converter_trigger_switch_off_list(), "屏蔽操作成功！");
  d.steps["btnEnd"] = step_end();
  d.steps["btnTR_Open"] = trigger_list(migrate::converter_trigger_restore_list(), "还原操作成功！");
}

}  // namespace bm::converters
