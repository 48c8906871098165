#include "VXGGraphicsError.h"

std::string DirectDrawErrorText(std::int32_t Code) {
  switch (static_cast<std::uint32_t>(Code)) {
    case 0x00000000: return "The request completed successfully.";
    default: return "Unrecognized Error";
  }
}
