#pragma once
// The suite's shared diagnostic log: one UTF-16 little-endian file (starting FF FE) that
// every tool appends to, each line starting with the prefix of the tool that wrote it.
//
// Several tools may append to the one log at once. The file is opened for appending and
// each call's text goes out in a single write, so lines of different processes never
// interleave; a new log is put in place with its byte-order mark already in it, so a
// line can never come before the mark. Any failure to open or write switches the log off
// (keeping_log becomes false) instead of failing the caller.

#include <string>

namespace corvane {

// Nothing is written while this is false (the initial state) or the name is empty.
extern bool keeping_log;

std::u16string GetLogFilename();
void SetLogFilename(const std::u16string& name);

// Whether a line given now would be written: keeping_log and a name set. Callers that
// build costly lines ask first.
bool log_is_kept();

// AddToLogFile(s, true).
void AddToLogFile(const std::u16string& s);
// Writes the running tool's prefix and s, followed by CR LF when new_line. A call made
// while another is writing (re-entered from the write) is kept as a pending line and goes
// out, before the prefix, with the next write.
void AddToLogFile(const std::u16string& s, bool new_line);
// A line of ten "*", then "LOG STARTED at " and the date and time in the user's short
// format.
void StartNewLogSection();
// When the name is set and the file exists: deletes it and starts a new section.
void ClearLogFile();

// Where the prefix of each line comes from: the tool identities live in a higher layer,
// which installs the source at its start-up. With none installed a line starts "(??)",
// the prefix of an unknown tool.
using TLogPrefixSource = std::u16string (*)();
TLogPrefixSource set_log_prefix_source(TLogPrefixSource source);

// Start-up installs the log as the writer behind the frame's log seam; shut-down writes
// any pending lines, removes the writer and clears the name.
void Logging_utilities_initialization();
void Logging_utilities_finalization();

}  // namespace corvane
