#include "ui/grow_layout.h"

#include <QEvent>
#include <QWidget>
#include <cmath>

namespace twinscan::ui {

GrowLayout::GrowLayout(QWidget* client, QSize startSize) : QObject(client), client_(client), startSize_(startSize) {
  client->installEventFilter(this);
}

void GrowLayout::Add(QWidget* control, Share share) {
  followers_.push_back({control, control->geometry(), share});
  Place(followers_.back());
}

bool GrowLayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize)
    for (const Follower& f : followers_) Place(f);
  return QObject::eventFilter(watched, event);
}

// Edges are rounded, not lengths, so that neighbours with adjoining shares
// (one's top + height is the next one's top) never open a gap between them.
void GrowLayout::Place(const Follower& f) const {
  int dw = std::max(0, client_->width() - startSize_.width());
  int dh = std::max(0, client_->height() - startSize_.height());
  auto edge = [](int gained, double share) { return static_cast<int>(std::lround(gained * share)); };
  int left = f.start.left() + edge(dw, f.share.left);
  int right = f.start.left() + f.start.width() + edge(dw, f.share.left + f.share.width);
  int top = f.start.top() + edge(dh, f.share.top);
  int bottom = f.start.top() + f.start.height() + edge(dh, f.share.top + f.share.height);
  QRect place(left, top, right - left, bottom - top);
  if (f.control->geometry() != place) f.control->setGeometry(place);
}

}  // namespace twinscan::ui
