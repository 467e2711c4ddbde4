// The library's entry points: thin over the font reader and the tools' runs.
#include "api/morlune.h"

#include "driver/run.h"
#include "fontfile/record_walk.h"
#include "fontfile/signature.h"

namespace morlune {

std::optional<FontView> ReadFont(std::span<const unsigned char> font) {
  ByteInput input;
  input.AttachMemory(font.data(), font.size());
  FontView view;
  view.kind = IdentifyShapeFile(input);
  if (view.kind == ShapeFileKind::kUnknown) return std::nullopt;
  FontWalk walk = WalkFontRecords(font.data(), font.size(), static_cast<std::size_t>(input.Tell()), view.kind);
  for (const WalkedRecord& record : walk.records) {
    view.records.push_back({record.code,
                            std::string_view(reinterpret_cast<const char*>(font.data()) + record.nameOffset,
                                             record.nameLength),
                            font.subspan(record.specOffset, record.specSize)});
  }
  return view;
}

ToolRun Decompile(std::span<const unsigned char> font, std::string_view options) {
  ToolRun run;
  std::string letters(options);
  const char* argv[] = {"morlune", letters.c_str()};
  RunStreams streams;
  // A null pointer would mean the process's own standard input.
  static const unsigned char kNoBytes = 0;
  streams.inputData = font.empty() ? &kNoBytes : font.data();
  streams.inputSize = font.size();
  streams.outputCapture = &run.output;
  streams.errorCapture = &run.errors;
  run.status = RunMorlune(letters.empty() ? 1 : 2, argv, streams);
  return run;
}

}  // namespace morlune
