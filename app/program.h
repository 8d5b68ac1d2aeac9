// The program: its start sequence and the program-wide references to every window and data
// module, each named after its object. The program owns them all until it ends; a launcher
// press adds a further window and points the reference at it.
#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "converters/converter_dm.h"
#include "data/message_port.h"
#include "migrate/bas_dm.h"

namespace bm::app {

class TMainfrm;
class TfrmTest;
class ConverterWindow;
class TgzToqimshowfrm;
struct ConverterEntry;

struct Program {
  // With `port`, every window reports there instead of showing boxes (tests); the program
  // itself passes none.
  explicit Program(data::MessagePort* port = nullptr);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the main window, then, hidden and in their order, the data modules and windows.
  // A failure there ends the creation quietly; what exists stays.
  void start();
  // The same creation step on its own; `fail_at` (a class name) fails that one creation.
  void create_hidden_objects(const std::string& fail_at = {});

  // A launcher press: a new window of the converter, stored in its reference and shown.
  ConverterWindow* open_converter_window(const std::string& window_class);
  // Step six of the copy tab: a new test-rules window, modal, freed when it closes.
  void open_test_rules(QWidget* parent);
  // The GZ70 window's test step: a new statistics window, modeless.
  TgzToqimshowfrm* open_statistics_window();

  // The standard-edition data module; an error when it could not be created.
  migrate::TBAS_DMFrm& bas_dm();

  // How a window is shown modally; tests replace it so that nothing blocks.
  std::function<void(QDialog&)> exec_modal = [](QDialog& d) { d.exec(); };

  data::MessagePort* injected_port;

  // The program-wide references.
  TMainfrm* Mainfrm = nullptr;
  migrate::TBAS_DMFrm* BAS_DMFrm = nullptr;
  TfrmTest* frmTest = nullptr;
  converters::ConverterDM *DataGZ = nullptr, *DataQC = nullptr, *DataGMS = nullptr, *DataQIM = nullptr,
                          *DataYH = nullptr, *DataLJ = nullptr, *DataQIM2 = nullptr, *DataGY = nullptr,
                          *DataGZ80 = nullptr, *DataRuiChen = nullptr;
  ConverterWindow *frmGZ = nullptr, *frmQC = nullptr, *frmGMS = nullptr, *frmQIM = nullptr, *frmYH = nullptr,
                  *frmLJ = nullptr, *frmQIM2 = nullptr, *frmGY = nullptr, *GZ8TOqimstd = nullptr,
                  *frmRcTOqimstd = nullptr;
  TgzToqimshowfrm* gzToqimshowfrm = nullptr;

  // Everything created so far, in creation order (windows by their className).
  std::vector<std::string> created;

 private:
  void create(const std::string& class_name);
  ConverterWindow* make_converter_window(const ConverterEntry& entry);

  std::unique_ptr<TMainfrm> main_;  // declared first: destroyed last
  data::SilentPort fallback_port_;
  std::unique_ptr<migrate::TBAS_DMFrm> bas_;
  std::vector<std::unique_ptr<converters::ConverterDM>> modules_;
  std::vector<std::unique_ptr<QWidget>> windows_;
};

}  // namespace bm::app
