/*
 * Windows build of the host simulator: the test hooks of the portable platform are
 * implemented by test support (tests/support/win/api_hooks.cpp) and linked statically,
 * so they are declared here without the dllimport that WINBASEAPI means in mingw's headers.
 */
#ifndef FIGSIM_WIN_FIGPLATFORM_H
#define FIGSIM_WIN_FIGPLATFORM_H

#include <windows.h>

#pragma push_macro("WINBASEAPI")
#undef WINBASEAPI
#define WINBASEAPI
#include "../../../../platform/include/figplatform.h"
#pragma pop_macro("WINBASEAPI")

#endif
