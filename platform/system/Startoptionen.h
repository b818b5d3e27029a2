#pragma once
// What a program answers to its command line before it makes any window (and
// so without a display): --help and --version inform on stdout and end the
// program with 0; anything else is refused on stderr with 2. They select
// nothing: the program folder is found as at every start.
#include <cstdio>
#include <optional>
#include <string>

namespace sys {

struct Programmaufruf {
    const char* befehl;        // the command a user types ("rondavex")
    const char* name;          // the program's name in the version line ("Rondavex")
    const char* beschreibung;  // what it does, a few lines ending in "\n"
    const char* version;
};

// The usage line, as the manual's synopsis has it.
std::string aufrufzeile(const Programmaufruf& programm);

// The exit status when the command line ends the program, nullopt when it starts.
std::optional<int> startoptionen(int argc, const char* const* argv, const Programmaufruf& programm,
                                 std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace sys
