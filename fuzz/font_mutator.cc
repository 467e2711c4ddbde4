// Each mutation picks a record and an item boundary inside it, as the item
// grammar splits its bytes, so that an edit lands on an item rather than in
// the middle of one; the font is then laid out afresh.
#include "fuzz/font_mutator.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "drawing/item_split.h"
#include "fuzz/font_model.h"

namespace morlune::fuzzing {
namespace {

class Random {
 public:
  explicit Random(unsigned seed) : engine_(seed) {}
  // 0 to n - 1; n > 0.
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_); }
  bool OneIn(std::size_t n) { return Below(n) == 0; }
  // Bytes where the rules change: signs, the ends of ranges, small lengths,
  // powers of two; or any byte.
  int Byte() {
    static const int kEdges[] = {0, 1, 2, 3, 4, 7, 8, 9, 13, 14, 15, 16, 64, 126, 127, 128, 129, 254, 255};
    return OneIn(2) ? kEdges[Below(std::size(kEdges))] : static_cast<int>(Below(256));
  }

 private:
  std::minstd_rand engine_;
};

std::vector<std::size_t> ItemStarts(const ModelRecord& record, Variant kind) {
  std::vector<std::size_t> starts;
  const auto* spec = reinterpret_cast<const unsigned char*>(record.spec.data());
  std::size_t at = 0;
  while (at < record.spec.size()) {
    starts.push_back(at);
    at = SplitItem(spec, record.spec.size(), at, kind).end;
  }
  starts.push_back(record.spec.size());
  return starts;
}

std::uint16_t SomeCode(const FontModel& font, Random& random) {
  if (!font.records.empty() && !random.OneIn(4)) return font.records[random.Below(font.records.size())].code;
  return static_cast<std::uint16_t>(random.OneIn(2) ? random.Byte() : random.Below(65536));
}

void Put(std::string& out, std::initializer_list<int> bytes) {
  for (int byte : bytes) out.push_back(static_cast<char>(byte & 0xFF));
}

// A code 7 naming a record of the font (or any code), in the form its
// variant writes; the long form with a frame of its own.
std::string SubshapeItem(const FontModel& font, Random& random) {
  std::uint16_t code = SomeCode(font, random);
  std::string item;
  if (font.kind == Variant::kUnifont) {
    Put(item, {7, code >> 8, code});
  } else if (code != 0 && code < 256 && !random.OneIn(3)) {
    Put(item, {7, code});
  } else {
    Put(item, {7, 0, code >> 8, code, random.Byte(), random.Byte(), random.Byte(), random.Byte()});
  }
  return item;
}

// A list of code 9 or 13 of up to 40 pairs or entries, now and then left
// without its closing pair.
std::string ListItem(int code, Random& random) {
  std::string item(1, static_cast<char>(code));
  std::size_t length = random.OneIn(4) ? random.Below(40) : random.Below(5);
  for (std::size_t i = 0; i < length; ++i) {
    int dx = random.Byte(), dy = random.Byte();
    if (dx == 0 && dy == 0) dx = 1;
    Put(item, {dx, dy});
    if (code == 13) Put(item, {random.Byte()});
  }
  if (!random.OneIn(8)) Put(item, {0, 0});
  return item;
}

std::string RandomItem(const FontModel& font, Random& random) {
  std::string item;
  int code = static_cast<int>(random.Below(18));
  switch (code) {
    case 7: return SubshapeItem(font, random);
    case 9:
    case 13: return ListItem(code, random);
    case 3:
    case 4: Put(item, {code, random.Byte()}); break;
    case 8: Put(item, {8, random.Byte(), random.Byte()}); break;
    case 10: Put(item, {10, random.Byte(), random.Byte()}); break;
    case 11:
      Put(item, {11, random.Byte(), random.Byte(), random.Byte(), random.Byte(), random.Byte()});
      break;
    case 12: Put(item, {12, random.Byte(), random.Byte(), random.Byte()}); break;
    case 15:
    case 16:
    case 17: Put(item, {static_cast<int>(16 + random.Below(240))}); break;  // a vector byte
    default: Put(item, {code}); break;  // 0, 1, 2, 5, 6, 14
  }
  return item;
}

