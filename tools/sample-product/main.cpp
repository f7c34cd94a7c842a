// sample-product: writes the sample product tree and its payload manifest.
#include "SampleProduct.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const char kCwpDate[] = "2012-02-26 13:10:44";

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
}

fs::path HostPath(const fs::path& folder, std::string name) {
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return folder / name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: sample-product CWP_EXE PRODUCT_DIR MANIFEST\n"
                   "Writes the sample product into PRODUCT_DIR and its payload-builder manifest,\n"
                   "whose first entry, \"cwp.exe\", is packed from CWP_EXE.\n",
                   stderr);
        return 2;
    }
    try {
        fs::path productDir = argv[2];
        std::string manifest =
            "cwp.exe\t" + fs::absolute(argv[1]).string() + "\t" + kCwpDate + "\n";
        for (const TSampleFile& file : SampleFiles()) {
            WriteFile(HostPath(productDir, file.Name), SampleContent(file));
            manifest += file.Name + "\t\t" + file.Date + "\n";
        }
        WriteFile(argv[3], manifest);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sample-product: %s\n", e.what());
        return 1;
    }
}
