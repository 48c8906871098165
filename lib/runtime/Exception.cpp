#include "Exception.h"

EListError EListError::IndexOutOfBounds(int index) {
  return EListError("Listenindex \xFC" "berschreitet das Maximum (" + std::to_string(index) + ")");
}
