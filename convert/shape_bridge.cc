#include "convert/shape_bridge.h"

#include "drawing/item_split.h"

namespace morlune::convert::bridge {

long long VerticalItems(const unsigned char* data, std::size_t size, int variant) {
  long long count = 0;
  ItemReader reader(data, size, static_cast<ShapeFileKind>(variant), nullptr);
  ItemSpan span;
  while (reader.Next(span) && span.whole) {
    if (data[span.start] == 14) ++count;
  }
  return count;
}

}  // namespace morlune::convert::bridge
