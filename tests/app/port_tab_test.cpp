// The remote-desktop port tab on the folder stand-in of the registry.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/port_tab.h"
#include "app/rdp_port.h"
#include "tests/support/recording_port.h"
#include "tests/support/temp_dir.h"

namespace bm::app {
namespace {

namespace fs = std::filesystem;
using test::RecordingPort;

class PortSettings : public ::testing::Test {
 protected:
  void SetUp() override { setenv("BOOKMOVE_REGISTRY_DIR", dir.path().c_str(), 1); }
  void TearDown() override { unsetenv("BOOKMOVE_REGISTRY_DIR"); }

  fs::path key_folder(const char* key) {
    fs::path p = fs::path(dir.path()) / "HKEY_LOCAL_MACHINE";
    std::string k = key;
    for (size_t start = 0, end; start <= k.size(); start = end + 1) {
      end = k.find('\\', start);
      if (end == std::string::npos) end = k.size();
      p /= k.substr(start, end - start);
    }
    return p;
  }
  // Creates the key; with a value line when given.
  void make_key(const char* key, const std::string& port_line = "") {
    fs::create_directories(key_folder(key));
    std::ofstream out(key_folder(key) / "values");
    out << "Other=1\n";
    if (!port_line.empty()) out << "PortNumber=" << port_line << "\n";
  }
  std::string stored(const char* key) {
    std::ifstream in(key_folder(key) / "values");
    std::string line;
    while (std::getline(in, line))
      if (line.rfind("PortNumber=", 0) == 0) return line.substr(11);
    return "(none)";
  }
  QLineEdit* edit(const char* name) { return tab.findChild<QLineEdit*>(name); }
  void press(const char* name) { tab.findChild<QPushButton*>(name)->click(); }
  std::vector<RecordingPort::Box::Kind> kinds() {
    std::vector<RecordingPort::Box::Kind> k;
    for (const auto& b : port.boxes) k.push_back(b.kind);
    return k;
  }

  test::TempDir dir;
  RecordingPort port;
  PortTab tab{port, nullptr};
};

using Kind = RecordingPort::Box::Kind;

TEST_F(PortSettings, WriteBothThenReadThemBack) {
  make_key(kRdpKeyOne, "3389");
  make_key(kRdpKeyTwo, "3389");
  EXPECT_EQ(edit("EdtWritePort")->text(), "3389");
  edit("EdtWritePort")->setText("6111");
  press("btnWriteReg");
  EXPECT_EQ(port.texts(), std::vector<std::string>{"写入成功！"});
  EXPECT_EQ(stored(kRdpKeyOne), "6111");
  EXPECT_EQ(stored(kRdpKeyTwo), "6111");
  press("btnRead");
  EXPECT_EQ(edit("EdtReadPort1")->text(), "6111");
  EXPECT_EQ(edit("EdtReadPort2")->text(), "6111");
  EXPECT_EQ(port.boxes.size(), 1u) << "a read shows no message";
}

TEST_F(PortSettings, AMissingValueIsCreatedWithTheDefaultPort) {
  make_key(kRdpKeyOne, "3389");
  make_key(kRdpKeyTwo);
  edit("EdtWritePort")->setText("6111");
  press("btnWriteReg");
  EXPECT_EQ(stored(kRdpKeyOne), "6111");
  EXPECT_EQ(stored(kRdpKeyTwo), "3389");
  EXPECT_EQ(port.texts(), std::vector<std::string>{"写入成功！"});
}

TEST_F(PortSettings, ReadShowsDecimalAndStopsAtAMissingValue) {
  make_key(kRdpKeyOne, "0006111");
  make_key(kRdpKeyTwo);
  edit("EdtReadPort2")->setText("before");
  press("btnRead");
  EXPECT_EQ(edit("EdtReadPort1")->text(), "6111") << "no leading zeros";
  EXPECT_EQ(edit("EdtReadPort2")->text(), "before");
  EXPECT_EQ(kinds(), std::vector<Kind>{Kind::Error});
}

TEST_F(PortSettings, AKeyThatCannotBeOpenedStopsTheWriteThere) {
  make_key(kRdpKeyOne, "3389");
  edit("EdtWritePort")->setText("6111");
  press("btnWriteReg");
  EXPECT_EQ(stored(kRdpKeyOne), "6111") << "the key handled before keeps what was written";
  EXPECT_FALSE(fs::exists(key_folder(kRdpKeyTwo))) << "a key is never created";
  EXPECT_EQ(kinds(), std::vector<Kind>{Kind::Error});

  port.clear();
  press("btnRead");
  EXPECT_EQ(edit("EdtReadPort1")->text(), "6111");
  EXPECT_EQ(kinds(), std::vector<Kind>{Kind::Error});
}

TEST_F(PortSettings, ATextThatIsNoPortWritesNothing) {
  make_key(kRdpKeyOne, "3389");
  make_key(kRdpKeyTwo, "3389");
  struct Case {
    const char* typed;
    const char* message;
  } cases[] = {{"abc", "'abc' is not a valid integer value"},
               {"", "'' is not a valid integer value"},
               {"61 11", "'61 11' is not a valid integer value"},
               {"99999999999", "'99999999999' is not a valid integer value"},
               {"70000", "'70000' is not a valid port number (1 to 65535)"},
               {"-1", "'-1' is not a valid port number (1 to 65535)"},
               {"0", "'0' is not a valid port number (1 to 65535)"}};
  for (const auto& c : cases) {
    port.clear();
    edit("EdtWritePort")->setText(c.typed);
    press("btnWriteReg");
    EXPECT_EQ(port.boxes, (std::vector<RecordingPort::Box>{{Kind::Error, c.message}})) << c.typed;
    EXPECT_EQ(stored(kRdpKeyOne), "3389") << c.typed;
  }
}

TEST_F(PortSettings, ATextIsNotLookedAtWhereTheValueIsMissing) {
  make_key(kRdpKeyOne);
  make_key(kRdpKeyTwo);
  edit("EdtWritePort")->setText("abc");
  press("btnWriteReg");
  EXPECT_EQ(stored(kRdpKeyOne), "3389");
  EXPECT_EQ(stored(kRdpKeyTwo), "3389");
  EXPECT_EQ(port.texts(), std::vector<std::string>{"写入成功！"});
}

}  // namespace
}  // namespace bm::app
