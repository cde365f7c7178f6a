// Labels and check boxes as plain state; the window's views draw them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace bushou::ui {

class TLabel {
 public:
  explicit TLabel(std::u16string caption = {}) : caption_(std::move(caption)) {}
  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string caption) {
    caption_ = std::move(caption);
    if (OnChanged) OnChanged();
  }
  std::function<void()> OnChanged;

 private:
  std::u16string caption_;
};

class TCheckBox {
 public:
  explicit TCheckBox(std::u16string caption, bool checked = false)
      : caption_(std::move(caption)), checked_(checked) {}
  const std::u16string& Caption() const { return caption_; }
  bool Checked() const { return checked_; }
  // Changing the state fires OnClick, as a click would.
  void SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (OnClick) OnClick();
  }
  std::function<void()> OnClick;

 private:
  std::u16string caption_;
  bool checked_;
};

}  // namespace bushou::ui
