#include "ui/position_label.h"

#include "record/number_text.h"

namespace twinscan::ui {
namespace {

const char* GridTag(ViewId id) {
  switch (id) {
    case ViewId::Primary: return "ff";
    case ViewId::Secondary: return "sf";
    default: return "re";
  }
}

}  // namespace

std::string PositionLabel(const store::View& view) {
  std::string label = std::string("(") + GridTag(view.id()) + ") ";
  if (view.RowCount() == 0) return label + (view.id() == ViewId::Result && view.IsFiltered() ? "??" : "0");
  return label + LeadingBlankNumber(static_cast<double>(view.CurrentRow() + 1)) + " of " +
         LeadingBlankNumber(static_cast<double>(view.RowCount()));
}

std::string PositionLabel(const store::View& view, const std::string& suffix) {
  return PositionLabel(view) + (view.IsFiltered() ? std::string() : suffix);
}

}  // namespace twinscan::ui
