// The built-in default character names, and escape names under -e.
#include "source/char_names.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace morlune {

// Sorted by code, each code once: ASCII, Latin-1, the Central European
// letters (named by their place in code page 852), basic Cyrillic and six
// symbols.
constexpr CharNameEntry CharNameTable[kCharNameCount] = {
    {10, "lf"}, {32, "spc"}, {33, "kexc"}, {34, "kdblqt"}, {35, "kns"}, {36, "kds"}, {37, "kpc"},
    {38, "kand"}, {39, "kapos"}, {40, "klp"}, {41, "krp"}, {42, "kas"}, {43, "kpls"}, {44, "kcma"},
    {45, "ksub"}, {46, "kper"}, {47, "kdiv"}, {48, "n0"}, {49, "n1"}, {50, "n2"}, {51, "n3"},
    {52, "n4"}, {53, "n5"}, {54, "n6"}, {55, "n7"}, {56, "n8"}, {57, "n9"}, {58, "kcol"},
    {59, "ksmc"}, {60, "klt"}, {61, "keq"}, {62, "kgt"}, {63, "kqm"}, {64, "kea"}, {65, "uca"},
    {66, "ucb"}, {67, "ucc"}, {68, "ucd"}, {69, "uce"}, {70, "ucf"}, {71, "ucg"}, {72, "uch"},
    {73, "uci"}, {74, "ucj"}, {75, "uck"}, {76, "ucl"}, {77, "ucm"}, {78, "ucn"}, {79, "uco"},
    {80, "ucp"}, {81, "ucq"}, {82, "ucr"}, {83, "ucs"}, {84, "uct"}, {85, "ucu"}, {86, "ucv"},
    {87, "ucw"}, {88, "ucx"}, {89, "ucy"}, {90, "ucz"}, {91, "klb"}, {92, "kbkslsh"}, {93, "krb"},
    {94, "kcaret"}, {95, "kundrl"}, {96, "krvap"}, {97, "lca"}, {98, "lcb"}, {99, "lcc"},
    {100, "lcd"}, {101, "lce"}, {102, "lcf"}, {103, "lcg"}, {104, "lch"}, {105, "lci"},
    {106, "lcj"}, {107, "lck"}, {108, "lcl"}, {109, "lcm"}, {110, "lcn"}, {111, "lco"},
    {112, "lcp"}, {113, "lcq"}, {114, "lcr"}, {115, "lcs"}, {116, "lct"}, {117, "lcu"},
    {118, "lcv"}, {119, "lcw"}, {120, "lcx"}, {121, "lcy"}, {122, "lcz"}, {123, "klbr"},
    {124, "kvbar"}, {125, "krbr"}, {126, "ktilde"}, {160, "NoBreakPt"}, {161, "kiexc"},
    {162, "kcent"}, {163, "kpound"}, {165, "kyen"}, {167, "kpar"}, {170, "lcau"}, {171, "kfrew"},
    {176, "kdeg"}, {177, "kpls-min"}, {181, "kmicro"}, {186, "lcou"}, {187, "kffrw"},
    {188, "kquart"}, {189, "khalf"}, {191, "kiqm"}, {192, "xc0"}, {193, "xc1"}, {194, "xc2"},
    {195, "xc3"}, {196, "xc4"}, {197, "xc5"}, {198, "xc6"}, {199, "xc7"}, {200, "xc8"},
    {201, "xc9"}, {202, "xca"}, {203, "xcb"}, {204, "xcc"}, {205, "xcd"}, {206, "xce"},
    {207, "xcf"}, {208, "xd0"}, {209, "xd1"}, {210, "xd2"}, {211, "xd3"}, {212, "xd4"},
    {213, "xd5"}, {214, "xd6"}, {216, "kyen"}, {217, "xd9"}, {218, "xda"}, {219, "komega"},
    {220, "xdc"}, {221, "xdd"}, {222, "ucthorn"}, {223, "kgers"}, {224, "xe0"}, {225, "xe1"},
    {226, "xe2"}, {227, "xe3"}, {228, "xe4"}, {229, "xe5"}, {230, "xe6"}, {231, "xe7"},
    {232, "xe8"}, {233, "xe9"}, {234, "xea"}, {235, "xeb"}, {236, "xec"}, {237, "xed"},
    {238, "xee"}, {239, "xef"}, {240, "xf0"}, {241, "xf1"}, {242, "xf2"}, {243, "xf3"},
    {244, "xf4"}, {245, "xf5"}, {246, "xf6"}, {247, "kto"}, {248, "kcent"}, {249, "xf9"},
    {250, "xfa"}, {251, "xfb"}, {252, "xfc"}, {253, "kinfin"}, {254, "lcthorn"}, {255, "xff"},
    {260, "c164"}, {261, "c165"}, {262, "c143"}, {263, "c134"}, {268, "c172"}, {269, "c159"},
    {270, "c210"}, {271, "c212"}, {280, "c168"}, {281, "c169"}, {282, "c183"}, {283, "c216"},
    {321, "c157"}, {322, "c136"}, {323, "c227"}, {324, "c228"}, {327, "c213"}, {328, "c229"},
    {336, "c138"}, {337, "c139"}, {344, "c252"}, {345, "c253"}, {346, "c151"}, {347, "c152"},
    {352, "c230"}, {353, "c231"}, {356, "c155"}, {357, "c156"}, {366, "c222"}, {367, "c133"},
    {368, "c235"}, {369, "c251"}, {377, "c141"}, {378, "c171"}, {379, "c189"}, {380, "c190"},
    {381, "c166"}, {382, "c167"}, {1040, "ucra"}, {1041, "ucrb"}, {1042, "ucrv"}, {1043, "ucrg"},
    {1044, "ucrd"}, {1045, "ucre"}, {1046, "ucrzh"}, {1047, "ucrz"}, {1048, "ucri"},
    {1049, "ucrikr"}, {1050, "ucrk"}, {1051, "ucrl"}, {1052, "ucrm"}, {1053, "ucrn"},
    {1054, "ucro"}, {1055, "ucrp"}, {1056, "ucrr"}, {1057, "ucrs"}, {1058, "ucrt"}, {1059, "ucru"},
    {1060, "ucrf"}, {1061, "ucrx"}, {1062, "ucrc"}, {1063, "ucrch"}, {1064, "ucrsh"},
    {1065, "ucrshch"}, {1066, "ucrtvznak"}, {1067, "ucryyy"}, {1068, "ucrmznak"}, {1069, "ucreee"},
    {1070, "ucryu"}, {1071, "ucrya"}, {1072, "lcra"}, {1073, "lcrb"}, {1074, "lcrv"},
    {1075, "lcrg"}, {1076, "lcrd"}, {1077, "lcre"}, {1078, "lcrzh"}, {1079, "lcrz"}, {1080, "lcri"},
    {1081, "lcrikr"}, {1082, "lcrk"}, {1083, "lcrl"}, {1084, "lcrm"}, {1085, "lcrn"},
    {1086, "lcro"}, {1087, "lcrp"}, {1088, "lcrr"}, {1089, "lcrs"}, {1090, "lcrt"}, {1091, "lcru"},
    {1092, "lcrf"}, {1093, "lcrx"}, {1094, "lcrc"}, {1095, "lcrch"}, {1096, "lcrsh"},
    {1097, "lcrshch"}, {1098, "lcrtvznak"}, {1099, "lcryyy"}, {1100, "lcrmznak"}, {1101, "lcreee"},
    {1102, "lcryu"}, {1103, "lcrya"}, {8359, "kpes"}, {8486, "komega"}, {8709, "kdiam"},
    {8734, "kinfin"}, {8804, "kleq"}, {8962, "ktria"},
};

