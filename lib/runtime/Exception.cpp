#include "Exception.h"

EListError EListError::IndexOutOfBounds(int index) {
  return EListError("List index out of bounds (" + std::to_string(index) + ")");
}
