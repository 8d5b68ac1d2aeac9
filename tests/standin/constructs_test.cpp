// The T-SQL constructs the converters and fixtures send to SQL Server databases, one row each:
// the setup, the statement, and the rows a check query then reads (or the error it must raise).
#include <gtest/gtest.h>

#include "tests/standin/standin_fixture.h"

namespace bm::test {
namespace {

struct Construct {
  const char* name;
  std::vector<std::string> setup;
  std::string statement;
  std::string check;                  // query read after the statement (empty: the statement's rows)
  std::vector<std::string> expected;  // rows as text, values joined by '|'
  std::string error;                  // a fragment of the error the statement raises
};

const char* kBuyer =
    "CREATE TABLE buyer (buyername varchar(40) NOT NULL PRIMARY KEY, buyertel varchar(20), show int, "
    "DEFAULTdiscount numeric(5,2))";
const char* kBuyerRows =
    "INSERT INTO buyer VALUES ('Zhao', '1', 0, 0.9) INSERT INTO buyer VALUES ('Anna', '2', 0, 0.8) "
    "INSERT INTO buyer VALUES ('Mia', NULL, 0, NULL)";
const char* kInv = "CREATE TABLE inv_libup (book_id int, lib_no smallint, discount numeric(18,4), store_no varchar(10))";

const std::vector<Construct>& constructs() {
  static const std::vector<Construct> rows = {
      // Names and literals
      {"BracketedChineseNamesAndDbo",
       {"CREATE TABLE dbo.[Stocks] ([单号] varchar(20), [书刊ID] varchar(20), [数量] int)",
        "INSERT INTO Stocks VALUES ('A1', '1000123', 2)"},
       "SELECT [书刊ID], 数量 FROM dbo.Stocks ORDER BY 单号", "", {"1000123|2"}, ""},
      {"DoubleQuotedTextIsALiteral",  // QUOTED_IDENTIFIER OFF
       {"CREATE TABLE pub_maxid (ctype varchar(20), max_id int)"},
       "INSERT INTO pub_maxid(ctype,max_id) VALUES(\"BOOKINFO\",\"12\")",
       "SELECT * FROM pub_maxid WHERE ctype=\"BOOKINFO\"", {"BOOKINFO|12"}, ""},
      {"NamesIgnoreCase",
       {"CREATE TABLE bas_client (client_no varchar(10) PRIMARY KEY, name varchar(20))",
        "INSERT INTO BAS_CLIENT (CLIENT_NO, NAME) VALUES ('1', 'retail')"},
       "select Client_No, [NAME] from dbo.Bas_Client", "", {"1|retail"}, ""},
      {"TextComparisonIgnoresCaseAndTrailingBlanks",  // Chinese_PRC_CI_AS
       {"CREATE TABLE pub_dict (name varchar(20), key_id varchar(10))",
        "INSERT INTO pub_dict VALUES ('busi_class', '1') INSERT INTO pub_dict VALUES ('BUSI_CLASS  ', '2')",
        "INSERT INTO pub_dict VALUES ('other', '3')"},
       "select count(*) as ccount from pub_dict where [name]='BUSI_CLASS'", "", {"2"}, ""},
      {"ChineseLiteralsCompare",
       {"CREATE TABLE sal_sellmaster (order_no varchar(20), client_id varchar(10), ctype varchar(2))",
        "INSERT INTO sal_sellmaster VALUES ('S1', '无', NULL) INSERT INTO sal_sellmaster VALUES ('S2', '7', NULL)"},
       "UPDATE sal_sellmaster SET  client_id='1' where client_id='无'",
       "SELECT order_no, client_id FROM sal_sellmaster ORDER BY order_no", {"S1|1", "S2|7"}, ""},

      // Expressions
      {"PlusJoinsTexts",
       {"CREATE TABLE th_to_title (dh varchar(20), order_no varchar(50))",
        "INSERT INTO th_to_title(dh) VALUES ('0001') INSERT INTO th_to_title(dh) VALUES (NULL)"},
       "update th_to_title set order_no='TH'+dh",
       "SELECT order_no FROM th_to_title ORDER BY dh", {"NULL", "TH0001"}, ""},  // NULL + text is NULL
      {"PlusAddsNumbers", {}, "SELECT 1 + 2, '3' + 4, 1.5 + 1", "", {"3|7|2.5"}, ""},
      {"TextPlusNumberConvertsTheText", {}, "SELECT 'TH' + 1", "", {}, "Conversion failed when converting the varchar value 'TH'"},
      {"NegatingByMinusOne",
       {"CREATE TABLE th_to_content (sp_qty int)", "INSERT INTO th_to_content VALUES (3) INSERT INTO th_to_content VALUES (-2)"},
       "update th_to_content set sp_qty=sp_qty*-1 where sp_qty>0",
       "SELECT sp_qty FROM th_to_content ORDER BY sp_qty", {"-3", "-2"}, ""},
      {"IntegerDivisionTruncates", {}, "SELECT 7/2, -7/2, 7.0/2, 7/2.0", "", {"3|-3|3.5|3.5"}, ""},
      {"DivisionByZeroFails", {}, "SELECT 1/0", "", {}, "Divide by zero error encountered."},
      {"DecimalColumnDividesExactly",  // numeric/100 keeps the fraction
       {kInv, "INSERT INTO inv_libup(book_id, discount) VALUES (1, 65)"},
       "UPDATE inv_libup SET discount=discount/100 where discount>1", "SELECT discount FROM inv_libup", {"0.6500"}, ""},
      {"DiscountCutToTwoDecimals",  // 0.748 -> 0.74, 0.7499 -> 0.75 through the 0.001 guard
       {kInv, "INSERT INTO inv_libup(book_id, discount) VALUES (1, 0.748)",
        "INSERT INTO inv_libup(book_id, discount) VALUES (2, 0.7499)",
        "UPDATE inv_libup SET discount=FLOOR((discount+0.001)*100)"},
       "UPDATE inv_libup SET discount=discount/100", "SELECT discount FROM inv_libup ORDER BY book_id",
       {"0.7400", "0.7500"}, ""},
      {"RoundHalfAwayFromZero",
       {kInv, "INSERT INTO inv_libup(book_id, discount) VALUES (1, 0.655)",
        "INSERT INTO inv_libup(book_id, discount) VALUES (2, -0.125)"},
       "UPDATE inv_libup SET discount=round(discount,2)", "SELECT discount FROM inv_libup ORDER BY book_id",
       {"0.6600", "-0.1300"}, ""},
      {"DecimalColumnRoundsToItsScale",
       {"CREATE TABLE m (a numeric(10,2), b money)"},
       "INSERT INTO m VALUES (1.005, 2.00005)", "SELECT a, b FROM m", {"1.01|2.0001"}, ""},
      {"LenIgnoresTrailingBlanks", {}, "SELECT LEN('ab  '), LEN('  ab'), LEN(''), LEN('书号')", "", {"2|4|0|2"}, ""},
      {"LeftRightSubstringCountCharacters", {},
       "SELECT LEFT('图书资料', 2), RIGHT('1000123', 6), SUBSTRING('abcdef', 2, 3), RIGHT(1234567, 6)", "",
       {"图书|000123|bcd|234567"}, ""},
      {"IsbnCutWhereLonger",
       {"CREATE TABLE bas_bookinfo (book_id int, isbn varchar(30), self_no varchar(20))",
        "INSERT INTO bas_bookinfo VALUES (1, '97871111111119999', 'S1')",
        "INSERT INTO bas_bookinfo VALUES (2, '9787111111111', 'S2') INSERT INTO bas_bookinfo VALUES (3, NULL, 'S3')",
        "UPDATE bas_bookinfo SET isbn=self_no where isbn is null"},
       "UPDATE bas_bookinfo SET isbn=left(isbn,13)  where len(isbn)>13",
       "SELECT isbn FROM bas_bookinfo ORDER BY book_id", {"9787111111111", "9787111111111", "S3"}, ""},
      {"RightOfANumberStoresBackAsNumber",
       {"CREATE TABLE pur_loaddetail (order_no varchar(20), seq_no int)",
        "INSERT INTO pur_loaddetail VALUES ('P1', 1230004)"},
       "UPDATE pur_loaddetail SET seq_no = RIGHT(seq_no,4);", "SELECT seq_no FROM pur_loaddetail", {"4"}, ""},
      {"IsnullCastConvert", {},
       "SELECT ISNULL(NULL, 'x'), CAST('12' AS int) + 1, CONVERT(varchar(10), '2011-03-05 10:11:12', 120), "
       "CAST(2.5 AS numeric(5,0))",
       "", {"x|13|2011-03-05|3"}, ""},
      {"CaseAndInList",
       {"CREATE TABLE c (client_type varchar(10), n int)",
        "INSERT INTO c VALUES ('分店', 1) INSERT INTO c VALUES ('供货商', 2) INSERT INTO c VALUES ('个人', 3)"},
       "select n, CASE WHEN n > 1 THEN 'big' ELSE 'small' END from c where client_type in ('分店','个人','销售商') order by n",
       "", {"1|small", "3|big"}, ""},
      {"GetdateIsNow", {}, "SELECT CASE WHEN GETDATE() > '2020-01-01' THEN 1 ELSE 0 END", "", {"1"}, ""},

      // Dates
      {"DatetimeTextReadYearMonthDay",  // the ODBC driver sets DATEFORMAT ymd
       {"CREATE TABLE book (record_date datetime, n int)",
        "INSERT INTO book VALUES ('2011-03-01 10:20:30', 1) INSERT INTO book VALUES ('2011-02-28', 2)",
        "INSERT INTO book VALUES ('20110302', 3)"},
       "select n, record_date from book where record_date>='2011-03-01' order by n", "",
       {"1|2011-03-01 10:20:30", "3|2011-03-02 00:00:00"}, ""},
      {"ImpossibleDateFails", {"CREATE TABLE book (record_date datetime)"},
       "INSERT INTO book VALUES ('2011-02-30')", "", {}, "out-of-range value"},

      // Tables
      {"CreateTableWithServerTypes",
       {"CREATE TABLE [dbo].[t] ([id] int IDENTITY(1,1) NOT NULL, s smallint, b bigint, ti tinyint, f bit, "
        "n numeric(12,2), d decimal(9,3), m money, fl float, r real, c char(3), v varchar(10), nc nchar(2), "
        "nv nvarchar(max), tx text, ntx ntext, dt datetime, sdt smalldatetime, da date, im image, vb varbinary(20), "
        "flag varchar(1) DEFAULT ('1') NOT NULL, "
        "CONSTRAINT PK_t PRIMARY KEY CLUSTERED ([id])) ON [PRIMARY]"},
       "INSERT INTO t (s, n, c, dt, sdt) VALUES (5, 1.5, 'ab', '2020-01-02 03:04:05', '2020-01-02 03:04:40')",
       "SELECT id, s, n, c, dt, sdt, flag FROM t",
       {"1|5|1.50|ab |2020-01-02 03:04:05|2020-01-02 03:05:00|1"}, ""},  // char pads, smalldatetime rounds
      {"AlterAddDefaultNotNullFillsExistingRows",
       {"CREATE TABLE bookkind (bookkindid int, bookkind varchar(20))",
        "INSERT INTO bookkind VALUES (1, 'a') INSERT INTO bookkind VALUES (2, 'b')"},
       "ALTER TABLE bookkind ADD name VARCHAR(10) DEFAULT('BUSI_CLASS') NOT NULL",
       "SELECT bookkindid, name FROM bookkind ORDER BY bookkindid", {"1|BUSI_CLASS", "2|BUSI_CLASS"}, ""},
      {"AlterAddNullableDefaultLeavesExistingRowsNull",  // only new rows take the default
       {"CREATE TABLE k (a int)", "INSERT INTO k VALUES (1)", "ALTER TABLE k ADD b int DEFAULT(7)"},
       "INSERT INTO k(a) VALUES (2)", "SELECT a, b FROM k ORDER BY a", {"1|NULL", "2|7"}, ""},
      {"AlterAddIdentityNumbersExistingRows",  // in table order
       {kBuyer, kBuyerRows, "ALTER TABLE buyer ADD buyid INT IDENTITY(1,1) NOT NULL"},
       "INSERT INTO buyer(buyername) VALUES ('Bo')", "SELECT buyername, buyid FROM buyer ORDER BY buyid",
       {"Anna|1", "Mia|2", "Zhao|3", "Bo|4"}, ""},  // the clustered key orders the table
      {"AlterAddIdentityOnHeapKeepsInsertOrder",
       {"CREATE TABLE seller (sellername varchar(20))",
        "INSERT INTO seller VALUES ('z') INSERT INTO seller VALUES ('a') INSERT INTO seller VALUES ('m')"},
       "ALTER TABLE seller ADD sellid INT IDENTITY(1,1) NOT NULL", "SELECT sellername, sellid FROM seller ORDER BY sellid",
       {"z|1", "a|2", "m|3"}, ""},
      {"AlterAddPlainColumnWithTrailingBlank",
       {kBuyer, kBuyerRows}, "ALTER TABLE buyer ADD allowuse int ",
       "SELECT count(*) FROM buyer WHERE allowuse IS NULL", {"3"}, ""},
      {"AlterAddExistingColumnFails", {kBuyer}, "ALTER TABLE buyer ADD show int", "", {},
       "Column names in each table must be unique"},
      {"AlterAddNotNullWithoutDefaultOnRowsFails", {kBuyer, kBuyerRows}, "ALTER TABLE buyer ADD x int NOT NULL", "", {},
       "cannot be added to non-empty table 'buyer'"},
      {"AlterDropColumn",
       {"CREATE TABLE bookkind (bookkindid int, name varchar(10))", "INSERT INTO bookkind VALUES (1, 'x')"},
       "ALTER TABLE bookkind DROP COLUMN name", "SELECT * FROM bookkind", {"1"}, ""},
      {"AlterAlterColumnConverts",
       {"CREATE TABLE inrecord (inrecordid varchar(20))", "INSERT INTO inrecord VALUES ('00012')"},
       "ALTER TABLE inrecord ALTER COLUMN inrecordid int", "SELECT inrecordid + 1 FROM inrecord", {"13"}, ""},
      {"DropTable", {"CREATE TABLE gone (a int)"}, "DROP TABLE gone", "", {}, ""},
      {"MissingTableNamed", {}, "SELECT * FROM nosuch", "", {}, "Invalid object name 'nosuch'."},
      {"MissingColumnNamed", {kBuyer}, "SELECT nosuch FROM buyer", "", {}, "Invalid column name 'nosuch'."},
      {"VarcharHoldsCodePageBytes",  // a Chinese character takes two bytes of varchar(n)
       {"CREATE TABLE n (v varchar(4), nv nvarchar(4))", "INSERT INTO n VALUES ('图书', '图书资料')"},
       "INSERT INTO n VALUES ('图书a', NULL)", "", {}, "String or binary data would be truncated."},
      {"TextIntoIntColumnFails", {"CREATE TABLE n (i int)"}, "INSERT INTO n VALUES ('abc')", "", {},
       "Conversion failed when converting the varchar value 'abc' to data type int."},

      // Changing rows
      {"DeleteKeepsRetailCustomer",
       {"CREATE TABLE bas_client (client_no varchar(10) PRIMARY KEY)",
        "INSERT INTO bas_client VALUES ('1') INSERT INTO bas_client VALUES ('2') INSERT INTO bas_client VALUES ('3')"},
       "DELETE FROM bas_client where client_no<>'1'", "SELECT * FROM bas_client", {"1"}, ""},
      {"UpdateSeveralColumns",
       {"CREATE TABLE bas_provide (client_no int, allowuse int, store_no varchar(5), trans_flag char(1), sts int)",
        "INSERT INTO bas_provide(client_no) VALUES (1)"},
       "UPDATE bas_provide SET allowuse=1,store_no='N1',trans_flag='1',sts=0", "SELECT * FROM bas_provide",
       {"1|1|N1|1|0"}, ""},
      {"InsertSelect",
       {"CREATE TABLE a (x int, y varchar(5))", "CREATE TABLE b (x int, y varchar(5))",
        "INSERT INTO a VALUES (1, 'p') INSERT INTO a VALUES (2, 'q')"},
       "INSERT INTO b (y, x) SELECT y, x * 10 FROM a WHERE x > 1", "SELECT * FROM b", {"20|q"}, ""},
      {"MaxOfEmptyTableIsNull", {"CREATE TABLE bas_bookinfo (book_id int)"},
       "SELECT MAX(book_id) AS maxid FROM bas_bookinfo", "", {"NULL"}, ""},
      {"AssigningSelectAndVariables", {},
       "DECLARE @a int, @s varchar(10) SET @a = 5 SELECT @a = @a * 2 SET @s = 'n' + CAST(@a AS varchar(5)) SELECT @a, @s",
       "", {"10|n10"}, ""},
      {"UndeclaredVariableFails", {}, "SELECT @nope", "", {}, "Must declare the scalar variable \"@nope\"."},

      // Views
      {"ViewJoinsWithStarAndDboPrefixes",
       {"CREATE TABLE incase (incaseid int, sellername varchar(20))",
        "CREATE TABLE seller (sellername varchar(20), sellid int, sellerpeople varchar(10), sellertel varchar(10))",
        "INSERT INTO incase VALUES (10, 'S') INSERT INTO incase VALUES (11, 'nobody')",
        "INSERT INTO seller VALUES ('s', 3, 'p', 't')"},
       "CREATE VIEW dbo.view_incase_seller\r\nAS\r\nSELECT dbo.incase.*, dbo.seller.sellid, dbo.seller.sellerpeople, "
       "dbo.seller.sellertel\r\nFROM dbo.incase INNER JOIN\r\ndbo.seller ON dbo.incase.sellername = dbo.seller.sellername",
       "select * from view_incase_seller", {"10|S|3|p|t"}, ""},
      {"ViewOfSumsAndOfViews",
       {"CREATE TABLE incasepay (incaseid int, incasepaymoney money)", "CREATE TABLE incase (incaseid int, x int)",
        "INSERT INTO incasepay VALUES (1, 2.5) INSERT INTO incasepay VALUES (1, 3) INSERT INTO incasepay VALUES (2, 1)",
        "INSERT INTO incase VALUES (1, 7) INSERT INTO incase VALUES (3, 9)",
        "CREATE VIEW dbo.vw_pur_pay1\nAS\nSELECT SUM(incasepaymoney) AS incasepaymoney, incaseid\nFROM dbo.incasepay\nGROUP BY incaseid"},
       "CREATE VIEW dbo.vw_pur_pay2\nAS\nSELECT a.*, b.incasepaymoney\nFROM dbo.incase a INNER JOIN\ndbo.vw_pur_pay1 b ON a.incaseid = b.incaseid",
       "select * from vw_pur_pay2", {"1|7|5.5"}, ""},
      {"ViewOnMissingTableFails", {}, "CREATE VIEW v AS SELECT * FROM nosuch", "", {}, "Invalid object name 'nosuch'."},
      {"ExistingViewFails", {"CREATE TABLE a (x int)", "CREATE VIEW v AS SELECT x FROM a"},
       "CREATE VIEW v AS SELECT x FROM a", "", {}, "There is already an object named 'v' in the database."},
      {"DropView", {"CREATE TABLE a (x int)", "CREATE VIEW view_sellcase_buyer AS SELECT x FROM a"},
       "DROP VIEW view_sellcase_buyer", "SELECT count(*) FROM a", {"0"}, ""},

      // The GY stock merge: SELECT TOP 1 INTO, TRUNCATE, IGNORE_DUP_KEY index, scalar function
      {"StockMergeOneRowPerTitle",
       {"CREATE TABLE Stocks (单号 varchar(20), 书刊ID varchar(20), 定价 money, 单价 money, 成本单价 money, 折扣 numeric(5,2), "
        "数量 int, 仓库ID int, 入库时间 datetime)",
        "INSERT INTO Stocks VALUES ('D1', '100', 10, 8, 7, 0.8, 2, 1, '2011-01-01')",
        "INSERT INTO Stocks VALUES ('D2', '100', 10, 8, 7, 0.8, 3, 1, '2011-01-02')",
        "INSERT INTO Stocks VALUES ('D3', '100', 10, 8, 7, 0.8, 5, 2, '2011-01-03')",
        "INSERT INTO Stocks VALUES ('D4', '200', 20, 8, 7, 0.8, 1, 1, '2011-01-04')",
        "SELECT TOP 1 * INTO Stocks_bak FROM Stocks", "TRUNCATE TABLE Stocks_bak",
        "CREATE UNIQUE INDEX myindex ON Stocks_bak(书刊ID) WITH IGNORE_DUP_KEY ON [PRIMARY]",
        "CREATE FUNCTION lib_sum(@book_id int)\r\nRETURNS INT\r\nAS\r\nBEGIN\r\nDECLARE @libsum INT\r\nSET @libsum = 0\r\n"
        "SELECT @libsum = @libsum + 数量 FROM Stocks WHERE 书刊ID = @book_id\r\nRETURN @libsum\r\nEND"},
       "INSERT INTO Stocks_bak(单号,书刊ID,定价,单价,成本单价,折扣,数量,仓库ID,入库时间) SELECT 单号,书刊ID,定价,单价,成本单价,折扣,"
       "dbo.lib_sum(书刊ID),仓库ID,入库时间 FROM Stocks ORDER BY 书刊ID",
       "select 书刊ID, 数量 from stocks_bak order by 书刊ID", {"100|10", "200|1"}, ""},
      {"FunctionNeedsItsSchema",  // SQL Server calls scalar user functions as dbo.f(...)
       {"CREATE FUNCTION f(@a int) RETURNS int AS BEGIN RETURN @a + 1 END"}, "SELECT f(1)", "", {},
       "'f' is not a recognized built-in function name."},
      {"UniqueIndexOnDuplicatesFails",  // IGNORE_DUP_KEY only concerns later inserts
       {"CREATE TABLE s (k int)", "INSERT INTO s VALUES (1) INSERT INTO s VALUES (1)"},
       "CREATE UNIQUE INDEX ix ON s(k) WITH IGNORE_DUP_KEY", "", {},
       "The CREATE UNIQUE INDEX statement terminated because a duplicate key was found"},

      // Keys and identity
      {"PrimaryKeyViolationMessage",
       {"CREATE TABLE t (a int, b varchar(5), CONSTRAINT PK_t PRIMARY KEY (a, b))", "INSERT INTO t VALUES (1, 'x')"},
       "INSERT INTO t VALUES (1, 'X ')", "", {},  // the key compares case- and blank-insensitively
       "Violation of PRIMARY KEY constraint 'PK_t'. Cannot insert duplicate key in object 'dbo.t'. The duplicate key value is (1, X )."},
      {"UniqueIndexViolationMessage",
       {"CREATE TABLE t (a int)", "CREATE UNIQUE INDEX ix_a ON t(a)", "INSERT INTO t VALUES (1)"},
       "INSERT INTO t VALUES (1)", "", {},
       "Cannot insert duplicate key row in object 'dbo.t' with unique index 'ix_a'. The duplicate key value is (1)."},
      {"UpdateIntoExistingKeyFails",
       {"CREATE TABLE t (a int PRIMARY KEY)", "INSERT INTO t VALUES (1) INSERT INTO t VALUES (2)"},
       "UPDATE t SET a = 1 WHERE a = 2", "", {}, "Violation of PRIMARY KEY constraint"},
      {"IdentityRefusesExplicitValues",
       {"CREATE TABLE sys_lognew (log_id int IDENTITY(1,1) PRIMARY KEY, op_type varchar(20))"},
       "INSERT INTO sys_lognew (log_id, op_type) VALUES (5, 'x')", "", {},
       "Cannot insert explicit value for identity column in table 'sys_lognew' when IDENTITY_INSERT is set to OFF."},
      {"IdentityInsertOnTakesExplicitValuesAndMovesOn",
       {"CREATE TABLE sys_lognew (log_id int IDENTITY(1,1) PRIMARY KEY, op_type varchar(20))",
        "SET IDENTITY_INSERT sys_lognew ON", "INSERT INTO sys_lognew (log_id, op_type) VALUES (5, 'x')",
        "SET IDENTITY_INSERT sys_lognew OFF"},
       "INSERT INTO sys_lognew VALUES ('y')",  // without a column list the values skip the identity
       "SELECT log_id, op_type FROM sys_lognew ORDER BY log_id", {"5|x", "6|y"}, ""},
      {"UpdatingIdentityFails", {"CREATE TABLE t (id int IDENTITY, v int)"}, "UPDATE t SET id = 3", "", {},
       "Cannot update identity column 'id'."},

      // Triggers and procedures of the big-customer database
      {"AfterDeleteTriggerWithDeletedRows",
       {"CREATE TABLE PUR_LOADMASTER (ORDER_NO varchar(20) PRIMARY KEY, ORDER_DATE datetime, MODE_ID varchar(10))",
        "CREATE TABLE PUR_LOADDETAIL (ORDER_NO varchar(20), SEQ_NO int)",
        "CREATE TABLE sys_lognew (log_id int IDENTITY(1,1), OP_TYPE varchar(20), ORDER_NO varchar(20), op_name varchar(20), OP_DATE datetime)",
        "INSERT INTO PUR_LOADMASTER VALUES ('P1', '2011-01-01', 'm') INSERT INTO PUR_LOADMASTER VALUES ('P2', '2011-01-01', 'm')",
        "INSERT INTO PUR_LOADDETAIL VALUES ('P1', 1) INSERT INTO PUR_LOADDETAIL VALUES ('P1', 2) INSERT INTO PUR_LOADDETAIL VALUES ('P2', 1)",
        "CREATE TRIGGER TR_LOADMASTER_DEL ON PUR_LOADMASTER WITH ENCRYPTION\r\nAFTER DELETE \r\nAS\r\n"
        "DECLARE @order_no VARCHAR(20);\r\nBEGIN\r\n  SET @order_no=(SELECT order_no FROM deleted);\r\n"
        "  DELETE FROM PUR_LOADDETAIL WHERE ORDER_NO=@ORDER_NO;\r\n"
        "  INSERT INTO sys_lognew(OP_TYPE,ORDER_NO,op_name,OP_DATE) VALUES('删除进货单据',@order_no,'操作员',getdate());\r\nEND"},
       "DELETE FROM PUR_LOADMASTER WHERE ORDER_NO = 'P1'",
       "SELECT (SELECT count(*) FROM PUR_LOADDETAIL), log_id, OP_TYPE, ORDER_NO, op_name FROM sys_lognew",
       {"1|1|删除进货单据|P1|操作员"}, ""},
      {"ScalarSubqueryOfSeveralRowsFails",  // the delete trigger reads one order number
       {"CREATE TABLE m (order_no varchar(20))", "CREATE TABLE log (order_no varchar(20))",
        "INSERT INTO m VALUES ('P1') INSERT INTO m VALUES ('P2')",
        "CREATE TRIGGER m_del ON m AFTER DELETE AS DECLARE @o varchar(20) SET @o=(SELECT order_no FROM deleted) "
        "INSERT INTO log VALUES (@o)"},
       "DELETE FROM m", "", {}, "Subquery returned more than 1 value."},
      {"ScalarSubqueriesOfOneRow", {"CREATE TABLE m (n int)", "INSERT INTO m VALUES (1) INSERT INTO m VALUES (2)"},
       "SELECT (SELECT MAX(n) FROM m), (SELECT TOP 1 n FROM m ORDER BY n DESC), (SELECT n FROM m WHERE n = 3)", "",
       {"2|2|NULL"}, ""},
      {"AfterUpdateTriggerSeesUpdatedColumns",
       {"CREATE TABLE PUR_LOADMASTER (ORDER_NO varchar(20), ORDER_DATE datetime, MODE_ID varchar(10), REMARK varchar(10))",
        "CREATE TABLE ARP_PAYDETAIL (OUTNO varchar(20), FSTR1 varchar(10), FTIME1 datetime)",
        "INSERT INTO PUR_LOADMASTER VALUES ('P1', '2011-01-01', 'm', NULL)",
        "INSERT INTO ARP_PAYDETAIL VALUES ('P1', NULL, NULL)",
        "CREATE TRIGGER TR_LOADMASTER_UP1 ON PUR_LOADMASTER WITH ENCRYPTION\r\nAFTER UPDATE \r\nAS\r\nBEGIN\r\n"
        "  IF (UPDATE(ORDER_DATE))OR(UPDATE(MODE_ID)) \r\n    BEGIN\r\n"
        "    UPDATE ARP_PAYDETAIL SET FSTR1=(SELECT MODE_ID FROM inserted) WHERE OUTNO=(SELECT \r\r\nORDER_NO FROM inserted);\r\n"
        "    UPDATE ARP_PAYDETAIL SET FTIME1=(SELECT ORDER_DATE FROM inserted) WHERE OUTNO=(SELECT \r\r\nORDER_NO FROM inserted);\r\n"
        "    END\r\nEND",
        "UPDATE PUR_LOADMASTER SET REMARK = 'other'"},
       "UPDATE PUR_LOADMASTER SET ORDER_DATE = '2012-05-06'", "SELECT * FROM ARP_PAYDETAIL",
       {"P1|m|2012-05-06 00:00:00"}, ""},
      {"ProceduresSwitchTriggersOff",
       {"CREATE TABLE a (x int)", "CREATE TABLE log (n int)",
        "CREATE TRIGGER a_ins ON a AFTER INSERT AS INSERT INTO log SELECT x FROM inserted",
        "CREATE PROCEDURE dis_tr AS\nALTER TABLE a DISABLE TRIGGER ALL\n",
        "CREATE PROCEDURE en_tr AS\nENABLE TRIGGER ALL ON a\n",
        "exec dis_tr", "INSERT INTO a VALUES (1)", "exec en_tr"},
       "INSERT INTO a VALUES (2)", "SELECT n FROM log", {"2"}, ""},
      // T-SQL needs no semicolons: each ALTER TABLE of the body is a statement of its own.
      {"ProcedureBodyWithoutSemicolons",
       {"CREATE TABLE a (x int)", "CREATE TABLE b (x int)", "CREATE TABLE log (n int)",
        "CREATE TRIGGER a_ins ON a AFTER INSERT AS INSERT INTO log SELECT x FROM inserted",
        "CREATE TRIGGER b_ins ON b AFTER INSERT AS INSERT INTO log SELECT x FROM inserted",
        "CREATE PROCEDURE dis_tr AS\nBEGIN\n  ALTER TABLE a DISABLE TRIGGER ALL\n  ALTER TABLE b DISABLE TRIGGER ALL\nEND\n",
        "exec dis_tr", "INSERT INTO a VALUES (1)"},
       "INSERT INTO b VALUES (2)", "SELECT count(*) FROM log", {"0"}, ""},
      {"ForEachTableProcedure",
       {"CREATE TABLE a (x int)", "CREATE TABLE log (n int)",
        "CREATE TRIGGER a_ins ON a AFTER INSERT AS INSERT INTO log SELECT x FROM inserted",
        "exec sp_msforeachtable 'ALTER TABLE ? DISABLE TRIGGER ALL'"},
       "INSERT INTO a VALUES (1)", "SELECT count(*) FROM log", {"0"}, ""},
      {"MissingProcedure", {}, "exec dis_tr", "", {}, "Could not find stored procedure 'dis_tr'."},
      {"ProcedureWithParameters",
       {"CREATE TABLE PROC_LOG (A int, B int)",
        "CREATE PROCEDURE add_log @A int, @B int = 9 AS INSERT INTO PROC_LOG(A, B) VALUES (@A, @B)",
        "EXEC add_log 1, 2", "EXEC add_log @B = 4, @A = 3"},
       "EXECUTE dbo.add_log 5", "SELECT * FROM PROC_LOG ORDER BY A", {"1|2", "3|4", "5|9"}, ""},
      {"IfExistsAndObjectId",
       {"CREATE TABLE a (x int)"},
       "IF OBJECT_ID('a') IS NOT NULL DROP TABLE a IF NOT EXISTS (SELECT 1 FROM a) SELECT 1",
       "SELECT count(*) FROM a", {}, "Invalid object name 'a'."},
      {"IfElseBlocks", {},
       "DECLARE @n int SET @n = 3 IF @n > 2 BEGIN SET @n = @n + 10 END ELSE SET @n = 0 SELECT @n", "", {"13"}, ""},
      {"SessionOptionsAccepted", {},
       "SET NOCOUNT ON SET QUOTED_IDENTIFIER OFF SET ANSI_NULLS ON SET ANSI_WARNINGS ON SET DATEFORMAT ymd "
       "SET XACT_ABORT OFF SET CONCAT_NULL_YIELDS_NULL ON SELECT 1",
       "", {"1"}, ""},
      {"QuotedIdentifierOnReadsNames",
       {"CREATE TABLE t (a int)", "INSERT INTO t VALUES (1)", "SET QUOTED_IDENTIFIER ON"},
       "SELECT \"a\" FROM \"t\"", "", {"1"}, ""},
      {"SpRenameColumn",
       {"CREATE TABLE t (a int, b int)", "INSERT INTO t VALUES (1, 2)", "EXEC sp_rename 't.a', 'c', 'COLUMN'"},
       "SELECT c, b FROM t", "", {"1|2"}, ""},

      // What SQL Server rejects: the InterBase statements some steps send to SQL Server targets
      {"InterbaseAlterTriggerInactive", {}, "ALTER TRIGGER TRIG_BOOKID_BI InActive", "", {},
       "Incorrect syntax near 'InActive'."},
      {"InterbaseSetGenerator", {}, "SET GENERATOR recedetailid TO 5", "", {},
       "'GENERATOR' is not a recognized SET option."},
      {"InterbaseCreateTrigger", {"CREATE TABLE bas_bookinfo (book_id int)"},
       "CREATE TRIGGER TRIG_BOOKID_BI FOR BAS_BOOKINFO\r\nACTIVE BEFORE INSERT POSITION 0\r\nAS\r\nBEGIN\r\n"
       "  NEW.BOOK_ID = GEN_ID(GEN_BOOKID, 1);\r\nEND",
       "", {}, "Incorrect syntax near the keyword 'FOR'."},
      {"InterbaseProcedureWithColonParameters", {"CREATE TABLE INV_LIBUP (BOOK_ID int, LIB int, LIB_NO int, LASTUPTIME datetime)"},
       "CREATE PROCEDURE SPCALLIBPUR\n(BOOKID INTEGER,NUMBER INTEGER,LIB_NO SMALLINT)\nAS\nBEGIN\n"
       "UPDATE INV_LIBUP SET LIB=lib+:NUMBER,LASTUPTIME='Now'\nWHERE BOOK_ID=:BOOKID AND LIB_NO=:LIB_NO;\nEND;",
       "", {}, "Incorrect syntax near 'BOOKID'."},
      {"WhileIsNotEmulated", {}, "DECLARE @i int SET @i = 0 WHILE @i < 3 SET @i = @i + 1", "", {},
       "The SQL Server stand-in cannot emulate WHILE. Statement: DECLARE @i int"},
  };
  return rows;
}

void PrintTo(const Construct& c, std::ostream* os) { *os << c.name; }

class ConstructTest : public StandinTest, public ::testing::WithParamInterface<Construct> {};

TEST_P(ConstructTest, BehavesAsSqlServer) {
  const Construct& c = GetParam();
  run_all(c.setup);
  if (!c.error.empty()) {
    std::string error = error_of(c.statement);
    EXPECT_NE(error.find(c.error), std::string::npos) << "error: " << error;
    return;
  }
  std::vector<std::string> rows = run(c.statement);
  if (!c.check.empty()) rows = run(c.check);
  EXPECT_EQ(rows, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Constructs, ConstructTest, ::testing::ValuesIn(constructs()),
                         [](const ::testing::TestParamInfo<Construct>& info) { return info.param.name; });

}  // namespace
}  // namespace bm::test
