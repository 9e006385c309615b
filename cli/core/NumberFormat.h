#pragma once

// The exact number texts live with the model now; this name stays for the
// command line's code until its includes move.
#include "model/NumberFormat.h"
