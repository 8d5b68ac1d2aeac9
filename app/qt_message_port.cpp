#include "app/qt_message_port.h"

#include <QApplication>
#include <QMessageBox>

#include "app/qt_text.h"

namespace bm::app {

namespace {
void box(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox b(icon, title, text, QMessageBox::Ok, parent);
  b.exec();
}
QString app_title() { return QApplication::applicationDisplayName(); }
}  // namespace

QtMessagePort::~QtMessagePort() { end_progress(); }

void QtMessagePort::info(const std::string& text) {
  end_progress();  // a job's "...ok" box follows its last progress report
  box(window_, QMessageBox::NoIcon, app_title(), qs(text));
}

void QtMessagePort::data_error(const std::string& statement) {
  end_progress();
  box(window_, QMessageBox::NoIcon, QString(), qs(std::string(data::kDataErrorPrefix) + statement));
}

void QtMessagePort::notice(const std::string& text) {
  end_progress();
  box(window_, QMessageBox::NoIcon, QString(), qs(text));
}

void QtMessagePort::error(const std::string& text) {
  end_progress();
  box(window_, QMessageBox::Critical, app_title(), qs(text));
}

void QtMessagePort::progress(const std::string& what, int64_t done, int64_t total) {
  if (!progress_) {
    progress_ = new QProgressDialog(window_);
    progress_->setWindowTitle(app_title());
    progress_->setCancelButton(nullptr);  // a copy job runs to its end
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(300);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
  }
  // Without a total the bar is a busy indicator.
  progress_->setRange(0, total < 0 ? 0 : static_cast<int>(std::min<int64_t>(total, INT32_MAX)));
  progress_->setLabelText(QString("%1\n已转移 %2 行").arg(qs(what)).arg(done));
  if (total >= 0) progress_->setValue(static_cast<int>(std::min<int64_t>(done, INT32_MAX)));
  else progress_->setValue(0);
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (total >= 0 && done >= total) end_progress();
}

void QtMessagePort::end_progress() {
  if (progress_) {
    progress_->close();
    progress_->deleteLater();
    progress_ = nullptr;
  }
}

}  // namespace bm::app
