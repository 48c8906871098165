#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

#include "VXGGraphicsError.h"

namespace {

struct DirectDrawResultText {
  std::uint32_t code;
  std::string_view text;
};

// Sorted by code (as unsigned, the way the constants are written), so a lookup is a binary search. A few
// sentences lack the closing full stop; they keep the exact wording the messages have always had.
constexpr std::array<DirectDrawResultText, 108> ResultTexts{{
    // DD_OK
    {0x00000000, "The request completed successfully."},
    // DDERR_UNSUPPORTED
    {0x80004001, "Action not supported."},
    // DDERR_GENERIC
    {0x80004005, "Generic failure."},
    // DDERR_NOTINITIALIZED
    {0x800401F0, "The DirectDraw object was used before it was initialized."},
    // DDERR_OUTOFMEMORY
    {0x8007000E, "DirectDraw does not have enough memory to perform the operation."},
    // DDERR_INVALIDPARAMS
    {0x80070057, "One or more of the parameters passed to the function are incorrect."},
    // DDERR_ALREADYINITIALIZED
    {0x88760005, "The object has already been initialized."},
    // DDERR_CANNOTATTACHSURFACE
    {0x8876000A, "This surface cannot be attached to the requested surface."},
    // DDERR_CANNOTDETACHSURFACE
    {0x88760014, "This surface cannot be detached from the requested surface."},
    // DDERR_CURRENTLYNOTAVAIL
    {0x88760028, "No support is currently available for this operation."},
    // DDERR_EXCEPTION
    {0x88760037, "An exception occurred while the operation was being performed."},
    // DDERR_HEIGHTALIGN
    {0x8876005A, "The height of the rectangle is not a multiple of the required alignment."},
    // DDERR_INCOMPATIBLEPRIMARY
    {0x8876005F, "The requested primary surface does not match the existing primary surface."},
    // DDERR_INVALIDCAPS
    {0x88760064, "One or more of the capability bits passed to the function are incorrect."},
    // DDERR_INVALIDCLIPLIST
    {0x8876006E, "DirectDraw does not support the clip list that was provided."},
    // DDERR_INVALIDMODE
    {0x88760078, "DirectDraw does not support the requested display mode."},
    // DDERR_INVALIDOBJECT
    {0x88760082, "DirectDraw received a pointer to an object that is not valid."},
    // DDERR_INVALIDPIXELFORMAT
    {0x88760091, "The pixel format that was given is not valid."},
    // DDERR_INVALIDRECT
    {0x88760096, "The rectangle that was given is not valid."},
    // DDERR_LOCKEDSURFACES
    {0x887600A0, "The operation cannot proceed because one or more surfaces are locked."},
    // DDERR_NO3D
    {0x887600AA, "No 3D hardware or emulation is present."},
    // DDERR_NOALPHAHW
    {0x887600B4, "No alpha blending hardware is present or available for this operation."},
    // DDERR_NOCLIPLIST
    {0x887600CD, "No clip list is available."},
    // DDERR_NOCOLORCONVHW
    {0x887600D2, "No color conversion hardware is present or available for this operation."},
    // DDERR_NOCOOPERATIVELEVELSET
    {0x887600D4, "The operation needs a cooperative level, but none has been set."},
    // DDERR_NOCOLORKEY
    {0x887600D7, "Surface does not currently have a color key"},
    // DDERR_NOCOLORKEYHW
    {0x887600DC, "No hardware support for the destination color key is present."},
    // DDERR_NOEXCLUSIVEMODE
    {0x887600E1, "The operation requires exclusive mode, but the application does not hold it."},
    // DDERR_NOFLIPHW
    {0x887600E6, "The hardware does not support flipping visible surfaces."},
    // DDERR_NOGDI
    {0x887600F0, "No GDI is present."},
    // DDERR_NOMIRRORHW
    {0x887600FA, "No mirroring hardware is present or available for this operation."},
    // DDERR_NOTFOUND
    {0x887600FF, "The requested item was not found."},
    // DDERR_NOOVERLAYHW
    {0x88760104, "No overlay hardware is present or available for this operation."},
    // DDERR_OVERLAPPINGRECTS
    {0x8876010E, "The source and destination rectangles lie on the same surface and overlap."},
    // DDERR_NORASTEROPHW
    {0x88760118, "No hardware support is present for the requested raster operation."},
    // DDERR_NOROTATIONHW
    {0x88760122, "No rotation hardware is present or available for this operation."},
    // DDERR_NOSTRETCHHW
    {0x88760136, "The hardware does not support stretching."},
    // DDERR_NOT4BITCOLOR
    {0x8876013C, "The surface must use a 4-bit palette for this operation."},
    // DDERR_NOT4BITCOLORINDEX
    {0x8876013D, "The surface must use a 4-bit color index palette for this operation."},
    // DDERR_NOT8BITCOLOR
    {0x88760140, "The surface must use an 8-bit palette for this operation."},
    // DDERR_NOTEXTUREHW
    {0x8876014A, "No texture mapping hardware is present or available for this operation."},
    // DDERR_NOVSYNCHW
    {0x8876014F, "The hardware does not support waiting for the vertical blank."},
    // DDERR_NOZBUFFERHW
    {0x88760154, "The hardware does not support Z-buffers."},
    // DDERR_NOZOVERLAYHW
    {0x8876015E, "The hardware cannot order overlay surfaces by their Z-order."},
    // DDERR_OUTOFCAPS
    {0x88760168, "The hardware needed for this operation has already been allocated."},
    // DDERR_OVERLAYCANTCLIP
    {0x8876017E, "The hardware does not support clipping of overlays."},
    // DDERR_OVERLAYCOLORKEYONLYONEACTIVE
    {0x88760180, "Only one color key may be active on an overlay at a time."},
    // DDERR_PALETTEBUSY
    {0x88760183, "Access to the palette is refused because another thread has locked it."},
    // DDERR_COLORKEYNOTSET
    {0x88760190, "No source color key has been set for this operation."},
    // DDERR_SURFACEALREADYATTACHED
    {0x8876019A, "The surface is already attached to the surface it was to be attached to."},
    // DDERR_SURFACEALREADYDEPENDENT
    {0x887601A4, "The surface already depends on the surface it was to be made dependent on."},
    // DDERR_SURFACEBUSY
    {0x887601AE, "Access to the surface is refused because another thread has locked it."},
    // DDERR_SURFACEISOBSCURED
    {0x887601B8, "Access to the surface is refused because another window covers it."},
    // DDERR_SURFACELOST
    {0x887601C2,
     "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object "
     "representing this surface should have Restore called on it."},
    // DDERR_SURFACENOTATTACHED
    {0x887601CC, "The requested surface is not attached."},
    // DDERR_TOOBIGHEIGHT
    {0x887601D6, "The requested height is larger than DirectDraw can create."},
    // DDERR_TOOBIGSIZE
    {0x887601E0, "The requested size is larger than DirectDraw can create."},
    // DDERR_TOOBIGWIDTH
    {0x887601EA, "The requested width is larger than DirectDraw can create."},
    // DDERR_UNSUPPORTEDFORMAT
    {0x887601FE, "The requested FourCC format is not supported."},
    // DDERR_UNSUPPORTEDMASK
    {0x88760208, "The bit mask given in the pixel format is not supported."},
    // DDERR_INVALIDSTREAM
    {0x88760209, "The given stream contains data that is not valid."},
    // DDERR_VERTICALBLANKINPROGRESS
    {0x88760219, "A vertical blank is in progress."},
    // DDERR_WASSTILLDRAWING
    {0x8876021C, "The previous blit to or from this surface has not finished yet."},
    // DDERR_XALIGN
    {0x88760230, "The horizontal position of the rectangle is not aligned on the required boundary."},
    // DDERR_INVALIDDIRECTDRAWGUID
    {0x88760231, "The GUID given to DirectDrawCreate does not name a valid DirectDraw driver."},
    // DDERR_DIRECTDRAWALREADYCREATED
    {0x88760232, "A DirectDraw object for this driver has already been created in this process."},
    // DDERR_NODIRECTDRAWHW
    {0x88760233, "A hardware-only DirectDraw object cannot be created because the driver has no hardware support."},
    // DDERR_PRIMARYSURFACEALREADYEXISTS
    {0x88760234, "This process has already created a primary surface."},
    // DDERR_NOEMULATION
    {0x88760235, "Software emulation is not available."},
    // DDERR_REGIONTOOSMALL
    {0x88760236, "The region given to GetClipList is too small."},
    // DDERR_CLIPPERISUSINGHWND
    {0x88760237, "A clip list cannot be set on a clipper that is already tracking a window."},
    // DDERR_NOCLIPPERATTACHED
    {0x88760238, "No clipper is attached to the surface."},
    // DDERR_NOHWND
    {0x88760239, "No window has been set for the clipper or the cooperative level."},
    // DDERR_HWNDSUBCLASSED
    {0x8876023A, "DirectDraw cannot restore its state because the window it cooperates with has been subclassed."},
    // DDERR_HWNDALREADYSET
    {0x8876023B, "The cooperative level window is already set and cannot be changed while surfaces or palettes exist."},
    // DDERR_NOPALETTEATTACHED
    {0x8876023C, "No palette is attached to the surface."},
    // DDERR_NOPALETTEHW
    {0x8876023D, "The hardware does not support 16 or 256 color palettes."},
    // DDERR_BLTFASTCANTCLIP
    {0x8876023E, "BltFast cannot be used on a surface that has a clipper attached."},
    // DDERR_NOBLTHW
    {0x8876023F, "No blitter hardware is present."},
    // DDERR_NODDROPSHW
    {0x88760240, "The hardware does not support DirectDraw raster operations."},
    // DDERR_OVERLAYNOTVISIBLE
    {0x88760241, "The position of an overlay that is hidden was requested."},
    // DDERR_NOOVERLAYDEST
    {0x88760242, "The overlay has no destination because UpdateOverlay has not been called for it yet."},
    // DDERR_INVALIDPOSITION
    {0x88760243, "The overlay position on the destination surface is not valid."},
    // DDERR_NOTAOVERLAYSURFACE
    {0x88760244, "An overlay operation was requested on a surface that is not an overlay."},
    // DDERR_EXCLUSIVEMODEALREADYSET
    {0x88760245, "Another application already holds exclusive mode."},
    // DDERR_NOTFLIPPABLE
    {0x88760246, "The surface cannot be flipped because it is not part of a flipping chain."},
    // DDERR_CANTDUPLICATE
    {0x88760247, "This surface cannot be duplicated because it is a primary, 3D or implicitly created surface."},
    // DDERR_NOTLOCKED
    {0x88760248, "The surface cannot be unlocked because it is not locked."},
    // DDERR_CANTCREATEDC
    {0x88760249, "Windows cannot create a device context for this surface."},
    // DDERR_NODC
    {0x8876024A, "No device context exists for this surface."},
    // DDERR_WRONGMODE
    {0x8876024B, "This surface can not be restored because it was created in a different mode."},
    // DDERR_IMPLICITLYCREATED
    {0x8876024C, "This surface cannot be restored because it was created implicitly."},
    // DDERR_NOTPALETTIZED
    {0x8876024D, "The surface does not use a palette."},
    // DDERR_UNSUPPORTEDMODE
    {0x8876024E, "The display is currently in a mode that is not supported."},
    // DDERR_NOMIPMAPHW
    {0x8876024F, "No mipmap texture mapping hardware is present or available for this operation."},
    // DDERR_INVALIDSURFACETYPE
    {0x88760250, "The surface is of the wrong type for this operation."},
    // DDERR_NOOPTIMIZEHW
    {0x88760258, "The device does not support optimized surfaces."},
    // DDERR_NOTLOADED
    {0x88760259, "The optimized surface has no memory yet because it has not been loaded."},
    // DDERR_NOFOCUSWINDOW
    {0x8876025A, "A device window was created or set before the focus window was set."},
    // DDERR_DCALREADYCREATED
    {0x8876026C, "A device context has already been handed out for this surface."},
    // DDERR_NONONLOCALVIDMEM
    {0x88760276, "The operation needs non-local video memory, which the device does not support."},
    // DDERR_CANTPAGELOCK
    {0x88760280, "The surface could not be page locked."},
    // DDERR_CANTPAGEUNLOCK
    {0x88760294, "The surface could not be page unlocked."},
    // DDERR_NOTPAGELOCKED
    {0x887602A8, "The surface cannot be page unlocked because it is not page locked."},
    // DDERR_MOREDATA
    {0x887602B2, "More data is available than the given buffer can hold."},
    // DDERR_EXPIRED
    {0x887602B3, "The data has expired and is no longer valid."},
    // DDERR_VIDEONOTACTIVE
    {0x887602B7, "The video port is not active."},
    // DDERR_DEVICEDOESNTOWNSURFACE
    {0x887602BB, "The surface belongs to another DirectDraw device and cannot be used here."},
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
