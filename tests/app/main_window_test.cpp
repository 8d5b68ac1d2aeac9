// The main window and the start sequence: unlocking the launcher panel, the launchers, the
// connect buttons, the version label, and what the start creates.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/converter_window.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/program_tables.h"
#include "tests/support/recording_port.h"

namespace bm::app {
namespace {

using test::RecordingPort;

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    program.exec_modal = [this](QDialog& d) { modal.push_back(d.property("className").toString().toStdString()); };
    program.start();
    main = program.Mainfrm;
  }
  template <typename T = QWidget>
  T* child(const char* name) {
    T* w = main->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  RecordingPort port;
  Program program{&port};
  TMainfrm* main = nullptr;
  std::vector<std::string> modal;  // windows shown modally, by class
};

TEST_F(MainWindow, StartCreatesEverythingHiddenInItsOrder) {
  std::vector<std::string> expected = {"TMainfrm"};
  for (const char* c : start_order()) expected.push_back(c);
  EXPECT_EQ(program.created, expected);
  EXPECT_EQ(main->objectName(), "Mainfrm");
  EXPECT_EQ(main->windowTitle(), "数据转移,维护操作");
  EXPECT_FALSE(program.frmGZ->isVisible());
  EXPECT_EQ(program.frmGZ->property("className").toString(), "TfrmGZ");
  EXPECT_NE(program.DataRuiChen, nullptr);
  EXPECT_EQ(program.frmRcTOqimstd, nullptr) << "the Ruichen window is created only by its launcher";
  EXPECT_TRUE(port.boxes.empty());

  auto* tabs = child<QTabWidget>("PageControl1");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), "资料系统,进销单据");
  EXPECT_EQ(tabs->tabText(1), "大客户维护操作");
  EXPECT_EQ(tabs->tabText(2), "标准版维护");
  EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST(StartSequence, AFailedCreationQuietlyLeavesOutTheRest) {
  RecordingPort port;
  Program program(&port);
  program.create_hidden_objects("TfrmGMS");
  EXPECT_EQ(program.created, (std::vector<std::string>{"TBAS_DMFrm", "TfrmTest", "TDataGZ", "TfrmGZ", "TfrmQC", "TDataQC"}));
  EXPECT_EQ(program.frmGMS, nullptr);
  EXPECT_EQ(program.DataGMS, nullptr);
  EXPECT_TRUE(port.boxes.empty()) << "nothing is reported";
}

TEST_F(MainWindow, EnterMovesOnAndTheAccessCodeUnlocksThePanel) {
  auto* pass = child<QLineEdit>("EdtPass");
  auto* show = child<QPushButton>("btnShowPass");
  auto* panel = child("Panel2");
  main->show();
  EXPECT_EQ(pass->text(), kAccessCode);
  EXPECT_TRUE(panel->isHidden());

  pass->setFocus();
  QTest::keyClick(pass, Qt::Key_Return);
  EXPECT_EQ(main->focusWidget(), show) << "Enter moves the focus on";
  EXPECT_TRUE(panel->isHidden()) << "and does not press the button";
  EXPECT_TRUE(port.boxes.empty());

  QTest::keyClick(show, Qt::Key_Return);  // a second Enter presses it
  EXPECT_FALSE(panel->isHidden());
  EXPECT_EQ(main->focusWidget(), pass);
}

TEST_F(MainWindow, AWrongAccessCodeIsRefused) {
  auto* pass = child<QLineEdit>("EdtPass");
  auto* panel = child("Panel2");
  for (const char* wrong : {"luyu2011", "LUYU2011", "", "LuYu2011 "}) {
    pass->setText(wrong);
    child<QPushButton>("btnShowPass")->click();
    EXPECT_TRUE(panel->isHidden()) << wrong;
  }
  EXPECT_EQ(port.texts(), std::vector<std::string>(4, "密码错误！"));
  EXPECT_EQ(main->focusWidget(), pass);
}

TEST_F(MainWindow, EachLauncherPressOpensANewWindowOnTheOneDataModule) {
  ConverterWindow* hidden = program.frmGZ;
  converters::ConverterDM* dm = program.DataGZ;
  auto* button = child<QPushButton>("btnGuangZhiOut");
  EXPECT_EQ(button->text(), "广智70导入");
  button->click();
  ConverterWindow* first = program.frmGZ;
  button->click();
  ConverterWindow* second = program.frmGZ;
  EXPECT_NE(first, hidden);
  EXPECT_NE(second, first);
  EXPECT_TRUE(first->isVisible() && second->isVisible());
  EXPECT_FALSE(hidden->isVisible()) << "the start instance stays alive and hidden";
  EXPECT_EQ(program.DataGZ, dm) << "the data module is not created again";
  EXPECT_TRUE(modal.empty()) << "modeless";
}

TEST_F(MainWindow, OnlyTheGz80LauncherIsModal) {
  for (const auto& l : launcher_buttons()) {
    modal.clear();
    auto* b = child<QPushButton>(l.button);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), l.caption);
    b->click();
    if (std::string(l.button) == "btnGz80Toqim")
      EXPECT_EQ(modal, std::vector<std::string>{"TGZ8TOqimstd"});
    else
      EXPECT_TRUE(modal.empty()) << l.button;
  }
  EXPECT_NE(program.frmRcTOqimstd, nullptr);
  EXPECT_TRUE(port.boxes.empty());
}

TEST_F(MainWindow, GongYuanAndRongChuangOpenTheSameWindow) {
  child<QPushButton>("btnGongYuanOut")->click();
  ConverterWindow* gy = program.frmGY;
  child<QPushButton>("Button1")->click();
  ConverterWindow* rc = program.frmGY;
  ASSERT_NE(gy, rc);
  EXPECT_EQ(gy->property("className"), rc->property("className"));
  EXPECT_EQ(gy->windowTitle(), rc->windowTitle());
}

TEST_F(MainWindow, ConnectingWithoutAPathFails) {
  child<QLineEdit>("EdtDataS")->setText("");
  child<QPushButton>("btnS")->click();
  child<QLineEdit>("EdtDataD")->setText("");
  child<QPushButton>("btnD")->click();
  EXPECT_EQ(port.texts(), (std::vector<std::string>{"源连接失败", "目标连接失败"}));
  EXPECT_FALSE(program.BAS_DMFrm->QIMS.connected());
}

TEST_F(MainWindow, InitialTexts) {
  EXPECT_EQ(child<QLineEdit>("EdtDataS")->text(), "D:\\testdata\\qimbook");
  EXPECT_EQ(child<QLineEdit>("EdtDataD")->text(), "D:\\testdata\\rorudazez");
  EXPECT_EQ(child<QPushButton>("btnS")->text(), "连 接 源");
  EXPECT_EQ(child<QPushButton>("btnD")->text(), "连接目标");
  for (const char* name : {"DatePicker1", "DTime1", "DatePicker2", "DTime2", "Bill1", "Bill2"})
    EXPECT_FALSE(child(name)->isEnabled()) << name;
}

TEST(VersionLabel, DateOfTheExecutableOrTheCaptionAlone) {
  EXPECT_EQ(version_caption("/no/such/executable"), "版本时间：");
  QString caption = version_caption(QCoreApplication::applicationFilePath());
  EXPECT_TRUE(caption.startsWith("版本时间：") && caption.size() > QString("版本时间：").size())
      << caption.toStdString();
}

}  // namespace
}  // namespace bm::app
