#pragma once
// The runtime's canvas: text in a font and colour on a device context, over a brush that is clear
// or solid. Descendants say where the device context comes from.

#include <cstdint>
#include <string>

#include "Object.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Graphics.h"

enum class TBrushStyle : std::uint8_t { Solid, Clear };

struct TBrush {
  TBrushStyle Style = TBrushStyle::Solid;
  TColor Color = 0x00FFFFFF;
};

class TCanvas : public TObject {
 public:
  TCanvas() = default;
  ~TCanvas() override;

  TFont Font;
  TBrush Brush;

  // The device context, taken from the descendant at first use.
  HDC Handle();
  void TextOut(std::int32_t X, std::int32_t Y, const std::string& Text);

 protected:
  // Called when a context is first needed; sets it with SetHandle.
  virtual void CreateHandle() = 0;
  // A new context, or none; the font is selected into it again when next needed.
  void SetHandle(HDC Handle);

 private:
  void PrepareText();

  HDC handle_ = nullptr;
  HFONT font_ = nullptr;
  TFont fontMade_;
};
