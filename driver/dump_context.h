// The state of one run: the streams, the options, the variant, the indexes
// of the font being read and the output column of the source text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fontfile/index_entries.h"
#include "fontfile/shape_file_kind.h"
#include "platform/byte_input.h"
#include "platform/message_library.h"
#include "platform/text_output.h"

namespace morlune {

struct DumpContext {
  // The driver's: the streams, the two option flags and the variant.
  ByteInput input;
  TextOutput output;
  TextOutput errors;
  int decimalCodes = 0;
  int escapedNames = 0;
  ShapeFileKind kind = ShapeFileKind::kUnknown;
  MessageLibrary* resourceLibrary = nullptr;
  std::string usageSynopsis;

  // The font reader's: the indexes and where the record cursor stands.
  std::vector<ShapeIndexEntry> shapeIndex;
  int shapeCursor = 0;
  std::vector<EscapeRange> escapeRanges;
  int escapeRangeCount = 0;
  std::vector<BigfontIndexEntry> bigfontIndex;
  int bigfontCursor = 0;
  int nonEmptyCount = 0;

  // The source writer's: characters written since the last line end.
  std::int32_t outputColumn = 0;

  // The default-name lookup's: the text of the last escape name.
  char escapeNameBuffer[8] = {};
};

}  // namespace morlune
