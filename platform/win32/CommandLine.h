// The Windows C run-time's command-line rules.
#pragma once

#include <string>
#include <vector>

namespace winsim {

// Splits a command line into argv as the C run-time does: the first word
// (the program name) ends at a blank or, when quoted, at its closing quote;
// later words honour quotes and the backslash-before-quote rules.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// Quotes one argument so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& argument);
std::string JoinCommandLine(const std::vector<std::string>& argv);
// What WinMain's lpCmdLine holds: the text after the program name (a quoted
// name ends at its closing quote), with characters of code 32 or less in
// front of the first argument skipped.
const char* SkipProgramName(const char* commandLine);

// The process's own command line: WINSIM_CMDLINE when it was given to this
// process, otherwise argv joined by the rules above.
const std::string& ProcessCommandLine();

}  // namespace winsim
