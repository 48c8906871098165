#pragma once
// The base of every control of the window framework: a named rectangle inside its parent, with a
// font, a colour, a caption, visibility, enabling, focus and events. Controls are retained: they
// are objects owned by their parent, drawn whenever their form paints, and given the input that
// their form routes to them.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Painter.h"
#include "platform/win/Input.h"

class TForm;

class TControl {
 public:
  using TNotifyEvent = std::function<void(TControl& Sender)>;
  using TKeyEvent = std::function<void(TControl& Sender, WORD& Key, TShiftState Shift)>;
  using TMouseEvent = std::function<void(TControl& Sender, platform::MouseButton Button, TShiftState Shift,
                                         std::int32_t X, std::int32_t Y)>;

  explicit TControl(std::string Name) : name_(std::move(Name)) {}
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl();

  // A child of the given kind, owned by this control.
  template <class Control, class... Arguments>
  Control& Add(std::string Name, Arguments&&... arguments) {
    auto child = std::make_unique<Control>(std::move(Name), std::forward<Arguments>(arguments)...);
    Control& made = *child;
    Adopt(std::move(child));
    return made;
  }

  const std::string& Name() const { return name_; }
  TControl* Parent() const { return parent_; }
  virtual TForm* Form() const;
  const std::vector<std::unique_ptr<TControl>>& Controls() const { return children_; }
  // This control or the one of that name below it; null when there is none.
  TControl* FindComponent(const std::string& Name);

  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  virtual void SetBounds(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  RECT ClientRect() const { return {0, 0, width_, height_}; }
  // Where the control's top-left corner lies in its form's client area.
  POINT FormOrigin() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool Visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Enabled);
  // Visible, and so are all its parents.
  bool Showing() const;
  // Showing and enabled, and so are all its parents, and not kept out by a dialog of its form:
  // what a user can reach.
  bool Reachable() const;
  // This control is Ancestor or lies inside it.
  bool LiesWithin(const TControl& Ancestor) const;

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& Font);
  // The parent's colour until a colour of its own is set.
  TColor Color() const { return parentColor_ && parent_ ? parent_->Color() : color_; }
  void SetColor(TColor Color);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Caption);

  // Whether the control can take the keyboard at all, and whether Tab stops at it.
  virtual bool Focusable() const { return false; }
  bool TabStop() const { return tabStop_ && Focusable(); }
  void SetTabStop(bool Value) { tabStop_ = Value; }
  bool CanFocus() const { return Focusable() && Reachable(); }
  bool Focused() const;
  void SetFocus();

  // Fires OnClick.
  virtual void Click();
  // The key that goes with Alt, from an "&" in the caption; 0 for none.
  char AcceleratorKey() const;

  TNotifyEvent OnClick;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TMouseEvent OnMouseDown;

  // Input the form routes to the control; X and Y are the control's own coordinates.
  void KeyDown(WORD& Key, TShiftState Shift);
  void KeyUp(WORD& Key, TShiftState Shift);
  virtual void TextInput(const std::string& /*Text*/) {}
  void MouseDown(platform::MouseButton Button, TShiftState Shift, POINT At);
  virtual void MouseMove(TShiftState /*Shift*/, POINT /*At*/) {}
  virtual void MouseUp(platform::MouseButton /*Button*/, TShiftState /*Shift*/, POINT /*At*/) {}
  // Keys the control takes for itself rather than leaving them to the form (Tab, Enter, arrows).
  virtual bool WantsKey(WORD /*Key*/) const { return false; }
  // Whether Enter reaches this control rather than the default button while it has the keyboard.
  virtual bool IsButton() const { return false; }
  // The keyboard came or went.
  virtual void FocusChanged() { Invalidate(); }
  // The mouse button went up elsewhere, or the window lost the keyboard: undo any pressed look.
  virtual void CancelMode() {}

  // Draws the control; its children follow.
  virtual void Paint(platform::Painter& /*Painter*/) {}
  // Asks the form to paint again.
  void Invalidate();

 protected:
  // What the control does itself with a key that its handler left alone.
  virtual void DoKeyDown(WORD& /*Key*/, TShiftState /*Shift*/) {}
  virtual void DoKeyUp(WORD& /*Key*/, TShiftState /*Shift*/) {}
  // What the control does itself with a press of the mouse, after OnMouseDown.
  virtual void DoMouseDown(platform::MouseButton /*Button*/, TShiftState /*Shift*/, POINT /*At*/) {}
  // Tells the form that focus rules may have changed.
  void FocusRulesChanged();
  // The caption or the font changed.
  virtual void TextChanged() {}

 private:
  void Adopt(std::unique_ptr<TControl> child);

  std::string name_;
  TControl* parent_ = nullptr;
  std::vector<std::unique_ptr<TControl>> children_;
  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  bool visible_ = true;
  bool tabStop_ = true;
  bool enabled_ = true;
  TFont font_;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  std::string caption_;
};
