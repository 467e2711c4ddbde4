// The source of a message's text for the run, and the ways a message text
// is written.
#include "tools/morlune/message_catalog.h"

#include "platform/error_text.h"

namespace morlune {
std::string LoadMessage(const DumpContext& context, unsigned id) {
  std::string text;
  if (context.resourceLibrary != nullptr) {
    LookupLibraryMessage(context.resourceLibrary, id, text);
    return text;
  }
  if (const char* builtIn = BuiltInMessage(id)) text = builtIn;
  return text;
}

void WriteFormatText(TextOutput& stream, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    stream.Put(text[i]);
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
  }
}

void ReportError(DumpContext& context, std::string_view text) {
  context.errors.Write("morlune: ");
  context.errors.Write(text);
  context.errors.Write(".\n");
  // Standard error is unbuffered: a message must not wait for the dump.
  context.errors.Flush();
}

void ReportMessage(DumpContext& context, unsigned id) {
  ReportError(context, LoadMessage(context, id));
}

bool ReportWriteFailure(DumpContext& context, const TextOutput& stream) {
  if (!stream.Failed()) return false;
  ReportError(context, WriteErrorText(stream.FailureErrno()));
  return true;
}

void PrintUsage(DumpContext& context, TextOutput& standardOutput) {
  WriteFormatText(standardOutput, LoadMessage(context, IDS_USAGE_TITLE));
  WriteFormatText(standardOutput, LoadMessage(context, IDS_USAGE_OWNER));
  WriteFormatText(standardOutput, LoadMessage(context, IDS_USAGE_VERSION));
  WriteFormatText(standardOutput, context.usageSynopsis);
  for (unsigned id : {IDS_USAGE_HELP, IDS_USAGE_DECIMAL, IDS_USAGE_ESCAPES, IDS_USAGE_OUTPUT}) {
    WriteFormatText(standardOutput, LoadMessage(context, id));
  }
}

}  // namespace morlune
