#include "ui/filter_bar.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

namespace twinscan::ui {
namespace {

constexpr ViewId kIds[] = {ViewId::Primary, ViewId::Secondary, ViewId::Result};

QStringList NamesOf(ViewId id) {
  QStringList names;
  if (id == ViewId::Result)
    for (store::ResultFilter f : store::kResultFilters) names << QString::fromUtf8(store::NameOf(f).data());
  else
    for (store::RecordFilter f : store::kRecordFilters) names << QString::fromUtf8(store::NameOf(f).data());
  return names;
}

size_t At(ViewId id) { return static_cast<size_t>(id); }

}  // namespace

GridFilters::GridFilters(QWidget* barParent, QMenu* viewMenu) : QObject(barParent), menu_(viewMenu) {
  bar_ = new QWidget(barParent);
  bar_->setObjectName("FilterBar");
  auto* layout = new QHBoxLayout(bar_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  struct Place {
    const char* box;
    const char* label;
    const char* menu;
    const char* menuName;
  };
  constexpr Place kPlaces[] = {{"FilterFf", "ff:", "&Primary Records", "M_VIEWFF"},
                               {"FilterSf", "sf:", "&Secondary Records", "M_VIEWSF"},
                               {"FilterRe", "re:", "&Results", "M_VIEWRE"}};
  for (ViewId id : kIds) {
    const Place& p = kPlaces[At(id)];
    auto* box = new QComboBox(bar_);
    box->setObjectName(p.box);
    box->addItems(NamesOf(id));
    box->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(new QLabel(p.label, bar_));
    layout->addWidget(box, id == ViewId::Result ? 2 : 1);
    boxes_[At(id)] = box;
    connect(box, &QComboBox::activated, this, [this, id](int index) { Choose(id, index); });

    QMenu* sub = viewMenu->addMenu(p.menu);
    sub->setObjectName(p.menuName);
    auto* group = new QActionGroup(sub);
    int index = 0;
    for (const QString& name : NamesOf(id)) {
      QAction* action = sub->addAction(name);
      action->setCheckable(true);
      action->setChecked(index == 0);
      group->addAction(action);
      connect(action, &QAction::triggered, this, [this, id, index] { Choose(id, index); });
      ++index;
    }
    groups_[At(id)] = group;
  }
}

store::ViewSelection GridFilters::Selection(ViewId id) const {
  auto index = static_cast<size_t>(chosen_[At(id)]);
  if (id == ViewId::Result) return store::SelectionOf(store::kResultFilters[index]);
  return store::SelectionOf(store::kRecordFilters[index]);
}

std::string GridFilters::LabelSuffix(ViewId id) const {
  int index = chosen_[At(id)];
  if (index == 0) return {};
  if (id == ViewId::Result) return ", " + std::string(store::NameOf(store::kResultFilters[static_cast<size_t>(index)]));
  return ", " + std::string(store::NameOf(store::kRecordFilters[static_cast<size_t>(index)]));
}

void GridFilters::Choose(ViewId id, int index) {
  if (index < 0 || index >= boxes_[At(id)]->count()) return;
  bool differs = chosen_[At(id)] != index;
  chosen_[At(id)] = index;
  Show(id);
  if (differs) emit changed(id);
}

void GridFilters::Show(ViewId id) {
  int index = chosen_[At(id)];
  boxes_[At(id)]->setCurrentIndex(index);
  groups_[At(id)]->actions().at(index)->setChecked(true);
}

void GridFilters::SetEnabled(bool enabled) {
  bar_->setEnabled(enabled);
  menu_->setEnabled(enabled);
}

}  // namespace twinscan::ui
