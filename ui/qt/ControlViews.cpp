#include "ui/qt/ControlViews.h"

#include "ui/qt/QtText.h"

namespace bushou::ui {

LabelView::LabelView(TLabel& label, QWidget* parent) : QLabel(ToQString(label.Caption()), parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  label.OnChanged = [this, &label] {
    setText(ToQString(label.Caption()));
    adjustSize();  // labels size themselves to their text
  };
  adjustSize();
}

CheckBoxView::CheckBoxView(TCheckBox& box, QWidget* parent) : QCheckBox(ToQString(box.Caption()), parent) {
  setChecked(box.Checked());
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QCheckBox::toggled, this, [&box](bool checked) { box.SetChecked(checked); });
}

}  // namespace bushou::ui
