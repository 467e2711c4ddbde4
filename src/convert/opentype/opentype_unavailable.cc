// The OpenType export in a build without its libraries: nothing written.
#include "convert/opentype/opentype_writer.h"

namespace morlune::convert {

OpenTypeFile WriteOpenType(GlyphSource&, const OpenTypeOptions&, LossReport&) { return {}; }

bool OpenTypeWritable() { return false; }

}  // namespace morlune::convert