namespace {

// The row of every code up to the last Cyrillic letter, or -1: a shape code
// there is found with one read. The few symbols above it are searched.
constexpr std::int32_t kLastIndexedCode = 1103;
constexpr std::array<std::int16_t, kLastIndexedCode + 1> MakeRowOfCode() {
  std::array<std::int16_t, kLastIndexedCode + 1> rowOf{};
  rowOf.fill(-1);
  for (int row = 0; row < kCharNameCount; ++row) {
    if (CharNameTable[row].code <= kLastIndexedCode) rowOf[CharNameTable[row].code] = static_cast<std::int16_t>(row);
  }
  return rowOf;
}
constexpr auto kRowOfCode = MakeRowOfCode();
constexpr int kFirstRowAboveIndex = [] {
  int row = 0;
  while (row < kCharNameCount && CharNameTable[row].code <= kLastIndexedCode) ++row;
  return row;
}();

const CharNameEntry* FindRow(std::int32_t code) {
  if (code >= 0 && code <= kLastIndexedCode) {
    std::int16_t row = kRowOfCode[static_cast<std::size_t>(code)];
    return row >= 0 ? &CharNameTable[row] : nullptr;
  }
  const CharNameEntry* end = CharNameTable + kCharNameCount;
  const CharNameEntry* row = std::lower_bound(CharNameTable + kFirstRowAboveIndex, end, code,
                                              [](const CharNameEntry& entry, std::int32_t wanted) { return entry.code < wanted; });
  return row != end && row->code == code ? row : nullptr;
}

// Decided here rather than by the C library, so that every platform and
// locale gives the same escape names: the ASCII graphic characters and the
// blank, and the upper half of Latin-1.
bool IsPrintableNameByte(unsigned byte) {
  return (byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA0 && byte <= 0xFF);
}

}  // namespace

std::string_view LookupCharName(std::int32_t code, bool escapedNames, EscapeNameBuffer& escapeBuffer) {
  if (const CharNameEntry* row = FindRow(code)) return row->name;
  if (!escapedNames) return kUnspecifiedName;
  unsigned high = (static_cast<std::uint32_t>(code) >> 8) & 0xFF;
  unsigned low = static_cast<std::uint32_t>(code) & 0xFF;
  if (!IsPrintableNameByte(high) || !IsPrintableNameByte(low)) return kUnspecifiedName;
  char* buffer = escapeBuffer.text;
  buffer[0] = 'e';
  buffer[1] = 's';
  buffer[2] = 'c';
  buffer[3] = ':';
  buffer[4] = static_cast<char>(high);
  buffer[5] = static_cast<char>(low);
  buffer[6] = '\0';
  return std::string_view(buffer, 6);
}

}  // namespace morlune
