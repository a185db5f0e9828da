// The platform library hides its symbols; the font functions the DC layer calls and the
// helpers the tests check directly are exported so the test executable can link them.
#pragma once

#define FIG_FONT_EXPORT __attribute__((visibility("default")))
