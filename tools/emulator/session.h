// Session files: one step per line, run against the emulated platform.
//
//   # a comment               (blank lines are ignored too)
//   catalogue                 the member table
//   call NAME [ARG...]        a member by name, with typed arguments
//   get PROPERTY              a property's value
//   set PROPERTY VALUE        a property's new value
//   wait SECONDS              wait (up to 600 s), printing timer events as they come
//   echo TEXT                 print a line of text
//
// The whole file is checked before anything runs; a fault is reported as
// "FILE:LINE: message".
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tools/emulator/arguments.h"
#include "tools/emulator/platform.h"

namespace session {

struct Step {
  enum class Kind { Catalogue, Call, Get, Set, Wait, Echo };
  int line = 0;
  std::wstring source;  // the line as written, without surrounding blanks
  Kind kind = Kind::Echo;
  std::wstring name;    // member or property; the text of echo
  std::vector<arguments::Token> args;
  double seconds = 0;
};

// The steps of a session text; the error "FILE:LINE: message" for the first fault.
std::optional<std::wstring> Parse(const std::wstring& fileName, const std::wstring& text, std::vector<Step>& steps);

// Reads a UTF-8 text file (a byte-order mark is skipped); the error text when it cannot be read.
std::optional<std::wstring> ReadFile(const std::wstring& path, std::wstring& text);

// Runs the steps in order; returns the number of steps that failed.
int Run(EmulatedPlatform& platform, const std::vector<Step>& steps);

}  // namespace session
