#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "app/copy_tab.h"
#include "app/launcher_panel.h"
#include "app/maintenance_tab.h"
#include "app/port_tab.h"
#include "app/program.h"
#include "app/qt_text.h"

namespace bm::app {

QString version_caption(const QString& executable) {
  QString caption = "版本时间：";
  QFileInfo info(executable);
  if (!info.exists()) return caption;
  QDateTime written = info.lastModified();
  if (!written.isValid()) return caption;
  return caption + QLocale::system().toString(written.toLocalTime().date(), QLocale::ShortFormat);
}

namespace {
const char* kMemoLines[] = {"修改日志：", "20110926：进货主表，销售主表，收款主表is_rate字段", "用触发器赋初始值。(放在第三步中)"};
}

TMainfrm::TMainfrm(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      program_(program),
      port_(this, program.injected_port) {
  setObjectName("Mainfrm");
  setProperty("className", "TMainfrm");
  setWindowTitle("数据转移,维护操作");

  auto* root = new QVBoxLayout(this);
  root->addWidget(build_top());
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("PageControl1");
  tabs->addTab(new CopyTab(program_, port_.get(), tabs), "资料系统,进销单据");
  tabs->addTab(new PortTab(port_.get(), tabs), "大客户维护操作");
  tabs->addTab(new MaintenanceTab(program_, port_.get(), tabs), "标准版维护");
  tabs->setCurrentIndex(0);
  root->addWidget(tabs);
  root->setSizeConstraint(QLayout::SetFixedSize);  // a fixed-size window

  // Centred on the desktop.
  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

QWidget* TMainfrm::build_top() {
  auto* top = new QWidget(this);
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 0, 0);

  // Left: version, the two databases, the change log.
  auto* left = new QVBoxLayout;
  row->addLayout(left);
  auto* version = new QLabel("版本时间：", top);
  version->setObjectName("labupdate");
  version->setText(version_caption(QCoreApplication::applicationFilePath()));
  left->addWidget(version);
  auto* grid = new QGridLayout;
  left->addLayout(grid);
  struct Field {
    const char* label;
    const char* edit;
    const char* initial;
    const char* open;
    const char* connect_name;
    const char* connect_caption;
  } fields[] = {{"源数据库:", "EdtDataS", "D:\\testdata\\qimbook", "btnOpenS", "btnS", "连 接 源"},
                {"目标数据库:", "EdtDataD", "D:\\testdata\\rorudazez", "btnOpenD", "btnD", "连接目标"}};
  QLineEdit* edits[2];
  QPushButton* connects[2];
  for (int r = 0; r < 2; ++r) {
    grid->addWidget(new QLabel(fields[r].label, top), r, 0);
    auto* edit = new QLineEdit(fields[r].initial, top);
    edit->setObjectName(fields[r].edit);
    edit->setMinimumWidth(240);
    grid->addWidget(edit, r, 1);
    auto* open = new QPushButton(top);
    open->setObjectName(fields[r].open);
    open->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    connect(open, &QPushButton::clicked, this, [this, edit] {
      QString file = QFileDialog::getOpenFileName(this);  // OpenDialog1: no filter
      if (!file.isEmpty()) edit->setText(QDir::toNativeSeparators(file));
    });
    grid->addWidget(open, r, 2);
    auto* button = new QPushButton(fields[r].connect_caption, top);
    button->setObjectName(fields[r].connect_name);
    grid->addWidget(button, r, 3);
    edits[r] = edit;
    connects[r] = button;
  }
  EdtDataS = edits[0];
  EdtDataD = edits[1];
  connect(connects[0], &QPushButton::clicked, this, &TMainfrm::btnSClick);
  connect(connects[1], &QPushButton::clicked, this, &TMainfrm::btnDClick);
  auto* memo = new QPlainTextEdit(top);
  memo->setObjectName("Memo1");
  memo->setMaximumHeight(80);
  for (const char* line : kMemoLines) memo->appendPlainText(line);
  left->addWidget(memo);
  left->addStretch();

  // Middle: the date and bill conditions, all disabled; below them the access code.
  auto* middle = new QVBoxLayout;
  row->addLayout(middle);
  auto* conditions = new QWidget(top);
  conditions->setEnabled(false);
  auto* cg = new QGridLayout(conditions);
  auto* by_date = new QCheckBox("时间条件", conditions);
  by_date->setObjectName("cbxDate");
  cg->addWidget(by_date, 0, 0, 1, 3);
  const char* dates[][3] = {{"起始日期", "DatePicker1", "DTime1"}, {"终止日期", "DatePicker2", "DTime2"}};
  for (int r = 0; r < 2; ++r) {
    cg->addWidget(new QLabel(dates[r][0], conditions), r + 1, 0);
    auto* d = new QDateEdit(QDate::currentDate(), conditions);
    d->setObjectName(dates[r][1]);
    cg->addWidget(d, r + 1, 1);
    auto* t = new QTimeEdit(conditions);
    t->setObjectName(dates[r][2]);
    cg->addWidget(t, r + 1, 2);
  }
  auto* by_bill = new QCheckBox("单号条件", conditions);
  by_bill->setObjectName("cbxBill");
  cg->addWidget(by_bill, 3, 0);
  for (int i = 0; i < 2; ++i) {
    auto* bill = new QLineEdit(conditions);
    bill->setObjectName(i == 0 ? "Bill1" : "Bill2");
    cg->addWidget(bill, 3, i + 1);
  }
  middle->addWidget(conditions);
  EdtPass = new QLineEdit(kAccessCode, top);
  EdtPass->setObjectName("EdtPass");
  EdtPass->setEchoMode(QLineEdit::Password);
  middle->addWidget(EdtPass);
  btnShowPass = new QPushButton("输入密码显示一键导入", top);
  btnShowPass->setObjectName("btnShowPass");
  btnShowPass->setAutoDefault(true);  // Enter on the focused button presses it
  middle->addWidget(btnShowPass);
  middle->addStretch();
  // Enter in the access field only moves on to the button.
  connect(EdtPass, &QLineEdit::returnPressed, this, [this] { btnShowPass->setFocus(); });
  connect(btnShowPass, &QPushButton::clicked, this, &TMainfrm::btnShowPassClick);

  // Right: the launcher panel.
  Panel2 = build_launcher_panel(top, [this](const char* window_class) { launch(window_class); });
  row->addWidget(Panel2, 0, Qt::AlignTop);
  return top;
}

void TMainfrm::btnSClick() {
  data::run_step(port(), [&] { program_.bas_dm().ConnectSource(ss(EdtDataS->text())); });
}

void TMainfrm::btnDClick() {
  data::run_step(port(), [&] { program_.bas_dm().ConnectTarget(ss(EdtDataD->text())); });
}

void TMainfrm::btnShowPassClick() {
  if (EdtPass->text() == kAccessCode)
    Panel2->show();
  else
    port().info("密码错误！");
  EdtPass->setFocus();
}

void TMainfrm::launch(const char* window_class) {
  data::run_step(port(), [&] { program_.open_converter_window(window_class); });
}

void TMainfrm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  QCoreApplication::quit();  // closing the main window ends the program, whatever else is open
}

}  // namespace bm::app
