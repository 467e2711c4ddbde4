// Writes the large compiled fonts that the throughput benchmark reads, two
// of each variant, several MB each: one with shapes built from every kind of
// specification item, and one stroke-dense, as hand-drawn stroke fonts are.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// splitmix64 with a fixed seed: the standard distributions may differ from
// one library to the next, and every run must measure the same bytes.
struct Random {
  std::uint64_t state;

  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A value from lo to hi, both included.
  int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }
  bool Percent(int chance) { return Between(0, 99) < chance; }
  unsigned char AnyByte() { return static_cast<unsigned char>(Next() & 0xFF); }
  // A signed operand byte from lo to hi, as stored (two's complement).
  unsigned char Signed(int lo, int hi) { return static_cast<unsigned char>(Between(lo, hi) & 0xFF); }
};

void PutWord(Bytes& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value & 0xFF));
  out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void PutDword(Bytes& out, std::uint32_t value) {
  PutWord(out, value & 0xFFFF);
  PutWord(out, value >> 16);
}

void PutSignature(Bytes& out, const char* text) {
  for (const char* p = text; *p != '\0'; ++p) out.push_back(static_cast<unsigned char>(*p));
  out.push_back(0x1A);
}

// Two signed displacement bytes that are not both 0, which would close a
// code 9 or code 13 list.
void PutDisplacement(Random& random, Bytes& spec) {
  unsigned char x = random.Signed(-60, 60);
  unsigned char y = random.Signed(-60, 60);
  if (x == 0 && y == 0) y = 1;
  spec.push_back(x);
  spec.push_back(y);
}

// Length-and-direction vector bytes: length 1 to 15 in the high nibble, so
// every one is a hexadecimal item.
void PutVectors(Random& random, Bytes& spec, int count) {
  for (int i = 0; i < count; ++i) {
    spec.push_back(static_cast<unsigned char>(random.Between(1, 15) << 4 | random.Between(0, 15)));
  }
}

// 8: one displacement.
void PutMove(Random& random, Bytes& spec) {
  spec.push_back(8);
  spec.push_back(random.AnyByte());
  spec.push_back(random.AnyByte());
}

// 2, 8, 1: lift the pen, move to the next stroke, put the pen down.
void PutPenMove(Random& random, Bytes& spec) {
  spec.push_back(2);
  PutMove(random, spec);
  spec.push_back(1);
}

// 9: a polyline, closed by (0,0).
void PutPolyline(Random& random, Bytes& spec, int pairs) {
  spec.push_back(9);
  for (int n = pairs; n > 0; --n) PutDisplacement(random, spec);
  spec.push_back(0);
  spec.push_back(0);
}

// 13: a polyline of bulge arcs, closed by (0,0).
void PutPolyarc(Random& random, Bytes& spec, int entries) {
  spec.push_back(13);
  for (int n = entries; n > 0; --n) {
    PutDisplacement(random, spec);
    spec.push_back(random.Percent(20) ? 0 : random.Signed(-127, 127));
  }
  spec.push_back(0);
  spec.push_back(0);
}

// A signed-magnitude octant byte: start octant and octant count.
unsigned char OctantByte(Random& random) {
  return static_cast<unsigned char>((random.Percent(50) ? 0x80 : 0) | random.Between(0, 7) << 4 |
                                    random.Between(0, 7));
}

// 10: octant arc, radius then octants.
void PutOctantArc(Random& random, Bytes& spec) {
  spec.push_back(10);
  spec.push_back(static_cast<unsigned char>(random.Between(1, 255)));
  spec.push_back(OctantByte(random));
}

// 11: fractional arc, start and end offsets, radius high and low, octants.
void PutFractionalArc(Random& random, Bytes& spec) {
  spec.push_back(11);
  spec.push_back(random.AnyByte());
  spec.push_back(random.AnyByte());
  spec.push_back(static_cast<unsigned char>(random.Between(0, 1)));
  spec.push_back(random.AnyByte());
  spec.push_back(OctantByte(random));
}

// 12: one bulge arc.
void PutBulgeArc(Random& random, Bytes& spec) {
  spec.push_back(12);
  PutDisplacement(random, spec);
  spec.push_back(random.Signed(-127, 127));
}

