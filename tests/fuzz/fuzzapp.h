#pragma once

#include <cstddef>
#include <cstdint>

// The entry points of a fuzz target, as libFuzzer calls them; the plain
// driver calls them the same way for each file it is given.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

// Makes the one application object a target needs for fonts, layout and
// pixmaps: a QGuiApplication on the offscreen platform, with Qt's warnings
// about bad input silenced (they would only slow the run down).
void startApplication(int* argc, char*** argv);

// Ends the run at once when an invariant of the code under test is broken,
// so that the fuzzer keeps the input as a crash.
[[noreturn]] void broken(const char* what);

} // namespace fuzz
