#pragma once
// The base of the graphics classes: a failing DirectDraw call becomes an EVXGGraphicsError that
// names the object's class and the operation.

#include "VXGGraphicsError.h"

class TVXGGraphicsObject : public TVXGObject {
 protected:
  void Check(std::string_view Operation, HRESULT Result) const {
    CheckResult<EVXGGraphicsError>(*this, Operation, Result);
  }
};
