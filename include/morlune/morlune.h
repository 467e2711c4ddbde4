// morlune as a library: the one header a program includes to open compiled
// shape fonts and source text, decompile and compile them, and draw their
// glyphs and text as data.
#pragma once

#include <morlune/compile.h>
#include <morlune/font.h>
#include <morlune/geometry.h>
#include <morlune/result.h>
#include <morlune/text.h>