// 7: a subshape, at times scaled (3 and 4) and with the position kept
// (5 and 6) around it.
void PutSubshape(Random& random, Bytes& spec, bool unifont) {
  bool scaled = random.Percent(30);
  bool kept = random.Percent(30);
  if (kept) spec.push_back(5);
  if (scaled) {
    spec.push_back(3);
    spec.push_back(2);
  }
  spec.push_back(7);
  if (unifont) {
    PutWord(spec, static_cast<unsigned>(random.Between(0x21, 0x7FFF)));
  } else if (random.Percent(80)) {
    spec.push_back(static_cast<unsigned char>(random.Between(1, 255)));
  } else {
    // The long form: code high byte first, then origin and size.
    spec.push_back(0);
    spec.push_back(static_cast<unsigned char>(random.Between(0x81, 0xFE)));
    spec.push_back(static_cast<unsigned char>(random.Between(0x40, 0xFC)));
    spec.push_back(random.Signed(-20, 20));
    spec.push_back(random.Signed(-20, 20));
    spec.push_back(static_cast<unsigned char>(random.Between(1, 40)));
    spec.push_back(static_cast<unsigned char>(random.Between(1, 40)));
  }
  if (scaled) {
    spec.push_back(4);
    spec.push_back(2);
  }
  if (kept) spec.push_back(6);
}

// 14: the next item applies to vertical text only.
void PutVerticalOnly(Random& random, Bytes& spec) {
  spec.push_back(14);
  if (random.Percent(50)) {
    PutMove(random, spec);
  } else {
    PutVectors(random, spec, 1);
  }
}

// A shape is drawn in one manner, as fonts are: strokes of vector bytes
// (hand-made fonts), strokes of code 8 moves, polylines (code 9) or arcs
// (codes 13, 12, 10 and 11, as in fonts converted from outlines). Each
// manner still mixes in the other items now and then.
enum class Manner { kVectors, kMoves, kPolylines, kArcs };

void PutItem(Random& random, Bytes& spec, Manner manner, bool unifont) {
  int pick = random.Between(0, 99);
  switch (manner) {
    case Manner::kVectors:
      if (pick < 60) {
        PutVectors(random, spec, random.Between(2, 10));
      } else if (pick < 75) {
        PutPenMove(random, spec);
      } else if (pick < 84) {
        PutOctantArc(random, spec);
      } else if (pick < 89) {
        spec.push_back(5);
        PutVectors(random, spec, random.Between(1, 4));
        spec.push_back(6);
      } else if (pick < 93) {
        PutVerticalOnly(random, spec);
      } else if (pick < 96) {
        PutFractionalArc(random, spec);
      } else {
        PutSubshape(random, spec, unifont);
      }
      return;
    case Manner::kMoves:
      if (pick < 70) {
        for (int n = random.Between(1, 6); n > 0; --n) PutMove(random, spec);
      } else if (pick < 85) {
        PutPenMove(random, spec);
      } else if (pick < 92) {
        PutVectors(random, spec, random.Between(1, 3));
      } else if (pick < 96) {
        PutVerticalOnly(random, spec);
      } else {
        PutSubshape(random, spec, unifont);
      }
      return;
    case Manner::kPolylines:
      if (pick < 70) {
        PutPolyline(random, spec, random.Between(4, 30));
      } else if (pick < 90) {
        PutPenMove(random, spec);
      } else if (pick < 95) {
        PutMove(random, spec);
      } else {
        PutSubshape(random, spec, unifont);
      }
      return;
    case Manner::kArcs:
      if (pick < 55) {
        PutPolyarc(random, spec, random.Between(3, 20));
      } else if (pick < 70) {
        PutPenMove(random, spec);
      } else if (pick < 80) {
        PutBulgeArc(random, spec);
      } else if (pick < 88) {
        PutOctantArc(random, spec);
      } else if (pick < 94) {
        PutFractionalArc(random, spec);
      } else {
        PutPolyline(random, spec, random.Between(2, 8));
      }
      return;
  }
}

