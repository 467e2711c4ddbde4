// morlune as a library: the one header a program includes to open compiled
// shape fonts and source text, decompile and compile them, draw their
// glyphs and text as data, check them, and convert them to and from the
// interchange formats.
#pragma once

#include <morlune/check.h>
#include <morlune/compile.h>
#include <morlune/convert.h>
#include <morlune/draw.h>
#include <morlune/font.h>
#include <morlune/geometry.h>
#include <morlune/result.h>
#include <morlune/text.h>
#include <morlune/version.h>
