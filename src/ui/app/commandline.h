#pragma once

// What the program takes on its command line. --help lists it and --version
// says the version, both on standard output and without a display.
namespace CommandLine {

// True when the arguments ask for the help or the version, which has then been
// printed: the program has nothing more to do.
bool printedInformation(int argc, char* argv[]);

} // namespace CommandLine
