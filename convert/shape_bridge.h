// What the public library does not tell about a record: the items that
// apply to vertical text only, which the drawing passes over. Plain
// numbers here, so that the converter's files see the public types alone.
#pragma once

#include <cstddef>

namespace morlune::convert::bridge {

// Code 14 items among the record's whole items; variant: 0 shapes 1.0,
// 1 shapes 1.1, 2 bigfont, 3 unifont.
long long VerticalItems(const unsigned char* data, std::size_t size, int variant);

}  // namespace morlune::convert::bridge