// The edits of one record's items.
void MutateItems(FontModel& font, ModelRecord& record, Random& random, ByteMutator mutateBytes) {
  std::vector<std::size_t> starts = ItemStarts(record, font.kind);
  std::size_t items = starts.size() - 1;
  std::size_t which = random.Below(starts.size());
  std::size_t at = starts[which];
  std::size_t end = which < items ? starts[which + 1] : at;
  switch (random.Below(8)) {
    case 0:  // insert an item
      record.spec.insert(at, RandomItem(font, random));
      break;
    case 1:  // replace one
      record.spec.replace(at, end - at, RandomItem(font, random));
      break;
    case 2:  // remove one
      record.spec.erase(at, end - at);
      break;
    case 3:  // an operand or a list byte to a value where the rules change
      if (end - at > 1) record.spec[at + 1 + random.Below(end - at - 1)] = static_cast<char>(random.Byte());
      break;
    case 4: {  // repeat a run of items: loops, long lists, deep calls
      std::size_t last = which + random.Below(std::min<std::size_t>(items - which, 8) + 1);
      std::string run = record.spec.substr(at, starts[last] - at), copies;
      for (std::size_t n = 1 + random.Below(random.OneIn(8) ? 64 : 4); n > 0; --n) copies += run;
      record.spec.insert(starts[random.Below(starts.size())], copies);
      break;
    }
    case 5:  // a subshape call to a record of the font
      record.spec.insert(at, SubshapeItem(font, random));
      break;
    case 6: {  // code 14 before an item, a list most often
      std::string skipped(1, 14);
      if (random.OneIn(2)) skipped += ListItem(random.OneIn(2) ? 9 : 13, random);
      record.spec.insert(at, skipped);
      break;
    }
    default: {  // the fuzzer's byte mutations inside the record only
      std::size_t size = record.spec.size();
      std::size_t room = std::min(kMostSpecBytes, size + 64);
      record.spec.resize(room);
      record.spec.resize(mutateBytes(reinterpret_cast<std::uint8_t*>(record.spec.data()), size, room));
      break;
    }
  }
  if (record.spec.size() > kMostSpecBytes) record.spec.resize(kMostSpecBytes);
}

// The edits of the font's records and frame.
void MutateFont(FontModel& font, Random& random, ByteMutator mutateBytes) {
  std::vector<ModelRecord>& records = font.records;
  if (records.empty() || random.OneIn(16)) {
    ModelRecord added;
    added.code = SomeCode(font, random);
    for (std::size_t n = 1 + random.Below(6); n > 0; --n) added.spec += RandomItem(font, random);
    records.insert(records.begin() + static_cast<long>(random.Below(records.size() + 1)), added);
    return;
  }
  ModelRecord& record = records[random.Below(records.size())];
  switch (random.Below(16)) {
    case 0:  // another code: one of the font's (a duplicate), a neighbour, 0, any
      record.code = random.OneIn(2) ? SomeCode(font, random) : static_cast<std::uint16_t>(record.code + 1);
      break;
    case 1:  // a length word that disagrees with the record
      record.lengthSkew = random.OneIn(4) ? static_cast<int>(random.Below(70000)) - 35000
                                          : static_cast<int>(random.Below(9)) - 4;
      break;
    case 2:  // a copy under another code, or a record dropped, or two swapped
      if (random.OneIn(3)) {
        ModelRecord copy = record;
        copy.code = SomeCode(font, random);
        records.push_back(copy);
      } else if (random.OneIn(2) && records.size() > 1) {
        records.erase(records.begin() + (&record - records.data()));
      } else {
        std::swap(record, records[random.Below(records.size())]);
      }
      break;
    case 3: {  // the font's height and depth: a font-header record's values
      auto header = std::find_if(records.begin(), records.end(), [](const ModelRecord& r) { return r.code == 0; });
      if (header == records.end()) {
        ModelRecord added;
        added.name = "h";
        records.insert(records.begin(), added);
        header = records.begin();
      }
      header->spec.resize(font.kind == Variant::kUnifont ? 6 : 4, '\0');
      header->spec[random.Below(2)] = static_cast<char>(random.Byte());
      break;
    }
    case 4:  // another variant around the same records
      font.kind = static_cast<Variant>(random.Below(4));
      break;
    case 5:  // a bigfont's escape ranges
      if (font.escapeRanges.empty() || random.OneIn(2)) {
        auto first = static_cast<std::uint16_t>(random.Byte());
        font.escapeRanges.push_back({first, static_cast<std::uint16_t>(first + random.Below(64))});
      } else {
        font.escapeRanges.pop_back();
      }
      break;
    case 6:  // a name
      record.name = random.OneIn(2) ? "" : std::string(1 + random.Below(30), static_cast<char>('a' + random.Below(26)));
      break;
    default:
      MutateItems(font, record, random, mutateBytes);
      break;
  }
}

}  // namespace

std::size_t MutateFontInput(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed,
                            ByteMutator mutateBytes) {
  Random random(seed);
  std::optional<FontModel> font = size > 1 ? ReadFontModel(data + 1, size - 1) : std::nullopt;
  // Plain byte mutations still find what a well-formed frame never shows.
  if (!font || random.OneIn(5)) return mutateBytes(data, size, maxSize);
  if (random.OneIn(16)) data[0] = static_cast<std::uint8_t>(random.Below(256));
  for (std::size_t edits = 1 + random.Below(3); edits > 0; --edits) MutateFont(*font, random, mutateBytes);
  std::string bytes = WriteFontModel(*font);
  if (bytes.size() + 1 > maxSize) return mutateBytes(data, size, maxSize);
  std::memcpy(data + 1, bytes.data(), bytes.size());
  return bytes.size() + 1;
}

}  // namespace morlune::fuzzing
