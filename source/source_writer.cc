// The line break of the wrapped writer, kept out of line: it comes once a
// line, while EmitWrapped runs once a piece.
#include "source/source_writer.h"

namespace morlune {

void BreakLine(SourceWriter& writer) {
  writer.output.Put('\n');
  writer.outputColumn = 0;
}

}  // namespace morlune
