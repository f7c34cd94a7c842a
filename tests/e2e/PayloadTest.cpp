// A setup.exe whose payload is damaged shows only the last-resort message and exits with 1.
#include "Wizard.h"

#include <zlib.h>

#include <fstream>
#include <iterator>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The shipped payload with its first entry claiming more data than the archive holds.
std::string PayloadWithOverrunningEntry(const std::string& payload) {
    std::string archive(8 << 20, '\0');
    uLongf size = static_cast<uLongf>(archive.size());
    uncompress(reinterpret_cast<Bytef*>(archive.data()), &size,
               reinterpret_cast<const Bytef*>(payload.data()), static_cast<uLong>(payload.size()));
    archive.resize(size);
    size_t sizeField = 1 + static_cast<unsigned char>(archive[0]) + 8;
    const char huge[4] = {'\x00', '\xff', '\xff', '\x7f'};
    archive.replace(sizeField, 4, huge, 4);
    std::string packed(compressBound(static_cast<uLong>(archive.size())), '\0');
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(archive.data()), static_cast<uLong>(archive.size()),
              Z_BEST_SPEED);
    packed.resize(packedSize);
    return packed;
}

// A copy of setup.exe carrying payload as its FILES resource.
std::string SetupWithPayload(const std::string& name, const std::string& payload) {
    std::string exe = BuildPath("tests\\e2e\\" + name + ".exe");
    if (!CopyFileA(BuildPath("src\\startup\\setup.exe").c_str(), exe.c_str(), FALSE))
        return "";
    HANDLE update = BeginUpdateResourceA(exe.c_str(), FALSE);
    UpdateResourceA(update, "FILES", "FILES", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                    const_cast<char*>(payload.data()), static_cast<DWORD>(payload.size()));
    return EndUpdateResourceA(update, FALSE) ? exe : "";
}

TEST(DamagedPayload, EndsWithTheLastResortMessage) {
    std::string payload = ReadFile(BuildPath("payload\\files.bin"));
    ASSERT_GT(payload.size(), 1000u);
    const struct {
        const char* Name;
        std::string Payload;
        const char* Message;
    } cases[] = {
        {"setup-truncated", payload.substr(0, payload.size() / 2), "Exception EZlibTruncated"},
        {"setup-overrun", PayloadWithOverrunningEntry(payload), "Exception EPayloadTruncated"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string exe = SetupWithPayload(c.Name, c.Payload);
        ASSERT_FALSE(exe.empty());
        TProcess setup(exe, "");
        HWND box = setup.WaitForWindow("Error");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(Contains(StaticTexts(box), c.Message)) << StaticTexts(box).front();
        EXPECT_EQ(setup.WaitForWindow(kCaption, 0ms), nullptr) << "no wizard";
        Click(FindChild(box, "Button", "OK"));
        EXPECT_EQ(setup.WaitForExit(), 1u);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKey)) << "nothing written";
    }
}

} // namespace
