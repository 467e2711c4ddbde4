// The numbered messages that morlune shows its user, and its own English
// text of each: what it writes when no message library is loaded, and what
// the library's decompiling gives.
#pragma once

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

// The one error text that has no number: a bigfont record that cannot be
// reached.
inline constexpr const char* kSeekErrorText = "Seek error";

// The built-in text of id, or null when the table has none.
const char* BuiltInMessage(unsigned id);

}  // namespace morlune
