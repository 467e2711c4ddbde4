// The numbered messages: every text that morlune shows its user, from the
// message library when one was loaded, otherwise from the built-in table.
#pragma once

#include <string>
#include <string_view>

#include "driver/dump_context.h"

namespace morlune {

enum MessageId : unsigned {
  IDS_CANNOT_OPEN_OUTPUT = 1207,
  IDS_CANNOT_OPEN_INPUT = 1208,
  IDS_BANNER = 1209,
  IDS_NOT_A_FONT_FILE = 1210,
  IDS_OLD_REVISION = 1211,
  IDS_NO_SHAPE_INDEX = 1212,
  IDS_NO_HASH_TABLE = 1213,
  IDS_BAD_ENTRY_SIZE = 1214,
  IDS_USAGE_TITLE = 1215,
  IDS_USAGE_OWNER = 1216,
  IDS_USAGE_VERSION = 1217,
  IDS_USAGE_HELP = 1218,
  IDS_USAGE_DECIMAL = 1219,
  IDS_USAGE_ESCAPES = 1220,
  IDS_USAGE_OUTPUT = 1221,
  IDS_USAGE_SYNOPSIS = 1222,
};

// The built-in text of id, or null when the table has none.
const char* BuiltInMessage(unsigned id);

// The text of id from the source chosen for the run: the loaded library
// alone, or the built-in table alone. A missing text is empty.
std::string LoadMessage(const DumpContext& context, unsigned id);

// Writes a text that serves as a format with no arguments: "%%" stands for
// one "%", and any other "%" is written as it stands.
void WriteFormatText(TextOutput& stream, std::string_view text);

// Writes the error line "morlune: TEXT.\n" to the error stream.
void ReportError(DumpContext& context, std::string_view text);
void ReportMessage(DumpContext& context, unsigned id);
// Reports a stream whose write failed, "morlune: Write error: REASON.", and
// returns true; returns false for a stream that has not failed.
bool ReportWriteFailure(DumpContext& context, const TextOutput& stream);

// The eight usage lines, on standard output whatever -o said.
void PrintUsage(DumpContext& context, TextOutput& standardOutput);

}  // namespace morlune
