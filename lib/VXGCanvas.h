#pragma once
// A canvas on a surface's device context, for text and device-context copies. The context is
// taken at the first drawing and given back when the canvas goes; the surface takes no blits
// in between.

#include <exception>
#include <string>

#include "VXGSurface.h"
#include "lib/runtime/Canvas.h"

class TVXGGraphicsCanvas : public TCanvas {};

class TVXGCanvas final : public TVXGGraphicsCanvas {
 public:
  // Raises "TVXGCanvas.Create: ASurface = nil" without a surface.
  explicit TVXGCanvas(TVXGSurface* Surface);
  TVXGCanvas(const TVXGCanvas&) = delete;
  TVXGCanvas& operator=(const TVXGCanvas&) = delete;
  // Gives the context back, and raises when the platform refuses; silent while another exception
  // unwinds the stack.
  ~TVXGCanvas() noexcept(false) override;

  TVXGSurface& Surface() const { return surface_; }
  // Gives the context back, if one is held; raises when the platform refuses it.
  void ReleaseHandle();
  // Text with its shadow one pixel right and down, shadow first, in the canvas's font and brush.
  void ShadowText(std::int32_t X, std::int32_t Y, TColor Color, TColor ShadowColor, const std::string& Text);

 protected:
  void CreateHandle() override;

 private:
  void Check(std::string_view Operation, HRESULT Result) const {
    CheckResult<EVXGGraphicsError>(*this, Operation, Result);
  }

  TVXGSurface& surface_;
  HDC dc_ = nullptr;
  int uncaughtAtCreation_ = std::uncaught_exceptions();
};
