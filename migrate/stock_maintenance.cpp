// The maintenance tab of the standard edition: the stock procedures, the main supplier of each
// book, and re-applying purchase and sale lines to the stock.
#include <ctime>

#include "data/helpers.h"
#include "migrate/bas_dm.h"

namespace bm::migrate {

using data::DbError;
using data::Value;

namespace {

const std::vector<std::string>& procedure_lines(bool purchase) {
  static const std::vector<std::string> pur = {"CREATE PROCEDURE SPCALLIBPUR",
                                               "(BOOKID INTEGER,NUMBER INTEGER,LIB_NO SMALLINT)",
                                               "AS",
                                               "BEGIN",
                                               "UPDATE INV_LIBUP SET LIB=lib+:NUMBER,LASTUPTIME='Now'",
                                               "WHERE BOOK_ID=:BOOKID AND LIB_NO=:LIB_NO;",
                                               "END;"};
  static const std::vector<std::string> sal = {"CREATE PROCEDURE SPCALLIBSAL",
                                               "(BOOKID INTEGER,NUMBER INTEGER,LIB_NO SMALLINT)",
                                               "AS",
                                               "BEGIN",
                                               "UPDATE INV_LIBUP SET LIB=lib-:NUMBER,LASTUPTIME='Now'",
                                               "WHERE BOOK_ID=:BOOKID AND LIB_NO=:LIB_NO;",
                                               "END;"};
  return purchase ? pur : sal;
}

data::Timestamp now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, {tm.tm_hour, tm.tm_min, tm.tm_sec, 0}};
}

// A field read as a whole number, as the stored-procedure parameters take it.
int64_t as_integer(const Value& v, const std::string& field) {
  if (auto* i = std::get_if<int64_t>(&v)) return *i;
  if (auto* d = std::get_if<data::Decimal>(&v)) {
    int64_t f = 1;
    for (int k = 0; k < d->scale; ++k) f *= 10;
    if (d->units % f == 0) return d->units / f;
  }
  if (auto* f = std::get_if<double>(&v); f && *f == static_cast<double>(static_cast<int64_t>(*f)))
    return static_cast<int64_t>(*f);
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto d = data::parse_decimal(*s); d && d->scale == 0) return d->units;
  }
  throw DbError("'" + data::to_text(v) + "' is not a valid integer value for " + field);
}

}  // namespace

DateRange reapply_range(const data::Date& start_date, const data::Time& start_time,
                        const data::Date& end_date, const data::Time& end_time) {
  return {{start_date, start_time}, {end_date, end_time}};
}

DateRange initial_reapply_range(const data::Date& today) {
  return reapply_range({2001, 6, 10}, {0, 0, 0, 0}, today, {23, 59, 59, 0});
}

void TBAS_DMFrm::CreateStockProcedures() {
  Query1.set_param_check(false);
  struct Step {
    bool purchase;
    const char* ok;
    const char* failed;
  };
  for (const Step& step : {Step{true, "采购模块升级成功！", "采购模块升级失败！"},
                           Step{false, "销售模块升级成功！", "销售模块升级失败！"}}) {
    try {
      Query1.close();
      Query1.sql() = procedure_lines(step.purchase);
      Query1.exec_sql();
      port.info(step.ok);
    } catch (const DbError&) {
      port.info(step.failed);
    }
  }
  port.info("升级操作完成！");
}

void TBAS_DMFrm::DropStockProcedures() {
  data::ExecShow(port, btQryBZB, "DROP PROCEDURE SPCALLIBPUR");
  data::ExecShow(port, btQryBZB, "DROP PROCEDURE SPCALLIBSAL");
  port.info("还原完毕！");
}

void TBAS_DMFrm::ReCalProvider() {
  data::OpenQuiet(btQryTemp, std::string("select book_id from bas_bookinfo where allowuse=1 ") +
                                 " order by book_id");
  while (!btQryTemp.eof()) {
    ReCalProviderOfBook(btQryTemp.field_text("book_id"));
    btQryTemp.next();
  }
  port.info("操作已完成!");
}

void TBAS_DMFrm::ReCalProviderOfBook(const std::string& book_id) {
  // Values read from the database travel as parameters, never inside the SQL text: a supplier
  // number with a quote in it cannot break or change the statement.
  btQryTemp1.clear_params();
  btQryTemp1.set_param("BOOK_ID", book_id);
  data::OpenShow(port, btQryTemp1,
                 "select max(order_date) as Forder_date from vwpur_loaddetail where book_id=:BOOK_ID");
  Value latest = btQryTemp1.field_value("Forder_date");
  // A book never purchased: nothing is dated now, so it gets an empty supplier.
  if (data::is_null(latest)) latest = now();

  btQryTemp1.set_param("ORDER_DATE", latest);
  data::OpenShow(port, btQryTemp1,
                 "select max(client_id) as Fclient_no from vwpur_loaddetail where book_id=:BOOK_ID"
                 " and order_date=:ORDER_DATE");
  std::string client = btQryTemp1.field_text("Fclient_no");

  btQryTemp2.clear_params();
  btQryTemp2.set_param("CLIENT_ID", client);
  btQryTemp2.set_param("BOOK_ID", book_id);
  data::ExecShow(port, btQryTemp2, "update bas_bookinfo set client_id=:CLIENT_ID where book_id=:BOOK_ID");
}

void TBAS_DMFrm::ReapplyPurchases(const data::Timestamp& from, const data::Timestamp& to) {
  reapply("select order_no,seq_no,book_id,number,lib_no from pur_loaddetail where number<>0",
          SPReCallibPur, from, to);
}

void TBAS_DMFrm::ReapplySales(const data::Timestamp& from, const data::Timestamp& to) {
  reapply("select order_no,seq_no,book_id,number,lib_no from sal_selldetail where number<>0",
          SPReCallibSal, from, to);
}

void TBAS_DMFrm::reapply(const char* selection, data::StoredProc& proc, const data::Timestamp& from,
                         const data::Timestamp& to) {
  // Both bounds always apply; the dates are our own texts in the fixed form the database reads.
  std::string s = std::string(selection) + " and order_dated>='" + data::to_text(from) + "'" +
                  " and order_dated<='" + data::to_text(to) + "'";
  data::OpenShow(port, btQryCalLib, s);
  btQryCalLib.first();
  int64_t left_out = 0;
  while (!btQryCalLib.eof()) {
    Value book = btQryCalLib.field_value("book_id");
    Value number = btQryCalLib.field_value("number");
    Value lib = btQryCalLib.field_value("lib_no");
    if (data::is_null(book) || data::is_null(lib) || data::is_null(number)) {
      // Without its own book and warehouse a line cannot be applied anywhere.
      ++left_out;
      btQryCalLib.next();
      continue;
    }
    proc.set_param("BOOKID", as_integer(book, "book_id"));
    proc.set_param("NUMBER", as_integer(number, "number"));
    proc.set_param("LIB_NO", as_integer(lib, "lib_no"));
    try {
      proc.exec_proc();
    } catch (const DbError&) {
      port.notice("网络繁忙，请稍后再试");
      return;
    }
    btQryCalLib.next();
  }
  port.info("已操作完成!");
  if (left_out > 0)
    port.info("有" + std::to_string(left_out) + "条明细没有书号或仓号，未重算。");
}

}  // namespace bm::migrate
