#pragma once

// Descriptors 0, 1 and 2 are where a program reads its input and writes its
// messages, open or not. A program started with one of them closed would get
// that number back from its next open(): the serial port, a lock file or a
// settings file would then take the progress text and the errors.
namespace files
{

// Opens /dev/null on each of descriptors 0 to 2 that is closed. Called first
// in main(), before anything else is opened; false when /dev/null cannot be
// opened (then nothing may be opened safely).
bool openMissingStandardStreams();

} // namespace files