// A shape's specification bytes, about targetSize long, ending with the 0
// code on its last byte as a compiled shape does.
Bytes MakeSpec(Random& random, bool unifont, int targetSize) {
  int pick = random.Between(0, 99);
  Manner manner = pick < 35 ? Manner::kVectors : pick < 55 ? Manner::kMoves : pick < 80 ? Manner::kPolylines : Manner::kArcs;
  Bytes spec;
  PutPenMove(random, spec);
  while (static_cast<int>(spec.size()) < targetSize) PutItem(random, spec, manner, unifont);
  spec.push_back(0);
  return spec;
}

// Most fonts name some shapes and leave the rest to the default names.
std::string MakeName(Random& random) {
  if (random.Percent(35)) return std::string();
  std::string name(1, 'k');
  for (int n = random.Between(2, 9); n > 0; --n) name.push_back(static_cast<char>(random.Between('a', 'z')));
  if (random.Percent(5)) name.push_back(static_cast<char>(random.Between(0xC0, 0xFF)));
  return name;
}

// One record: the name, its zero byte and the data.
Bytes MakeRecord(const std::string& name, const Bytes& data) {
  Bytes record(name.begin(), name.end());
  record.push_back(0);
  record.insert(record.end(), data.begin(), data.end());
  return record;
}

Bytes MakeShapeRecord(Random& random, bool unifont) {
  return MakeRecord(MakeName(random), MakeSpec(random, unifont, random.Between(30, 360)));
}

constexpr int kShapeCount = 30000;

// A stroke font's glyph: one to seven pen strokes of 8 to 30 vector bytes
// each, now and then bent by a code 8 move, every stroke reached with the
// pen up (2, 8, 1), and the move to the next glyph's origin before the 0.
Bytes MakeStrokeSpec(Random& random) {
  Bytes spec;
  for (int strokes = random.Between(1, 7); strokes > 0; --strokes) {
    PutPenMove(random, spec);
    int run = random.Between(8, 30);
    if (random.Percent(15)) {
      int bend = random.Between(1, run - 1);
      PutVectors(random, spec, bend);
      PutMove(random, spec);
      run -= bend;
    }
    PutVectors(random, spec, run);
  }
  spec.push_back(2);
  PutMove(random, spec);
  spec.push_back(0);
  return spec;
}

// Stroke fonts leave every glyph to its default name.
Bytes MakeGlyphRecord(Random& random, bool strokes, bool unifont) {
  return strokes ? MakeRecord("", MakeStrokeSpec(random)) : MakeShapeRecord(random, unifont);
}

// Shapes in the fonts of every manner; glyphs in the stroke fonts, whose
// bigfont has fewer, as its two-byte codes run out.
constexpr int kGlyphCount = 40000;
constexpr int kBigfontGlyphCount = 32000;

// Shapes 1.0 or 1.1: two words, the count, the index, then the records in
// index order.
Bytes MakeShapesFont(const char* signature, std::uint64_t seed, bool strokes) {
  Random random{seed};
  std::vector<Bytes> records;
  records.push_back(MakeRecord("Bench shapes", Bytes{21, 7, 0, 0}));
  int count = strokes ? kGlyphCount : kShapeCount;
  for (int i = 0; i < count; ++i) records.push_back(MakeGlyphRecord(random, strokes, false));

  Bytes font;
  PutSignature(font, signature);
  PutWord(font, 1);
  PutWord(font, static_cast<unsigned>(count));
  PutWord(font, static_cast<unsigned>(records.size()));
  for (std::size_t code = 0; code < records.size(); ++code) {
    PutWord(font, static_cast<unsigned>(code));
    PutWord(font, static_cast<unsigned>(records[code].size()));
  }
  for (const Bytes& record : records) font.insert(font.end(), record.begin(), record.end());
  return font;
}

