#include "core/data/DroppedPaths.h"
#include "core/data/DataFileTestFiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tremvix {
namespace {

TEST(DroppedPaths, FilesAndFoldersAreToldApartAndWhatIsGoneIsLeftOut) {
    testing::TempFolder folder;
    const fs::path a = folder.Write("a.csv", "x");
    const fs::path b = folder.Write("b.csv", "y");
    fs::create_directory(folder.Path() / "sub");
    const DroppedPaths sorted = SortDroppedPaths({a, folder.Path() / "sub", folder.Path() / "gone.csv", b});
    EXPECT_EQ(sorted.files, (std::vector<fs::path>{a, b}));
    EXPECT_EQ(sorted.folders, (std::vector<fs::path>{folder.Path() / "sub"}));
}

TEST(DroppedPaths, AFileOfTheRecordIsKnownThroughALinkOrAnotherSpelling) {
    testing::TempFolder folder;
    const fs::path ns = folder.Write("R.NS", "1");
    const fs::path ew = folder.Write("R.EW", "2");
    const fs::path other = folder.Write("S.NS", "3");
    fs::create_symlink(ew, folder.Path() / "link.EW");
    const fs::path spelled = folder.Path() / "." / "R.NS";
    EXPECT_EQ(FilesLeftOut({spelled, folder.Path() / "link.EW", other}, {ns, ew}), (std::vector<fs::path>{other}));
    EXPECT_TRUE(FilesLeftOut({ns}, {ns}).empty());
    EXPECT_EQ(FilesLeftOut({ns}, {}), (std::vector<fs::path>{ns}));
}

}  // namespace
}  // namespace tremvix
