#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

#include "VXGGraphicsError.h"
#include "platform/ddraw/DDrawResults.h"

namespace {

struct DirectDrawResultText {
  std::uint32_t code;
  std::string_view text;
};

constexpr std::uint32_t Code(HRESULT Result) { return static_cast<std::uint32_t>(Result); }

// Sorted by code (as unsigned), so a lookup is a binary search. A few sentences lack the closing
// full stop; they keep the exact wording the messages have always had.
constexpr std::array<DirectDrawResultText, 108> ResultTexts{{
    {Code(DD_OK), "The request completed successfully."},
    {Code(DDERR_UNSUPPORTED), "Action not supported."},
    {Code(DDERR_GENERIC), "Generic failure."},
    {Code(DDERR_NOTINITIALIZED), "The DirectDraw object was used before it was initialized."},
    {Code(DDERR_OUTOFMEMORY), "DirectDraw does not have enough memory to perform the operation."},
    {Code(DDERR_INVALIDPARAMS), "One or more of the parameters passed to the function are incorrect."},
    {Code(DDERR_ALREADYINITIALIZED), "The object has already been initialized."},
    {Code(DDERR_CANNOTATTACHSURFACE), "This surface cannot be attached to the requested surface."},
    {Code(DDERR_CANNOTDETACHSURFACE), "This surface cannot be detached from the requested surface."},
    {Code(DDERR_CURRENTLYNOTAVAIL), "No support is currently available for this operation."},
    {Code(DDERR_EXCEPTION), "An exception occurred while the operation was being performed."},
    {Code(DDERR_HEIGHTALIGN), "The height of the rectangle is not a multiple of the required alignment."},
    {Code(DDERR_INCOMPATIBLEPRIMARY), "The requested primary surface does not match the existing primary surface."},
    {Code(DDERR_INVALIDCAPS), "One or more of the capability bits passed to the function are incorrect."},
    {Code(DDERR_INVALIDCLIPLIST), "DirectDraw does not support the clip list that was provided."},
    {Code(DDERR_INVALIDMODE), "DirectDraw does not support the requested display mode."},
    {Code(DDERR_INVALIDOBJECT), "DirectDraw received a pointer to an object that is not valid."},
    {Code(DDERR_INVALIDPIXELFORMAT), "The pixel format that was given is not valid."},
    {Code(DDERR_INVALIDRECT), "The rectangle that was given is not valid."},
    {Code(DDERR_LOCKEDSURFACES), "The operation cannot proceed because one or more surfaces are locked."},
    {Code(DDERR_NO3D), "No 3D hardware or emulation is present."},
    {Code(DDERR_NOALPHAHW), "No alpha blending hardware is present or available for this operation."},
    {Code(DDERR_NOCLIPLIST), "No clip list is available."},
    {Code(DDERR_NOCOLORCONVHW), "No color conversion hardware is present or available for this operation."},
    {Code(DDERR_NOCOOPERATIVELEVELSET), "The operation needs a cooperative level, but none has been set."},
    {Code(DDERR_NOCOLORKEY), "Surface does not currently have a color key"},
    {Code(DDERR_NOCOLORKEYHW), "No hardware support for the destination color key is present."},
    {Code(DDERR_NOEXCLUSIVEMODE), "The operation requires exclusive mode, but the application does not hold it."},
    {Code(DDERR_NOFLIPHW), "The hardware does not support flipping visible surfaces."},
    {Code(DDERR_NOGDI), "No GDI is present."},
    {Code(DDERR_NOMIRRORHW), "No mirroring hardware is present or available for this operation."},
    {Code(DDERR_NOTFOUND), "The requested item was not found."},
    {Code(DDERR_NOOVERLAYHW), "No overlay hardware is present or available for this operation."},
    {Code(DDERR_OVERLAPPINGRECTS), "The source and destination rectangles lie on the same surface and overlap."},
    {Code(DDERR_NORASTEROPHW), "No hardware support is present for the requested raster operation."},
    {Code(DDERR_NOROTATIONHW), "No rotation hardware is present or available for this operation."},
    {Code(DDERR_NOSTRETCHHW), "The hardware does not support stretching."},
    {Code(DDERR_NOT4BITCOLOR), "The surface must use a 4-bit palette for this operation."},
    {Code(DDERR_NOT4BITCOLORINDEX), "The surface must use a 4-bit color index palette for this operation."},
    {Code(DDERR_NOT8BITCOLOR), "The surface must use an 8-bit palette for this operation."},
    {Code(DDERR_NOTEXTUREHW), "No texture mapping hardware is present or available for this operation."},
    {Code(DDERR_NOVSYNCHW), "The hardware does not support waiting for the vertical blank."},
    {Code(DDERR_NOZBUFFERHW), "The hardware does not support Z-buffers."},
    {Code(DDERR_NOZOVERLAYHW), "The hardware cannot order overlay surfaces by their Z-order."},
    {Code(DDERR_OUTOFCAPS), "The hardware needed for this operation has already been allocated."},
    {Code(DDERR_OVERLAYCANTCLIP), "The hardware does not support clipping of overlays."},
    {Code(DDERR_OVERLAYCOLORKEYONLYONEACTIVE), "Only one color key may be active on an overlay at a time."},
    {Code(DDERR_PALETTEBUSY), "Access to the palette is refused because another thread has locked it."},
    {Code(DDERR_COLORKEYNOTSET), "No source color key has been set for this operation."},
    {Code(DDERR_SURFACEALREADYATTACHED), "The surface is already attached to the surface it was to be attached to."},
    {Code(DDERR_SURFACEALREADYDEPENDENT), "The surface already depends on the surface it was to be made dependent on."},
    {Code(DDERR_SURFACEBUSY), "Access to the surface is refused because another thread has locked it."},
    {Code(DDERR_SURFACEISOBSCURED), "Access to the surface is refused because another window covers it."},
    {Code(DDERR_SURFACELOST),
     "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object "
     "representing this surface should have Restore called on it."},
    {Code(DDERR_SURFACENOTATTACHED), "The requested surface is not attached."},
    {Code(DDERR_TOOBIGHEIGHT), "The requested height is larger than DirectDraw can create."},
    {Code(DDERR_TOOBIGSIZE), "The requested size is larger than DirectDraw can create."},
    {Code(DDERR_TOOBIGWIDTH), "The requested width is larger than DirectDraw can create."},
    {Code(DDERR_UNSUPPORTEDFORMAT), "The requested FourCC format is not supported."},
    {Code(DDERR_UNSUPPORTEDMASK), "The bit mask given in the pixel format is not supported."},
    {Code(DDERR_INVALIDSTREAM), "The given stream contains data that is not valid."},
    {Code(DDERR_VERTICALBLANKINPROGRESS), "A vertical blank is in progress."},
    {Code(DDERR_WASSTILLDRAWING), "The previous blit to or from this surface has not finished yet."},
    {Code(DDERR_XALIGN), "The horizontal position of the rectangle is not aligned on the required boundary."},
    {Code(DDERR_INVALIDDIRECTDRAWGUID), "The GUID given to DirectDrawCreate does not name a valid DirectDraw driver."},
    {Code(DDERR_DIRECTDRAWALREADYCREATED),
     "A DirectDraw object for this driver has already been created in this process."},
    {Code(DDERR_NODIRECTDRAWHW),
     "A hardware-only DirectDraw object cannot be created because the driver has no hardware support."},
    {Code(DDERR_PRIMARYSURFACEALREADYEXISTS), "This process has already created a primary surface."},
    {Code(DDERR_NOEMULATION), "Software emulation is not available."},
    {Code(DDERR_REGIONTOOSMALL), "The region given to GetClipList is too small."},
    {Code(DDERR_CLIPPERISUSINGHWND), "A clip list cannot be set on a clipper that is already tracking a window."},
    {Code(DDERR_NOCLIPPERATTACHED), "No clipper is attached to the surface."},
    {Code(DDERR_NOHWND), "No window has been set for the clipper or the cooperative level."},
    {Code(DDERR_HWNDSUBCLASSED),
     "DirectDraw cannot restore its state because the window it cooperates with has been subclassed."},
    {Code(DDERR_HWNDALREADYSET),
     "The cooperative level window is already set and cannot be changed while surfaces or palettes exist."},
    {Code(DDERR_NOPALETTEATTACHED), "No palette is attached to the surface."},
    {Code(DDERR_NOPALETTEHW), "The hardware does not support 16 or 256 color palettes."},
    {Code(DDERR_BLTFASTCANTCLIP), "BltFast cannot be used on a surface that has a clipper attached."},
    {Code(DDERR_NOBLTHW), "No blitter hardware is present."},
    {Code(DDERR_NODDROPSHW), "The hardware does not support DirectDraw raster operations."},
    {Code(DDERR_OVERLAYNOTVISIBLE), "The position of an overlay that is hidden was requested."},
    {Code(DDERR_NOOVERLAYDEST), "The overlay has no destination because UpdateOverlay has not been called for it yet."},
    {Code(DDERR_INVALIDPOSITION), "The overlay position on the destination surface is not valid."},
    {Code(DDERR_NOTAOVERLAYSURFACE), "An overlay operation was requested on a surface that is not an overlay."},
    {Code(DDERR_EXCLUSIVEMODEALREADYSET), "Another application already holds exclusive mode."},
    {Code(DDERR_NOTFLIPPABLE), "The surface cannot be flipped because it is not part of a flipping chain."},
    {Code(DDERR_CANTDUPLICATE),
     "This surface cannot be duplicated because it is a primary, 3D or implicitly created surface."},
    {Code(DDERR_NOTLOCKED), "The surface cannot be unlocked because it is not locked."},
    {Code(DDERR_CANTCREATEDC), "Windows cannot create a device context for this surface."},
    {Code(DDERR_NODC), "No device context exists for this surface."},
    {Code(DDERR_WRONGMODE), "This surface can not be restored because it was created in a different mode."},
    {Code(DDERR_IMPLICITLYCREATED), "This surface cannot be restored because it was created implicitly."},
    {Code(DDERR_NOTPALETTIZED), "The surface does not use a palette."},
    {Code(DDERR_UNSUPPORTEDMODE), "The display is currently in a mode that is not supported."},
    {Code(DDERR_NOMIPMAPHW), "No mipmap texture mapping hardware is present or available for this operation."},
    {Code(DDERR_INVALIDSURFACETYPE), "The surface is of the wrong type for this operation."},
    {Code(DDERR_NOOPTIMIZEHW), "The device does not support optimized surfaces."},
    {Code(DDERR_NOTLOADED), "The optimized surface has no memory yet because it has not been loaded."},
    {Code(DDERR_NOFOCUSWINDOW), "A device window was created or set before the focus window was set."},
    {Code(DDERR_DCALREADYCREATED), "A device context has already been handed out for this surface."},
    {Code(DDERR_NONONLOCALVIDMEM), "The operation needs non-local video memory, which the device does not support."},
    {Code(DDERR_CANTPAGELOCK), "The surface could not be page locked."},
    {Code(DDERR_CANTPAGEUNLOCK), "The surface could not be page unlocked."},
    {Code(DDERR_NOTPAGELOCKED), "The surface cannot be page unlocked because it is not page locked."},
    {Code(DDERR_MOREDATA), "More data is available than the given buffer can hold."},
    {Code(DDERR_EXPIRED), "The data has expired and is no longer valid."},
    {Code(DDERR_VIDEONOTACTIVE), "The video port is not active."},
    {Code(DDERR_DEVICEDOESNTOWNSURFACE), "The surface belongs to another DirectDraw device and cannot be used here."},
}};

static_assert(std::ranges::adjacent_find(ResultTexts, std::ranges::greater_equal{}, &DirectDrawResultText::code) ==
                  ResultTexts.end(),
              "result codes must be sorted and unique for the binary search");

}  // namespace

std::string DirectDrawErrorText(std::int32_t Code) {
  const auto key = static_cast<std::uint32_t>(Code);
  const auto row = std::ranges::lower_bound(ResultTexts, key, std::ranges::less{}, &DirectDrawResultText::code);
  if (row == ResultTexts.end() || row->code != key) return "Unrecognized Error";
  return std::string(row->text);
}
