#include "DialogAnswers.h"
#include "utils/Scratch.h"

#include "payload/AttachFiles.h"
#include "utils/Dates.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

const double kLicenseDate = EncodeOleDate({2012, 2, 26, 12, 59, 2});

struct TTestEntry {
    std::string Name, Data;
    double Date = kLicenseDate;
};

std::string ArchiveOf(const std::vector<TTestEntry>& entries) {
    TArchiveWriter writer;
    std::string archive;
    for (const TTestEntry& e : entries) {
        writer.AddName(e.Name);
        archive += writer.Header(e.Date, int64_t(e.Data.size())) + e.Data;
    }
    return archive;
}

std::vector<uint8_t> Compressed(const std::string& archive) {
    uLongf size = compressBound(uLong(archive.size()));
    std::vector<uint8_t> packed(size);
    compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(archive.data()),
              uLong(archive.size()), 9);
    packed.resize(size);
    return packed;
}

std::unique_ptr<TAttachedFiles> ReaderOf(const std::vector<TTestEntry>& entries) {
    auto payload = Compressed(ArchiveOf(entries));
    return std::make_unique<TAttachedFiles>(payload.data(), int32_t(payload.size()));
}

const std::vector<TTestEntry> kProduct = {
    {"cwp.exe", "MZ stand-in"},
    {"License.txt", "licence\r\n"},
    {"userdicen.tlx", ""},
    {"Templates\\Letters\\Letter 1.rtf", "{\\rtf1 one}"},
    {"Templates\\Letters\\Letter 2.rtf", "{\\rtf1 two}"},
    {"Templates\\Blank.rtf", "{\\rtf1}"},
    {"Clip Library\\Images\\Bullets\\Bullet 01.png", "\x89PNG"},
    {"Basic.asn", "RIFF"},
};

SYSTEMTIME LocalWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    SYSTEMTIME time = {};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
        FileTimeToSystemTime(&local, &time);
    return time;
}

void SetLocalWriteTime(const std::string& path, double date) {
    uint16_t dosDate, dosTime;
    FILETIME local, utc;
    ASSERT_TRUE(OleDateToDosDateTime(date, dosDate, dosTime));
    DosDateTimeToFileTime(dosDate, dosTime, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
}

// The install log for one test, with logging on.
class TLogScope {
public:
    TLogScope() {
        InstallLog = std::make_unique<TStringList>();
        LogSuppressCount = 0;
    }
    TLogScope(const TLogScope&) = delete;
    TLogScope& operator=(const TLogScope&) = delete;
    ~TLogScope() {
        InstallLog.reset();
        LogSuppressCount = 0;
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int32_t i = 0; i < InstallLog->Count(); ++i)
            lines.push_back((*InstallLog)[i]);
        return lines;
    }
};

std::string PublicFolder() {
    return JoinPath(SpecialFolder(CSIDL_COMMON_APPDATA), "Corvella\\Public\\");
}

std::vector<std::string> PublicLines(const TAttachedFiles& reader) {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < reader.PublicFiles.Count(); ++i)
        lines.push_back(reader.PublicFiles[i]);
    return lines;
}

std::vector<std::string> Targets(const TAttachedFiles& reader, int component) {
    std::vector<std::string> targets;
    for (const TFileToInstall& file : reader.Plan(component))
        targets.push_back(file.Target);
    return targets;
}

std::string CannotCreate(const std::string& target) {
    return "Cannot create file \"" + target +
           "\".\rAnother application might already be using this file.\r\rPlease make sure "
           "that the setup of Corvella Word Processor is not blocked by your security software "
           "(firewall/antivirus) in any way.\rYou might want to temporarily disable your "
           "security software and try again.";
}

} // namespace

