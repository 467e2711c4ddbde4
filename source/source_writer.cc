// The wrap test and the output column.
#include "source/source_writer.h"

namespace morlune {

void EmitWrapped(DumpContext& context, std::string_view piece) {
  // The column never exceeds the longest piece written, so this sum cannot
  // overflow.
  long length = static_cast<long>(piece.size());
  if (context.outputColumn + length > kColumnLimit) {
    context.output.Put('\n');
    context.outputColumn = 0;
  }
  context.output.Write(piece);
  context.outputColumn += static_cast<std::int32_t>(length);
  if (!piece.empty() && piece.back() == '\n') context.outputColumn = 0;
}

}  // namespace morlune
