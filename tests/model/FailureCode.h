#pragma once

#include "model/Failure.h"

namespace velmora {

// The code of the failure a call raises, 0 when it raises none.
template <typename F>
int FailureCode(F&& f) {
  try {
    f();
  } catch (const Failure& failure) {
    return failure.code;
  }
  return 0;
}

}  // namespace velmora