TEST(AttachedFiles, RefusesADamagedPayloadNamingTheFault) {
    auto archive = ArchiveOf({{"a.txt", "abc"}});
    std::string negative = archive;
    negative[1 + 5 + 8 + 3] = '\xFF';
    std::string dotDot = archive;
    dotDot.replace(1, 5, "..\\ab");
    struct Case {
        std::vector<uint8_t> payload;
        const char* className;
    } cases[] = {
        {{'n', 'o', 't', ' ', 'z', 'l', 'i', 'b'}, "EZlibDataError"},
        {Compressed(archive.substr(0, archive.size() - 1)), "EPayloadTruncated"},
        {Compressed(negative), "EPayloadBadSize"},
        {Compressed(dotDot), "EPayloadBadName"},
        {{}, "EZlibTruncated"},
    };
    for (const Case& c : cases) {
        try {
            TAttachedFiles reader(c.payload.data(), int32_t(c.payload.size()));
            ADD_FAILURE() << c.className << ": accepted";
        } catch (const std::exception& e) {
            EXPECT_STREQ(ExceptionClassName(e), c.className);
        }
    }
}

TEST(AttachedFiles, ExtractsAnEntryWithItsDateMakingAndLoggingFolders) {
    TScratchFolder scratch;
    TLogScope log;
    auto reader = ReaderOf(kProduct);
    const TAttachedFile& letter = reader->Entries()[3];
    std::string target = scratch.Path() + "Data\\Templates\\Letters\\Letter 1.rtf";

    ASSERT_TRUE(reader->ExtractFile(&letter, "", target));
    EXPECT_EQ(ReadTestFile(target), "{\\rtf1 one}");
    SYSTEMTIME t = LocalWriteTime(target);
    EXPECT_EQ(std::vector<int>({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}),
              std::vector<int>({2012, 2, 26, 12, 59, 2}));
    EXPECT_EQ(FileWriteStamp(target), kLicenseDate);
    EXPECT_EQ(log.Lines(), std::vector<std::string>({
                               "Made Dir: " + scratch.Path() + "Data\\",
                               "Made Dir: " + scratch.Path() + "Data\\Templates\\",
                               "Made Dir: " + scratch.Path() + "Data\\Templates\\Letters\\",
                               "File Copy: " + target,
                           }));
}

TEST(AttachedFiles, ExtractsByNameTheLastEntryOfThatNameAndEmptyFiles) {
    TScratchFolder scratch;
    // Two entries that differ only in case: only a hand-made archive has them.
    auto payload = Compressed(ArchiveOf({{"License.txt", "first"}, {"userdicen.tlx", ""}}) +
                              ArchiveOf({{"LICENSE.TXT", "second"}}));
    TAttachedFiles reader(payload.data(), int32_t(payload.size()));

    ASSERT_TRUE(reader.ExtractFile(nullptr, "license.txt", scratch.Path() + "l.txt"));
    EXPECT_EQ(ReadTestFile(scratch.Path() + "l.txt"), "second");
    ASSERT_TRUE(reader.ExtractFile(nullptr, "userdicen.tlx", scratch.Path() + "u.tlx"));
    EXPECT_TRUE(FileExists(scratch.Path() + "u.tlx"));
    EXPECT_EQ(ReadTestFile(scratch.Path() + "u.tlx"), "");
}

TEST(AttachedFiles, LogsNothingWhileLoggingIsSuspended) {
    TScratchFolder scratch;
    TLogScope log;
    auto reader = ReaderOf(kProduct);
    SuspendLogging();
    ASSERT_TRUE(reader->ExtractFile(nullptr, "License.txt", scratch.Path() + "New\\License.txt"));
    ResumeLogging();
    EXPECT_TRUE(log.Lines().empty());
}

TEST(AttachedFiles, KeepsTheTimeOfWritingForADateWithoutDosForm) {
    TScratchFolder scratch;
    auto reader = ReaderOf({{"old.txt", "x", EncodeOleDate({1975, 1, 1, 0, 0, 0})}});
    ASSERT_TRUE(reader->ExtractFile(nullptr, "old.txt", scratch.Path() + "old.txt"));
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(LocalWriteTime(scratch.Path() + "old.txt").wYear, now.wYear);
}

