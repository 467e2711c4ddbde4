// The numbered messages: every text that morlune shows its user, from the
// message library when one was loaded, otherwise from the built-in table.
#pragma once

#include <string>
#include <string_view>

#include "tools/morlune/dump_context.h"
#include "source/message_texts.h"

namespace morlune {

// The text of id from the source chosen for the run: the loaded library
// alone, or the built-in table alone. A missing text is empty.
std::string LoadMessage(const DumpContext& context, unsigned id);

// Writes a text that serves as a format with no arguments: "%%" stands for
// one "%", and any other "%" is written as it stands.
void WriteFormatText(TextOutput& stream, std::string_view text);

// Writes the error line "morlune: TEXT.\n" to the error stream.
void ReportError(DumpContext& context, std::string_view text);
void ReportMessage(DumpContext& context, unsigned id);
// Reports a stream whose write failed, "morlune: Write error: REASON.", and
// returns true; returns false for a stream that has not failed.
bool ReportWriteFailure(DumpContext& context, const TextOutput& stream);

// The eight usage lines, on standard output whatever -o said.
void PrintUsage(DumpContext& context, TextOutput& standardOutput);

}  // namespace morlune
