// payload-builder: packs a product tree into the setup's payload, and lists a payload.
#include "Build.h"
#include "List.h"

#include "framework/Exceptions.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kUsage[] =
    "usage: payload-builder build [--zopfli[=ITERATIONS]] MANIFEST PRODUCT_DIR OUTPUT\n"
    "       payload-builder list FILE\n"
    "\n"
    "build  packs the files MANIFEST lists, in its order, into OUTPUT: one zlib stream\n"
    "       (level 9, or Zopfli with 15 or the given iterations).\n"
    "       A MANIFEST line is NAME[<tab>SOURCE[<tab>YYYY-MM-DD HH:MM:SS]]; SOURCE is\n"
    "       relative to PRODUCT_DIR (default: NAME with slashes), the date is local time\n"
    "       (default: the file's modification time).\n"
    "list   prints the entries of a payload, or of the \"FILES\" resource of a setup.\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// "--zopfli" or "--zopfli=N"; 0 when the argument is neither.
int ZopfliIterations(const char* argument) {
    if (std::strcmp(argument, "--zopfli") == 0)
        return 15;
    if (std::strncmp(argument, "--zopfli=", 9) != 0)
        return 0;
    char* end;
    long n = std::strtol(argument + 9, &end, 10);
    return *end == '\0' && n > 0 && n <= 1000 ? int(n) : 0;
}

int Run(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "list" && argc == 3) {
        ListPayload(argv[2]);
        return 0;
    }
    if (command != "build" || argc < 5)
        return Usage();
    TBuildOptions options;
    int first = 2;
    if (std::strncmp(argv[2], "--zopfli", 8) == 0) {
        options.ZopfliIterations = ZopfliIterations(argv[2]);
        if (options.ZopfliIterations == 0)
            return Usage();
        ++first;
    }
    if (argc - first != 3)
        return Usage();
    options.Manifest = argv[first];
    options.ProductDir = argv[first + 1];
    options.Output = argv[first + 2];
    BuildPayload(options);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "payload-builder: %s: %s\n", ExceptionClassName(e), e.what());
        return 1;
    }
}