TEST(AttachedFiles, AsksOnAFailedWriteAbortRetryOrIgnore) {
    TScratchFolder scratch;
    TLogScope log;
    auto reader = ReaderOf(kProduct);
    std::string target = scratch.Path() + "License.txt";
    WriteTestFile(target, "kept");
    // The file is in use: opened elsewhere without sharing.
    HANDLE busy = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    {
        TDialogAnswers answers({{"&Retry", nullptr}, {"&Abort", nullptr}});
        EXPECT_FALSE(reader->ExtractFile(nullptr, "License.txt", target));
        EXPECT_EQ(answers.Texts(), std::vector<std::string>(2, CannotCreate(target)));
    }
    {
        TDialogAnswers answers({{"&Ignore", nullptr}});
        EXPECT_TRUE(reader->ExtractFile(nullptr, "License.txt", target));
        EXPECT_EQ(answers.Texts().size(), 1u);
    }
    EXPECT_TRUE(log.Lines().empty());
    {
        // Retry starts over: once the file is free it is written.
        TDialogAnswers answers({{"&Retry", [&] { CloseHandle(busy); }}});
        EXPECT_TRUE(reader->ExtractFile(nullptr, "License.txt", target));
        EXPECT_EQ(answers.Texts().size(), 1u);
    }
    EXPECT_EQ(ReadTestFile(target), "licence\r\n");
    EXPECT_EQ(log.Lines(), std::vector<std::string>({"File Copy: " + target}));
}

TEST(AttachedFiles, AsksForAnEntryItDoesNotHaveAndRetryFailsAgain) {
    TScratchFolder scratch;
    auto reader = ReaderOf(kProduct);
    std::string target = scratch.Path() + "missing.txt";
    TDialogAnswers answers({{"&Retry", nullptr}, {"&Ignore", nullptr}});
    EXPECT_TRUE(reader->ExtractFile(nullptr, "missing.txt", target));
    EXPECT_EQ(answers.Texts(), std::vector<std::string>(2, CannotCreate(target)));
    EXPECT_FALSE(FileExists(target));
}

TEST(AttachedFiles, PlansByModeAndListsPublicFiles) {
    TScratchFolder scratch;
    auto reader = ReaderOf(kProduct);
    const std::string dest = scratch.Path() + "Dest";
    const std::string pub = PublicFolder();
    CreateDirectoryA(dest.c_str(), nullptr);
    WriteTestFile(dest + "\\cwp.exe", "old");
    WriteTestFile(dest + "\\License.txt", "old");
    WriteTestFile(dest + "\\userdicen.tlx", "mine");
    SetLocalWriteTime(dest + "\\cwp.exe", kLicenseDate);
    SetLocalWriteTime(dest + "\\License.txt", kLicenseDate + 2.0 / 86400);

    // Unchanged date: not planned; two seconds apart: planned. Existing and if missing: not.
    EXPECT_FALSE(reader->PlanFiles("cwp.exe", dest, 0, imIfChanged));
    EXPECT_TRUE(reader->PlanFiles("LICENSE.TXT", dest, 0, imIfChanged));
    EXPECT_FALSE(reader->PlanFiles("userdicen.tlx", dest, 1, imIfMissing));
    EXPECT_FALSE(reader->PlanFiles("nothing.txt", dest, 1, imAlways));
    EXPECT_EQ(Targets(*reader, 0), std::vector<std::string>({dest + "\\License.txt"}));
    EXPECT_TRUE(reader->Plan(1).empty());

    // A prefix plans its entries in archive order, folders kept; public targets are listed.
    EXPECT_TRUE(reader->PlanFiles("templates\\", pub, 3, imIfMissing));
    EXPECT_EQ(Targets(*reader, 3), std::vector<std::string>({
                                       pub + "Templates\\Letters\\Letter 1.rtf",
                                       pub + "Templates\\Letters\\Letter 2.rtf",
                                       pub + "Templates\\Blank.rtf",
                                   }));
    EXPECT_TRUE(reader->PlanFiles("Basic.asn", pub, 5, imIfChanged));
    EXPECT_EQ(PublicLines(*reader), std::vector<std::string>({
                                        pub + "Templates\\Letters\\Letter 1.rtf\t!",
                                        pub + "Templates\\Letters\\Letter 2.rtf\t!",
                                        pub + "Templates\\Blank.rtf\t!",
                                        pub + "Basic.asn",
                                    }));
    EXPECT_EQ(reader->TotalPlannedSize(), 9 + 11 + 11 + 7 + 4);
    reader->ClearPlan(3);
    EXPECT_EQ(reader->TotalPlannedSize(), 9 + 4);
}

