#pragma once
// A form: a top-level window with its controls. It owns the window once it is shown, paints its
// controls into it, keeps track of the control that has the keyboard, and routes keys, text and
// clicks as the system's dialogs do: Tab moves the keyboard, Enter reaches the default button,
// Alt with a letter presses the control it marks, the rest goes to the control with the keyboard,
// or to the form itself when none has it.

#include <memory>

#include "Control.h"

class TApplication;
class TButton;

enum class TFormBorderStyle { None, Single };
enum class TPosition { Designed, ScreenCenter };
enum class TCursor { Default, None };

class TForm : public TControl {
 public:
  using TCloseQueryEvent = std::function<void(TForm& Sender, bool& CanClose)>;

  TForm(TApplication& Application, std::string Name);
  ~TForm() override;

  TApplication& Application() const { return application_; }
  TForm* Form() const override { return const_cast<TForm*>(this); }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Style) { borderStyle_ = Style; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Position) { position_ = Position; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Cursor);
  // Form bounds are in screen pixels; its controls lie in its client area, which is all of it.
  void SetBounds(std::int32_t Left, std::int32_t Top, std::int32_t Width, std::int32_t Height) override;

  // The button that Enter presses when the control with the keyboard is not a button.
  TButton* DefaultButton() const { return defaultButton_; }
  void SetDefaultButton(TButton* Button);
  // The button that Esc presses.
  TButton* CancelButton() const { return cancelButton_; }
  void SetCancelButton(TButton* Button) { cancelButton_ = Button; }
  // A dialog inside the form: while one is set, only it and what lies inside it can be reached;
  // clicks elsewhere are lost and the keyboard stays inside. Null ends it.
  TControl* ModalControl() const { return modalControl_; }
  void SetModalControl(TControl* Control);

  TControl* ActiveControl() const { return activeControl_; }
  // Gives the control the keyboard; null gives it to the form itself.
  void SetActiveControl(TControl* Control);
  // The next (or previous) control in Tab order that can take the keyboard.
  void SelectNext(bool Forward);
  // Called when a control's visibility or enabling changed: the keyboard leaves what cannot keep it.
  void CheckFocus();

  // The window, made by Show; null before.
  HWND Handle() const { return window_.get(); }
  bool Showing() const { return window_ != nullptr && Visible(); }
  void Show();
  // Asks OnCloseQuery and closes the form; closing the main form ends the application.
  void Close();
  // The form is painted again at the next message processing.
  void Invalidate();
  // The form is painted again now.
  void Repaint();
  void PaintIfInvalid();

  // Runs OnCreate once the whole form is built; the application calls it.
  void AfterConstruction();
  // Runs OnDestroy while the form is still whole; the application calls it.
  void BeforeDestruction();

  void HandleInput(const platform::InputEvent& Event);

  TNotifyEvent OnCreate;
  TNotifyEvent OnPaint;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDestroy;
  TCloseQueryEvent OnCloseQuery;
  // The window manager asks the window to close; without a handler the form closes.
  TNotifyEvent OnCloseRequest;

 private:
  void PaintWindow();
  void PaintTree(TControl& Control, platform::Painter& Painter);
  void Present();
  void KeyDownEvent(WORD Key, TShiftState Shift);
  bool DialogKey(TControl* Target, WORD Key, TShiftState Shift);
  bool Accelerator(WORD Key, TShiftState Shift);
  void MouseDownEvent(const platform::InputEvent& Event);
  // The deepest showing control under a point of the client area; the form itself when none is.
  TControl& ControlAt(POINT At);
  void CollectTabOrder(TControl& Parent, std::vector<TControl*>& Order);

  TApplication& application_;
  std::unique_ptr<platform::Window> window_;
  platform::Bitmap picture_;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::Single;
  TPosition position_ = TPosition::Designed;
  TCursor cursor_ = TCursor::Default;
  TButton* defaultButton_ = nullptr;
  TButton* cancelButton_ = nullptr;
  TControl* modalControl_ = nullptr;
  TControl* activeControl_ = nullptr;
  TControl* mouseCapture_ = nullptr;
  bool invalid_ = false;
  bool painting_ = false;
  bool closed_ = false;
};
