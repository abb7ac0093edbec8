// The fakes are header-only; this file gives the support library a home.
#include "tests/support/fake_clocks.h"