TEST(AttachedFiles, OverwriteAlwaysPlansExistingFilesAndKeepsTheRequestedModeInPublicLines) {
    TScratchFolder scratch;
    auto reader = ReaderOf(kProduct);
    const std::string pub = PublicFolder();
    WriteTestFile(scratch.Path() + "cwp.exe", "old");
    SetLocalWriteTime(scratch.Path() + "cwp.exe", kLicenseDate);
    reader->OverwriteAlways = true;
    EXPECT_TRUE(reader->PlanFiles("cwp.exe", scratch.Path(), 0, imIfChanged));
    EXPECT_TRUE(reader->PlanFiles("userdicen.tlx", pub + "Spellcheck\\", 1, imIfMissing));
    EXPECT_EQ(Targets(*reader, 0), std::vector<std::string>({scratch.Path() + "cwp.exe"}));
    EXPECT_EQ(PublicLines(*reader),
              std::vector<std::string>({pub + "Spellcheck\\userdicen.tlx\t!"}));
}

TEST(AttachedFiles, PlansTheFolderItselfWithNameIsFullPathAndMarksLogging) {
    TScratchFolder scratch;
    auto reader = ReaderOf(kProduct);
    std::string target = scratch.Path() + "Spellcheck\\English (British).cache";
    NameIsFullPath = true;
    EXPECT_TRUE(reader->PlanFiles("License.txt", target, 1, imIfMissing));
    NameIsFullPath = false;
    SuspendLogging();
    EXPECT_TRUE(reader->PlanFiles("cwp.exe", scratch.Path(), 1, imIfMissing));
    ResumeLogging();
    ASSERT_EQ(reader->Plan(1).size(), 2u);
    EXPECT_EQ(reader->Plan(1)[0].Target, target);
    EXPECT_EQ(reader->Plan(1)[0].Entry, &reader->Entries()[1]);
    EXPECT_TRUE(reader->Plan(1)[0].Logged);
    EXPECT_FALSE(reader->Plan(1)[1].Logged);
}

TEST(AttachedFiles, SizesComponentsInClustersOfTheDestination) {
    TScratchFolder scratch;
    auto reader = ReaderOf(kProduct);
    const std::string dest = scratch.Path();
    auto clusters = [&](int64_t size) { return RoundToClusters(dest, size); };

    EXPECT_EQ(reader->ComponentSize("Templates\\", dest), 2 * clusters(11) + clusters(7));
    EXPECT_EQ(reader->ComponentSize("userdicen.tlx", dest), 0);
    // Lines end with CR, LF or both; unknown names add nothing.
    EXPECT_EQ(reader->ComponentSize("cwp.exe\rLICENSE.txt\nnothing\r\nBasic.asn", dest),
              clusters(11) + clusters(9) + clusters(4));
    EXPECT_EQ(reader->ComponentSize("", dest), 0);
}

TEST(AttachedFiles, SumsSizesPast2GiB) {
    TScratchFolder scratch;
    const std::string megabyte(1 << 20, 'x');
    auto reader = ReaderOf({{"big.dat", megabyte}});
    std::string list;
    NameIsFullPath = true;
    for (int i = 0; i < 2100; ++i) {
        reader->PlanFiles("big.dat", scratch.Path() + std::to_string(i), i % 6, imAlways);
        list += "big.dat\r";
    }
    NameIsFullPath = false;
    EXPECT_EQ(reader->TotalPlannedSize(), 2100 * int64_t{1 << 20});
    EXPECT_EQ(reader->ComponentSize(list, scratch.Path()),
              2100 * RoundToClusters(scratch.Path(), 1 << 20));
}

TEST(AttachedFiles, DeletesTheSetupsTemporaryFilesWhenItGoes) {
    TScratchFolder scratch;
    TTempFolderOverride temp(scratch.Path());
    std::string licence = NewTempFileName();
    {
        auto reader = ReaderOf(kProduct);
        ASSERT_TRUE(reader->ExtractFile(nullptr, "License.txt", licence));
        EXPECT_TRUE(FileExists(licence));
    }
    EXPECT_FALSE(FileExists(licence));
}
