// Extraction and build, checked on the bytes of the files they write.
#include <gtest/gtest.h>

#include <cstring>

#include "firmware_ops.h"
#include "image_entry.h"
#include "run_tool.h"
#include "sample_firmware.h"

using namespace tarnwick;
using namespace tarnwick::sample;

namespace {

uint32_t wordAt(const std::vector<unsigned char>& bytes, size_t at) {
    return uint32_t(bytes.at(at)) | uint32_t(bytes.at(at + 1)) << 8 |
           uint32_t(bytes.at(at + 2)) << 16 | uint32_t(bytes.at(at + 3)) << 24;
}

ImageEntry entryAt(const std::vector<unsigned char>& bytes, size_t at) {
    EXPECT_LE(at + kEntrySize, bytes.size());
    return decodeEntry(bytes.data() + at);
}

bool sameBytes(const std::vector<unsigned char>& file, size_t at,
               const std::vector<unsigned char>& expected) {
    return file.size() >= at + expected.size() &&
           std::memcmp(file.data() + at, expected.data(), expected.size()) == 0;
}

uint32_t sumOf(const std::vector<unsigned char>& bytes) { return byteSum(bytes.data(), bytes.size()); }

// The master entry's checksum is the byte sum of the finished image area.
void expectMasterCoversArea(const std::vector<unsigned char>& fw, uint32_t imageBase) {
    const ImageEntry master = entryAt(fw, 0x4200);
    ASSERT_LE(imageBase + master.len, fw.size());
    EXPECT_EQ(master.chksum, byteSum(fw.data() + imageBase, master.len));
}

struct Fixture : ::testing::Test {
    TempFolder dir;
    ToolRun run(const std::vector<std::string>& args) { return runTarnwick(args, dir.path()); }
};

using Extraction = Fixture;
using Build = Fixture;

}  // namespace

TEST_F(Extraction, ReadsImageBytesAt512PastDevOffsetOnlyForFormatVersion3) {
    const auto os = patternBytes(3000, 7);
    const auto updater = patternBytes(1500, 8);
    for (uint16_t version : {2, 3}) {
        SCOPED_TRACE(version);
        writeFile(dir.file("fw.bin"),
                  makeFirmware(version, {{"!ATA", 0x6F736F73, 0x10000000, 0x40, 0x123, os},
                                         {"!ATA", 0x1234, 0x10000000, 0, 0x5, updater}}));
        for (int slot : {0, 1}) {
            const ToolRun r = run({"-o", "out.bin", "-e", std::to_string(slot), "fw.bin"});
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out, "");
            const auto fw = readFile(dir.file("fw.bin"));
            const auto out = readFile(dir.file("out.bin"));
            const auto& image = slot == 0 ? os : updater;
            ASSERT_EQ(out.size(), 512 + image.size());
            // The entry is copied unchanged, the gap stays zero, the bytes follow.
            EXPECT_TRUE(std::memcmp(out.data(), fw.data() + 0x4200 + 40 * slot, 40) == 0);
            EXPECT_TRUE(std::all_of(out.begin() + 40, out.begin() + 512, [](auto b) { return b == 0; }));
            EXPECT_TRUE(sameBytes(out, 512, image));
        }
    }
}

