// The line break of the wrapped writer, kept out of line: it comes once a
// line, while EmitWrapped runs once a piece.
#include "source/source_writer.h"

namespace morlune {

void BreakLine(DumpContext& context) {
  context.output.Put('\n');
  context.outputColumn = 0;
}

}  // namespace morlune
