#pragma once
// The standard controls, drawn in the classic grey three-dimensional look: panel, label, one-line
// memo, list box, check box, track bar, button and image.

#include <optional>
#include <span>
#include <vector>

#include "Control.h"

enum class TBevelCut { None, Lowered, Raised };
enum class TAlignment { LeftJustify, RightJustify, Center };

// A rectangle that holds other controls, with bevels round it and its caption in the middle.
class TPanel : public TControl {
 public:
  explicit TPanel(std::string Name);

  void SetBevelOuter(TBevelCut Cut);
  void SetBevelInner(TBevelCut Cut);
  // A panel that draws nothing of its own, so that what lies under it shows through.
  void SetParentBackground(bool Value);

  void Paint(platform::Painter& Painter) override;

 private:
  TBevelCut bevelOuter_ = TBevelCut::Raised;
  TBevelCut bevelInner_ = TBevelCut::None;
  bool parentBackground_ = false;
};

class TLabel : public TControl {
 public:
  explicit TLabel(std::string Name);

  // A transparent label shows what lies under it round its letters.
  void SetTransparent(bool Value);
  void SetAlignment(TAlignment Value);
  // The label takes the size of its caption whenever that changes.
  void SetAutoSize(bool Value);
  // A label that sizes itself keeps its size whatever it is given.
  void SetBounds(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height) override;

  void Paint(platform::Painter& Painter) override;

 protected:
  void TextChanged() override;

 private:
  void AdjustSize();

  bool transparent_ = false;
  bool autoSize_ = true;
  TAlignment alignment_ = TAlignment::LeftJustify;
};

// A one-line text field whose text may be centred: caret, selection, typing and editing keys.
class TMemo : public TControl {
 public:
  explicit TMemo(std::string Name);

  const std::string& Text() const { return text_; }
  void SetText(const std::string& Text);
  // Typing stops at this many characters; 0 for no limit.
  void SetMaxLength(std::size_t Value) { maxLength_ = Value; }
  std::size_t MaxLength() const { return maxLength_; }
  void SetAlignment(TAlignment Value);

  std::size_t SelStart() const { return std::min(anchor_, caret_); }
  std::size_t SelLength() const { return std::max(anchor_, caret_) - SelStart(); }
  void SetSelStart(std::size_t Value);
  void SetSelLength(std::size_t Value);
  void SelectAll();
  std::size_t CaretPosition() const { return caret_; }
  // Types text as a user does: it replaces the selection, up to the length limit.
  void TypeText(const std::string& Typed);

  bool Focusable() const override { return true; }
  bool WantsKey(WORD Key) const override;
  void TextInput(const std::string& Text) override;
  void MouseMove(TShiftState Shift, POINT At) override;
  void MouseUp(platform::MouseButton Button, TShiftState Shift, POINT At) override;
  void CancelMode() override { selecting_ = false; }
  void Paint(platform::Painter& Painter) override;

 protected:
  void DoKeyDown(WORD& Key, TShiftState Shift) override;
  void DoMouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) override;

 private:
  // Where the text starts inside the field.
  std::int32_t TextLeft() const;
  std::size_t PositionAt(std::int32_t X) const;
  void MoveCaret(std::size_t Position, bool Extend);
  void DeleteSelection();

  std::string text_;
  std::size_t maxLength_ = 0;
  TAlignment alignment_ = TAlignment::LeftJustify;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  bool selecting_ = false;
};

// A list of lines; with MultiSelect several can be selected, the way Ctrl and Shift extend it.
class TListBox : public TControl {
 public:
  explicit TListBox(std::string Name);

  const std::vector<std::string>& Items() const { return items_; }
  void AddItem(const std::string& Item);
  void ClearItems();
  // The item with the focus; -1 for none. Setting it selects that item alone.
  std::int32_t ItemIndex() const { return itemIndex_; }
  void SetItemIndex(std::int32_t Index);
  bool Selected(std::int32_t Index) const;
  void SetSelected(std::int32_t Index, bool Value);
  void SetMultiSelect(bool Value) { multiSelect_ = Value; }
  std::int32_t ItemHeight() const;
  // Chooses an item as a click on it does.
  void ChooseItem(std::int32_t Index, TShiftState Shift);

