#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quillmoor::testing {

// What one run of a program left behind.
struct ProgramResult {
  int status = -1;     // the exit status; -1 when it did not exit normally
  std::string output;  // standard output
  std::string errors;  // standard error (or the terminal's text, see below)
};

// Runs `program` with `arguments` in `workDir`, its standard output and error
// captured separately, standard input empty.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workDir);

// The same with standard error on a pseudo-terminal, whose text comes back in
// `errors`.
ProgramResult RunProgramWithTerminal(const std::string& program,
                                     const std::vector<std::string>& arguments,
                                     const std::filesystem::path& workDir);

}  // namespace quillmoor::testing
