// bookmove-cli: runs the data modules' operations from a console, in the order a technician
// presses the buttons, and prints every message box as the window would show it.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/standard_commands.h"
#include "data/drivers/install.h"

namespace {

const char* kHelp = R"(bookmove-cli — 书店数据转移的控制台版本

用法:
  bookmove-cli standard --source 源库文件 --target 目标库文件 [--steps 步骤] [--tables 选项表] [--no-system]
      标准版整库复制（主窗口“资料系统,进销单据”页），按技术员按按钮的顺序执行:
        clear         第一步 清除目标空库原始发布数据
        triggers-off  第二步 屏蔽触发器
        system        第三步 执行信息表（部门、仓库、字典、计数器、配置、操作员）
        execute       “执 行”：复制勾选的选项表
        triggers-on   第四步 还原触发器
        counters      第五步 还原数据库的操作值（图书计数器、各生成器）
        rules         第六步 测试规则
      --steps 以逗号分隔，缺省为全部；--tables 以逗号分隔选项表名（如 bas_bookinfo,sal_selldetail），
      缺省为全部；--no-system 相当于不勾选“所有系统信息”。

  bookmove-cli maintain --target 目标库文件 --op 操作 [--from 日期时间] [--to 日期时间]
      标准版维护（“标准版维护”页）。操作: upgrade 升级操作, remove 还原升级操作, suppliers 重算主要供应商,
      purchases 重算所有采购, sales 重算所有销售。日期时间写作 "2011-03-01 00:00:00"，
      缺省从 2001-06-10 00:00:00 到今天 23:59:59。

  bookmove-cli demo [--dir 文件夹] [--scale 规模]
      在文件夹（缺省 ./demo）中生成一个示例书店和一个新装的目标库，执行整库复制，最后列出每张表的行数和用时。

  bookmove-cli convert --converter 代码 [--source 源库] [--target 目标库] [--steps 按钮] [--tables 选项表]
                      [--sqlserver-standin 文件夹] [--reject-dir 文件夹]
      一键导入和版本转换：按窗口上按钮的顺序执行（连接源、连接目标、第一步……“执  行”……），
      代码为 GZ、GZ80、RC、QC、GMS、YH、LJ、GY、QIM（标准版到大客户版）、QIM2（大客户版到标准版）。
      --source/--target 缺省为窗口中的默认文本；--steps 以逗号分隔按钮名（如 btnStart,btnTOqim），
      缺省为窗口上所有可用的步骤按钮；--tables 缺省为所有可勾选的选项表。
      --sqlserver-standin 用本程序自带的 SQL Server 替身（每个数据库是文件夹中的一个文件），用于演示和测试。
      有行没有导入时，另打印一行说明并把这些行的键写入 --reject-dir（缺省为当前文件夹）中的日志文件。

每个提示框打印为一行：[提示] 信息框，[ ] 无标题的数据出错框，[错误] 标准错误框。
有操作以标准错误框结束时，退出码为 1。
)";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::fputs(kHelp, stdout);
    return args.empty() ? 2 : 0;
  }
  std::string command = args[0];
  args.erase(args.begin());
  try {
    bm::data::install_default_drivers();
    if (command == "standard") return bm::cli::run_standard_copy(args);
    if (command == "maintain") return bm::cli::run_maintenance(args);
    if (command == "demo") return bm::cli::run_demo(args);
    if (command == "convert") return bm::cli::run_convert(args);
    std::fprintf(stderr, "未知的命令: %s（--help 查看用法）\n", command.c_str());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "[错误] %s\n", e.what());
    return 2;
  }
}