TEST_F(Extraction, ImageRunningPastTheFileFailsWithAMeaningfulReadError) {
    auto fw = makeFirmware(2, {{"!ATA", 1, 2, 3, 4, patternBytes(2000, 1)}});
    fw.resize(fw.size() - 100);
    writeFile(dir.file("fw.bin"), fw);
    const ToolRun r = run({"-o", "out.bin", "-e", "0", "fw.bin"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "fread failed: unexpected end of input file\n");
}

TEST_F(Build, FourthGenerationRawImageAndLoaderLayout) {
    const auto raw = patternBytes(1000, 11);
    const auto loader = patternBytes(300, 12);
    writeFile(dir.file("raw.bin"), raw);
    writeFile(dir.file("loader.bin"), loader);
    const ToolRun r = run({"-g", "4g", "-o", "fw.bin", "-l", "raw.bin", "loader.bin"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Generating firmware image compatible with iPod mini, 4g and iPod photo/color...\n");

    const auto fw = readFile(dir.file("fw.bin"));
    ASSERT_EQ(fw.size(), 0x4A00u + 300);

    // Banner, header words and a directory that holds only the master.
    unsigned char banner[256];
    makeBanner(banner);
    EXPECT_EQ(std::memcmp(fw.data(), banner, 256), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fw.data()) + 48, 16), "{{~~| S T O P | ");
    EXPECT_EQ(wordAt(fw, 0x100), 0x5B68695Du);
    EXPECT_EQ(wordAt(fw, 0x104), 0x00004000u);
    EXPECT_EQ(wordAt(fw, 0x108), 0x0003010Cu);
    EXPECT_TRUE(std::all_of(fw.begin() + 0x10C, fw.begin() + 0x4200, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(fw.begin() + 0x4228, fw.begin() + 0x4600, [](auto b) { return b == 0; }));

    // The image at the image base; the loader at the next 512 boundary,
    // with the image's entry written into its table at 0x100.
    EXPECT_TRUE(sameBytes(fw, 0x4600, raw));
    auto loaderWithTable = loader;
    const ImageEntry image = entryAt(fw, 0x4A00 + 0x100);
    encodeEntry(image, loaderWithTable.data() + 0x100);
    EXPECT_TRUE(sameBytes(fw, 0x4A00, loaderWithTable));
    EXPECT_EQ(image.type, kEntryTypeATA);
    EXPECT_EQ(image.id, kEntryIdSoso);
    EXPECT_EQ(image.devOffset, 0x4600u);
    EXPECT_EQ(image.len, 1000u);
    EXPECT_EQ(image.addr, 0x10000000u);
    EXPECT_EQ(image.entryOffset, 0u);
    EXPECT_EQ(image.chksum, sumOf(raw));
    EXPECT_EQ(image.loadAddr, 0xFFFFFFFFu);

    const ImageEntry master = entryAt(fw, 0x4200);
    EXPECT_EQ(master.devOffset, 0x4400u);
    EXPECT_EQ(master.len, 0x4A00u + 300 - 0x4600);
    EXPECT_EQ(master.entryOffset, 0x400u);
    EXPECT_EQ(master.addr, 0x10000000u);
    expectMasterCoversArea(fw, 0x4600);
}

TEST_F(Build, RawImageTakesTheLoadAddressInForceWhenItIsChained) {
    writeFile(dir.file("a.bin"), patternBytes(700, 1));
    writeFile(dir.file("loader.bin"), patternBytes(600, 2));
    const ToolRun r = run({"-o", "fw.bin", "-l", "a.bin", "-g", "4g", "-l", "a.bin", "loader.bin"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto fw = readFile(dir.file("fw.bin"));
    // First group until 4g was read: the first image is placed at 0x4400 and
    // loads at 0x28000000; the second at the next boundary, 0x10000000.
    const uint32_t loaderOffset = 0x4400 + 1024 + 1024;
    const ImageEntry first = entryAt(fw, loaderOffset + 0x100);
    const ImageEntry second = entryAt(fw, loaderOffset + 0x100 + 40);
    EXPECT_EQ(first.devOffset, 0x4400u);
    EXPECT_EQ(first.addr, 0x28000000u);
    EXPECT_EQ(second.devOffset, 0x4400u + 1024);
    EXPECT_EQ(second.addr, 0x10000000u);
    EXPECT_EQ(wordAt(fw, 0x108), 0x0003010Cu);
    // The master covers the area from the image base of the final group.
    expectMasterCoversArea(fw, 0x4600);
}

TEST_F(Build, LoaderShorterThanItsImageTableKeepsTheTableBehindIt) {
    writeFile(dir.file("a.bin"), patternBytes(100, 1));
    writeFile(dir.file("loader.bin"), patternBytes(0x110, 2));  // ends inside the first entry
    const ToolRun r = run({"-g", "1g", "-o", "fw.bin", "-l", "a.bin", "-l", "a.bin", "loader.bin"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto fw = readFile(dir.file("fw.bin"));
    EXPECT_EQ(fw.size(), 0x4800u + 0x100 + 80);
    EXPECT_EQ(entryAt(fw, 0x4800 + 0x100 + 40).devOffset, 0x4600u);
    expectMasterCoversArea(fw, 0x4400);
}

TEST_F(Build, ExtractedImageRoundTripKeepsItsFieldsAndMasterTakesHighestVersion) {
    const auto os = patternBytes(5000, 3);
    writeFile(dir.file("orig.bin"),
              makeFirmware(3, {{"osos", 0xABCD, 0x10001000, 0x80, 0x00020300, os}}));
    writeFile(dir.file("linux.bin"), patternBytes(4096, 4));
    writeFile(dir.file("loader.bin"), patternBytes(1000, 5));
    ASSERT_EQ(run({"-o", "os.bin", "-e", "0", "orig.bin"}).status, 0);
    const ToolRun r = run({"-g", "nano", "-o", "fw.bin", "-i", "os.bin", "-l", "linux.bin", "loader.bin"});
    ASSERT_EQ(r.status, 0) << r.err;

    const auto fw = readFile(dir.file("fw.bin"));
    const uint32_t linuxOffset = 0x4600 + 5120;
    const uint32_t loaderOffset = linuxOffset + 4096;
    const ImageEntry apple = entryAt(fw, loaderOffset + 0x100);
    EXPECT_EQ(apple.type, 0x736F736Fu);
    EXPECT_EQ(apple.id, 0xABCDu);
    EXPECT_EQ(apple.addr, 0x10001000u);
    EXPECT_EQ(apple.entryOffset, 0x80u);
    EXPECT_EQ(apple.vers, 0x00020300u);
    EXPECT_EQ(apple.devOffset, 0x4600u);
    EXPECT_EQ(apple.chksum, sumOf(os));
    EXPECT_TRUE(sameBytes(fw, 0x4600, os));
    EXPECT_EQ(entryAt(fw, loaderOffset + 0x100 + 40).devOffset, linuxOffset);

    const ImageEntry master = entryAt(fw, 0x4200);
    EXPECT_EQ(master.vers, 0x00020300u);
    EXPECT_EQ(master.entryOffset, loaderOffset - 0x4600);
    expectMasterCoversArea(fw, 0x4600);

    // What we built extracts again to the same image.
    ASSERT_EQ(run({"-o", "again.bin", "-e", "0", "fw.bin"}).status, 0);
    const auto again = readFile(dir.file("again.bin"));
    EXPECT_EQ(entryAt(again, 0).len, master.len);
    EXPECT_TRUE(sameBytes(again, 512, os));
}

TEST_F(Build, MasterRevisionOverridesImageVersions) {
    writeFile(dir.file("orig.bin"), makeFirmware(2, {{"!ATA", 1, 0x28000000, 0, 0x999, patternBytes(100, 1)}}));
    writeFile(dir.file("loader.bin"), patternBytes(100, 2));
    ASSERT_EQ(run({"-o", "os.bin", "-e", "0", "orig.bin"}).status, 0);
    ASSERT_EQ(run({"-g", "2g", "-r", "210", "-o", "fw.bin", "-i", "os.bin", "loader.bin"}).status, 0);
    const auto fw = readFile(dir.file("fw.bin"));
    EXPECT_EQ(entryAt(fw, 0x4200).vers, 0x210u);
    EXPECT_EQ(entryAt(fw, 0x4200).addr, 0x28000000u);
    EXPECT_EQ(wordAt(fw, 0x108), 0x0002010Cu);
}

TEST_F(Build, VideoBuildAppendsTheResourceImage) {
    const auto rsrc = patternBytes(777, 9);
    std::vector<unsigned char> rsrcFile(512 + rsrc.size());
    ImageEntry rsrcEntry;
    rsrcEntry.type = 0x63727372;  // "rsrc"
    rsrcEntry.id = 0x55;
    rsrcEntry.len = uint32_t(rsrc.size());
    rsrcEntry.addr = 0x11000000;
    rsrcEntry.vers = 0x77;
    encodeEntry(rsrcEntry, rsrcFile.data());
    std::copy(rsrc.begin(), rsrc.end(), rsrcFile.begin() + 512);
    writeFile(dir.file("apple_sw_5g_rcsc.bin"), rsrcFile);
    writeFile(dir.file("raw.bin"), patternBytes(1000, 1));
    writeFile(dir.file("loader.bin"), patternBytes(300, 2));

    const ToolRun r = run({"-v", "-g", "VIDEO", "-o", "fw.bin", "-l", "raw.bin", "loader.bin"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Generating firmware image compatible with iPod video\n"), std::string::npos);
    EXPECT_NE(r.out.find("rsrc image: type: 'rsrc' id: 0x  55 len: 0x 309"), std::string::npos);

    const auto fw = readFile(dir.file("fw.bin"));
    const uint32_t masterLen = 0x4A00 + 300 - 0x4600;
    const uint32_t place = (0x4400 + masterLen + 511) & ~511u;
    const ImageEntry entry = entryAt(fw, 0x4200 + 40);
    EXPECT_EQ(entry.devOffset, place + 512);
    EXPECT_EQ(entry.chksum, sumOf(rsrc));
    EXPECT_EQ(entry.addr, 0x11000000u);
    EXPECT_TRUE(sameBytes(fw, place + 1024, rsrc));
}

TEST_F(Build, VideoBuildWithoutResourceImageFails) {
    writeFile(dir.file("raw.bin"), patternBytes(10, 1));
    writeFile(dir.file("loader.bin"), patternBytes(10, 2));
    const ToolRun r = run({"-g", "5g", "-o", "fw.bin", "-l", "raw.bin", "loader.bin"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open firmware image file apple_sw_5g_rcsc.bin\n");
}

TEST_F(Build, VerboseEntriesArePrintedInTheirTwoLineFormat) {
    writeFile(dir.file("raw.bin"), patternBytes(0x1234, 1));
    writeFile(dir.file("loader.bin"), patternBytes(0x20, 2));
    const ToolRun r = run({"-v", "-g", "3g", "-o", "fw.bin", "-l", "raw.bin", "loader.bin"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto fw = readFile(dir.file("fw.bin"));
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "Linux image added: type: '!ATA' id: 0x6f736f73 len: 0x1234 addr: 0x28000000 vers: 0x       0\r\n"
                  "devOffset: 0x00004400 entryOffset: 0x00000000 loadAddr: 0xFFFFFFFF chksum: 0x%08X\n"
                  "Generating firmware image compatible with 1g, 2g and 3g iPods...\n"
                  "Master image: type: '!ATA' id: 0x6f736f73 len: 0x1420 addr: 0x28000000 vers: 0x       0\r\n"
                  "devOffset: 0x00004400 entryOffset: 0x00001400 loadAddr: 0xFFFFFFFF chksum: 0x%08X\n",
                  entryAt(fw, 0x5800 + 0x100).chksum, entryAt(fw, 0x4200).chksum);
    EXPECT_EQ(r.out, expected);
}
