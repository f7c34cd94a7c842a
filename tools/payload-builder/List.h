// Listing the entries of a payload with the program's own inflater and index.
#pragma once

#include <filesystem>

// FILE is a payload (one zlib stream) or a setup executable carrying one as its "FILES"
// resource. Prints each entry's size, date and name, then a summary, on stdout. A damaged
// payload raises an exception whose class names the fault, as it would fail the setup.
void ListPayload(const std::filesystem::path& file);