// Bigfont 1.0: escape range 0x81 to 0xFE, two-byte codes, an index stored
// in hash order (not sorted), and records laid out in ascending code order.
// Some index entries are empty, as a compiler leaves unused slots.
Bytes MakeBigfont(std::uint64_t seed, bool strokes) {
  Random random{seed};
  struct Entry {
    unsigned code;
    Bytes record;
  };
  std::vector<Entry> entries;
  entries.push_back({0, MakeRecord("Bench bigfont", Bytes{8, 0, 0, 8, 0})});
  int count = strokes ? kBigfontGlyphCount : kShapeCount;
  for (int i = 0; i < count; ++i) {
    unsigned code = (0x81u + static_cast<unsigned>(i / 255)) << 8 | static_cast<unsigned>(1 + i % 255);
    Bytes record;
    if (i % 600 != 599) record = MakeGlyphRecord(random, strokes, false);
    entries.push_back({code, std::move(record)});
  }

  Bytes font;
  PutSignature(font, "Vormald-86 bigfont 1.0\r\n");
  PutWord(font, 8);
  PutWord(font, static_cast<unsigned>(entries.size()));
  PutWord(font, 1);
  PutWord(font, 0x81);
  PutWord(font, 0xFE);
  std::uint32_t offset = static_cast<std::uint32_t>(font.size() + 8 * entries.size());
  std::vector<std::uint32_t> offsets;
  for (const Entry& entry : entries) {
    offsets.push_back(entry.record.empty() ? 0 : offset);
    offset += static_cast<std::uint32_t>(entry.record.size());
  }
  std::vector<std::size_t> hashOrder(entries.size());
  for (std::size_t i = 0; i < hashOrder.size(); ++i) hashOrder[i] = i;
  for (std::size_t i = hashOrder.size() - 1; i > 0; --i) {
    std::swap(hashOrder[i], hashOrder[random.Next() % (i + 1)]);
  }
  for (std::size_t i : hashOrder) {
    PutWord(font, entries[i].code);
    PutWord(font, static_cast<unsigned>(entries[i].record.size()));
    PutDword(font, offsets[i]);
  }
  for (const Entry& entry : entries) font.insert(font.end(), entry.record.begin(), entry.record.end());
  return font;
}

// Unifont 1.0: the count, then each record with its own code and length.
Bytes MakeUnifont(std::uint64_t seed, bool strokes) {
  Random random{seed};
  int count = strokes ? kGlyphCount : kShapeCount;
  Bytes font;
  PutSignature(font, "Vormald-86 unifont 1.0\r\n");
  PutWord(font, static_cast<unsigned>(count + 1));
  Bytes header = MakeRecord("Bench unifont", Bytes{21, 7, 0, 0, 1, 0});
  PutWord(font, 0);
  PutWord(font, static_cast<unsigned>(header.size()));
  font.insert(font.end(), header.begin(), header.end());
  for (int i = 0; i < count; ++i) {
    // Codes from the blank on, through the Latin and Cyrillic names and far
    // beyond them.
    unsigned code = 0x20u + static_cast<unsigned>(i);
    Bytes record = MakeGlyphRecord(random, strokes, true);
    PutWord(font, code);
    PutWord(font, static_cast<unsigned>(record.size()));
    font.insert(font.end(), record.begin(), record.end());
  }
  return font;
}

bool WriteFont(const std::string& path, const Bytes& font) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(font.data(), 1, font.size(), file) == font.size();
  ok = std::fclose(file) == 0 && ok;
  if (ok) std::printf("%s %zu\n", path.c_str(), font.size());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: morlune_make_bench_fonts OUTDIR\n");
    return 2;
  }
  std::string dir = argv[1];
  const char* shapes11 = "Vormald-86 shapes 1.1\r\n";
  const char* shapes10 = "Vormald-86 shapes 1.0\r\n";
  bool ok = WriteFont(dir + "/unifont.font", MakeUnifont(1, false)) &&
            WriteFont(dir + "/bigfont.font", MakeBigfont(2, false)) &&
            WriteFont(dir + "/shapes11.font", MakeShapesFont(shapes11, 3, false)) &&
            WriteFont(dir + "/shapes10.font", MakeShapesFont(shapes10, 4, false)) &&
            WriteFont(dir + "/unifont-strokes.font", MakeUnifont(5, true)) &&
            WriteFont(dir + "/bigfont-strokes.font", MakeBigfont(6, true)) &&
            WriteFont(dir + "/shapes11-strokes.font", MakeShapesFont(shapes11, 7, true)) &&
            WriteFont(dir + "/shapes10-strokes.font", MakeShapesFont(shapes10, 8, true));
  if (!ok) {
    std::fprintf(stderr, "morlune_make_bench_fonts: cannot write the fonts in %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
