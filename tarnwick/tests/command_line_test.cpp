// The command-line rules: what each combination of options prints, on which
// stream, and the exit status.
#include <gtest/gtest.h>

#include "command_line.h"
#include "run_tool.h"
#include "sample_firmware.h"

using tarnwick::kUsageText;
using namespace tarnwick::sample;

namespace {

const std::string kUsage = kUsageText;
const std::string kGenerating2 = "Generating firmware image compatible with 1g, 2g and 3g iPods...\n";

struct Case {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
    bool posixlyCorrect = false;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CommandLine : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        writeFile(dir.file("fw.bin"), makeFirmware(3, {{"!ATA", 1, 2, 3, 4, patternBytes(600, 1)}}));
        writeFile(dir.file("os.bin"), patternBytes(600, 2));  // stands for an extracted image
        writeFile(dir.file("raw.bin"), patternBytes(600, 3));
        writeFile(dir.file("loader.bin"), patternBytes(400, 4));
    }
    TempFolder dir;
};

std::vector<std::string> sixImages() {
    std::vector<std::string> args{"-g", "1g", "-o", "out.bin"};
    for (int i = 0; i < 6; ++i) args.insert(args.end(), {"-l", "raw.bin"});
    args.push_back("loader.bin");
    return args;
}

const Case kCases[] = {
    {"HelpAlone", {"-h"}, 0, kUsage, ""},
    {"HelpAfterGenerationAndRevision", {"-g", "4g", "-r", "1", "-h"}, 0, kUsage, ""},
    {"HelpAfterVerbose", {"-v", "-h"}, 1, kUsage, "-[?h] is exclusive with other arguments\n"},
    {"HelpAfterOutput", {"-o", "out.bin", "-h"}, 1, kUsage, "-[?h] is exclusive with other arguments\n"},
    {"Extract", {"-o", "out.bin", "-e", "0", "fw.bin"}, 0, "", ""},
    {"ExtractPermutedArgument", {"fw.bin", "-o", "out.bin", "-e", "0"}, 0, "", ""},
    {"ExtractAfterDoubleDash", {"-o", "out.bin", "-e", "0", "--", "fw.bin"}, 0, "", ""},
    {"PosixlyCorrectStopsAtFirstArgument", {"fw.bin", "-o", "out.bin", "-e", "0"}, 1, kUsage, "", true},
    {"ExtractBeforeOutput", {"-e", "0", "-o", "out.bin", "fw.bin"}, 1, kUsage, ""},
    {"ExtractTwice", {"-o", "out.bin", "-e", "0", "-e", "1", "fw.bin"}, 1, kUsage, ""},
    {"ExtractAfterImage", {"-o", "out.bin", "-l", "raw.bin", "-e", "0", "fw.bin"}, 1, kUsage, ""},
    {"ImageAfterExtract", {"-o", "out.bin", "-e", "0", "-l", "raw.bin", "fw.bin"}, 1, kUsage, ""},
    {"ImageBeforeOutput", {"-g", "1g", "-l", "raw.bin", "-o", "out.bin", "loader.bin"}, 1, kUsage, ""},
    {"RevisionAfterExtract", {"-o", "out.bin", "-e", "0", "-r", "210", "fw.bin"}, 1, kUsage, ""},
    {"NegativeImageNumber", {"-o", "out.bin", "-e", "-1", "fw.bin"}, 1, kUsage, "invalid image number -1\n"},
    {"NonNumericImageNumber", {"-o", "out.bin", "-e", "x1", "fw.bin"}, 1, kUsage, "invalid image number x1\n"},
    {"TrailingTextInImageNumber", {"-o", "out.bin", "-e", "1x", "fw.bin"}, 1, kUsage, "invalid image number 1x\n"},
    {"TwoArguments", {"-o", "out.bin", "-e", "0", "fw.bin", "fw.bin"}, 1, kUsage, ""},
    {"NoArgument", {"-o", "out.bin", "-e", "0"}, 1, kUsage, ""},
    {"OutputTwice", {"-o", "out.bin", "-o", "out2.bin"}, 1, kUsage, "output already opened\n"},
    {"OutputCannotBeOpened", {"-o", "no/such/dir/out.bin"}, 1, "", "Cannot open output file no/such/dir/out.bin\n"},
    {"UnknownOption", {"-x"}, 1, kUsage, "invalid option -x specified\n"},
    {"MissingArgument", {"-o"}, 1, kUsage, "invalid option -o specified\n"},
    {"BadGeneration", {"-g", "6g"}, 1, "", "6g: bad gen. Valid options are: 1g, 2g, 3g, 4g, 5g, scroll, touch, dock, mini, nano, photo, color, and video\n"},
    {"SixthImage", sixImages(), 1, "", "Only 5 images supported\n"},
    {"BuildWithoutGeneration", {"-o", "out.bin", "-l", "raw.bin", "loader.bin"}, 1, kUsage, ""},
    {"BuildWithoutImages", {"-g", "1g", "-o", "out.bin", "loader.bin"}, 1, kGenerating2, "no images specified!\n"},
    {"Build", {"-g", "1g", "-o", "out.bin", "-l", "raw.bin", "loader.bin"}, 0, kGenerating2, ""},
    {"FirstGroupWordKeepsSecondGroup", {"-g", "4g", "-g", "1g", "-o", "out.bin", "-l", "raw.bin", "loader.bin"}, 0,
     "Generating firmware image compatible with iPod mini, 4g and iPod photo/color...\n", ""},
    {"HiddenThirdFormatOption", {"-3", "-o", "out.bin", "-l", "raw.bin", "loader.bin"}, 0,
     "Generating firmware image compatible with iPod mini, 4g and iPod photo/color...\n", ""},
    {"TwoVerboseOptionsWarn", {"-v", "-v", "-g", "1g", "-o", "out.bin", "loader.bin"}, 1, kGenerating2,
     "Warning: multiple -v options specified\nno images specified!\n"},
    {"MissingFirmware", {"-o", "out.bin", "-e", "0", "none.bin"}, 1, "", "Cannot open firmware image file none.bin\n"},
    {"MissingExtractedImage", {"-g", "1g", "-o", "out.bin", "-i", "none.bin", "loader.bin"}, 1, "", "Cannot open firmware image file none.bin\n"},
    {"MissingRawImage", {"-g", "1g", "-o", "out.bin", "-l", "none.bin", "loader.bin"}, 1, "", "Cannot open linux image file none.bin\n"},
    {"MissingLoader", {"-g", "1g", "-o", "out.bin", "-l", "raw.bin", "none.bin"}, 1, kGenerating2, "Cannot open loader image file none.bin\n"},
};

}  // namespace

TEST_P(CommandLine, PrintsAndExitsAsExpected) {
    const Case& c = GetParam();
    const ToolRun r = runTarnwick(c.args, dir.path(), c.posixlyCorrect);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UsageText, EndsWithTwoEmptyLinesAndHasTheTabbedRevisionLine) {
    EXPECT_TRUE(kUsage.ends_with("create a bootable ipod image.\n\n\n"));
    EXPECT_NE(kUsage.find("\n\t     -r: set master revision to rev (for example 210 for 2.10)\n"), std::string::npos);
    EXPECT_EQ(std::count(kUsage.begin(), kUsage.end(), '\n'), 24);
}