  bool Focusable() const override { return true; }
  bool WantsKey(WORD Key) const override;
  void Paint(platform::Painter& Painter) override;

 protected:
  void DoKeyDown(WORD& Key, TShiftState Shift) override;
  void DoMouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) override;

 private:
  void MakeVisible(std::int32_t Index);

  std::vector<std::string> items_;
  std::vector<bool> selected_;
  std::int32_t itemIndex_ = -1;
  std::int32_t anchor_ = -1;
  std::int32_t topIndex_ = 0;
  bool multiSelect_ = false;
};

class TCheckBox : public TControl {
 public:
  explicit TCheckBox(std::string Name);

  bool Checked() const { return checked_; }
  // A change fires OnClick, as the system's check box does.
  void SetChecked(bool Value);
  // Toggles and fires OnClick.
  void Click() override;

  bool Focusable() const override { return true; }
  void MouseUp(platform::MouseButton Button, TShiftState Shift, POINT At) override;
  void CancelMode() override;
  void Paint(platform::Painter& Painter) override;

 protected:
  void DoKeyDown(WORD& Key, TShiftState Shift) override;
  void DoKeyUp(WORD& Key, TShiftState Shift) override;
  void DoMouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) override;

 private:
  bool checked_ = false;
  bool pressed_ = false;
};

// A thumb on a channel between Min and Max, with a tick below every position.
class TTrackBar : public TControl {
 public:
  explicit TTrackBar(std::string Name);

  std::int32_t Min() const { return min_; }
  std::int32_t Max() const { return max_; }
  void SetRange(std::int32_t Min, std::int32_t Max);
  std::int32_t Position() const { return position_; }
  // Kept within Min and Max.
  void SetPosition(std::int32_t Value);
  // The x of a position's tick, in the control's coordinates.
  std::int32_t TickX(std::int32_t Value) const;

  bool Focusable() const override { return true; }
  bool WantsKey(WORD Key) const override;
  void MouseMove(TShiftState Shift, POINT At) override;
  void MouseUp(platform::MouseButton Button, TShiftState Shift, POINT At) override;
  void CancelMode() override { dragging_ = false; }
  void Paint(platform::Painter& Painter) override;

 protected:
  void DoKeyDown(WORD& Key, TShiftState Shift) override;
  void DoMouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) override;

 private:
  RECT ThumbRect() const;
  std::int32_t PositionAt(std::int32_t X) const;

  std::int32_t min_ = 0;
  std::int32_t max_ = 10;
  std::int32_t position_ = 0;
  bool dragging_ = false;
};

class TButton : public TControl {
 public:
  explicit TButton(std::string Name);

  // The form's default button: Enter presses it while no other button has the keyboard.
  void SetDefault(bool Value);
  bool Default() const;
  // The form's cancel button: Esc presses it.
  void SetCancel(bool Value);
  bool Cancel() const;

  bool Focusable() const override { return true; }
  bool IsButton() const override { return true; }
  void MouseMove(TShiftState Shift, POINT At) override;
  void MouseUp(platform::MouseButton Button, TShiftState Shift, POINT At) override;
  void CancelMode() override;
  void Paint(platform::Painter& Painter) override;

 protected:
  void DoKeyDown(WORD& Key, TShiftState Shift) override;
  void DoKeyUp(WORD& Key, TShiftState Shift) override;
  void DoMouseDown(platform::MouseButton Button, TShiftState Shift, POINT At) override;

 private:
  bool pressed_ = false;   // the button shows pushed in
  bool tracking_ = false;  // the left mouse button went down on it
};

// A picture kept with the form, centred, optionally leaving out its transparent colour: the
// colour of its bottom-left pixel.
class TImage : public TControl {
 public:
  explicit TImage(std::string Name);

  // From the bytes of a BMP file; bytes that are not one leave the image empty.
  void LoadPicture(std::span<const std::uint8_t> BmpBytes);
  const platform::Bitmap& Picture() const { return picture_; }
  void SetTransparent(bool Value);
  void SetCenter(bool Value);

  void Paint(platform::Painter& Painter) override;

 private:
  platform::Bitmap picture_;
  bool transparent_ = false;
  bool center_ = false;
};
