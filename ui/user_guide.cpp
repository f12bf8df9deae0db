#include "ui/user_guide.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/twips.h"

namespace twinscan::ui {

UserGuideWindow::UserGuideWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("UserGuide");
  setWindowTitle("twinscan User Guide");
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("UserGuideText");
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl(kUserGuideSource));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(Twips(10500), Twips(9000));
}

}  // namespace twinscan::ui
