#include "ui/status_panels.h"

#include <QLabel>
#include <QProgressBar>

#include "ui/twips.h"

namespace twinscan::ui {
namespace {

constexpr int kPanelTwips[6] = {1440, 1440, 1440, 1440, 1440, 5000};
constexpr int kTextMargin = 8;      // pixels around a panel's text
constexpr int kLeastWidth = 4;      // what is left of an empty panel that gave its room
constexpr int kStartTwips = 12765;  // the bar's width at the window's start size

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  for (QLabel*& p : panels_) {
    p = new QLabel(this);
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    p->setTextFormat(Qt::PlainText);
    p->setIndent(2);
  }
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("ProgressBar1");
  progressBar_->setRange(0, 100);
  progressBar_->setAlignment(Qt::AlignCenter);
  progressBar_->hide();
  Arrange();
}

void StatusPanels::SetText(int panel, const QString& text) {
  QLabel* p = panels_.at(static_cast<size_t>(panel - 1));
  if (p->text() == text) return;
  p->setText(text);
  if (panel <= 3) Arrange();
}

QString StatusPanels::text(int panel) const { return panels_.at(static_cast<size_t>(panel - 1))->text(); }

void StatusPanels::resizeEvent(QResizeEvent*) { Arrange(); }

// Digits are of one width in the usual fonts, so a position label's width
// follows its length: it is measured again only when the length changes.
int StatusPanels::NeededWidth(int index) {
  Measured& m = measured_[static_cast<size_t>(index)];
  const QString text = panels_[static_cast<size_t>(index)]->text();
  if (text.size() != m.length) {
    m.length = text.size();
    m.width = fontMetrics().horizontalAdvance(text) + kTextMargin;
  }
  return m.width;
}

void StatusPanels::Arrange() {
  int widths[6];
  for (int i = 0; i < 6; ++i) widths[i] = Twips(kPanelTwips[i]);
  // The status text takes what a wider window gains.
  widths[5] += std::max(0, width() - Twips(kStartTwips));
  int extra = 0;
  for (int i = 0; i < 3; ++i) {
    int needed = NeededWidth(i);
    if (needed > widths[i]) {
      extra += needed - widths[i];
      widths[i] = needed;
    }
  }
  for (int i = 3; i < 5 && extra > 0; ++i) {
    int given = std::min(extra, widths[i] - kLeastWidth);
    widths[i] -= given;
    extra -= given;
  }
  int left = 0;
  for (int i = 0; i < 6; ++i) {
    QRect place(left, 0, widths[i], height());
    if (panels_[static_cast<size_t>(i)]->geometry() != place) panels_[static_cast<size_t>(i)]->setGeometry(place);
    left += widths[i];
  }
  QRect bar(panels_[3]->geometry().left(), 0, widths[3] + widths[4], height());
  if (progressBar_->geometry() != bar) progressBar_->setGeometry(bar);
}

}  // namespace twinscan::ui
