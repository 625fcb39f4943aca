#include "platform/drive_discovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testing/temp_folder.h"

namespace fs = std::filesystem;
using namespace corvina::platform;
using corvina::testing::TempFolder;

namespace {

// A copy of a host's sysfs: /sys/block/<disk> links into /sys/devices, and
// /sys/dev/block/<major>:<minor> links to the disk or its partition.
class SysTree {
 public:
  explicit SysTree(const TempFolder& folder) : root_(folder.path() / "sys") {}

  void addDisk(const std::string& name, const std::string& devicePath, const std::string& devno,
               bool removable, const std::vector<std::pair<std::string, std::string>>& partitions = {}) {
    fs::path device = root_ / "devices" / devicePath / "block" / name;
    fs::create_directories(device);
    writeFile(device / "removable", removable ? "1\n" : "0\n");
    link(root_ / "block" / name, device);
    link(root_ / "dev" / "block" / devno, device);
    for (const auto& [part, partDevno] : partitions) {
      fs::create_directories(device / part);
      writeFile(device / part / "partition", "1\n");
      link(root_ / "dev" / "block" / partDevno, device / part);
    }
  }
  std::string root() const { return root_.string(); }

 private:
  static void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream(file) << text;
  }
  static void link(const fs::path& at, const fs::path& target) {
    fs::create_directories(at.parent_path());
    fs::create_directory_symlink(fs::relative(target, at.parent_path()), at);
  }
  fs::path root_;
};

const char* kUsbPath = "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0";
const char* kSataPath = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0";

class DriveDiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys.addDisk("sda", kSataPath, "8:0", false, {{"sda1", "8:1"}, {"sda2", "8:2"}});
    sys.addDisk("sdb", kUsbPath, "8:16", false, {{"sdb2", "8:18"}});  // iPod: USB, not "removable"
    sys.addDisk("sdc", "pci0000:00/0000:00:1f.2/host3/target3:0:0/3:0:0:0", "8:32", true, {{"sdc1", "8:33"}});
    sys.addDisk("sr0", "pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0", "11:0", true);
  }
  std::string mountinfo(const std::string& text) const { return folder.write("mountinfo", text).string(); }

  TempFolder folder;
  SysTree sys{folder};
};

TEST_F(DriveDiscoveryTest, ClassifiesEachKindOfMount) {
  struct Case {
    MountEntry mount;
    unsigned type;
  } cases[] = {
      {{8, 18, "/media/user/IPOD", "vfat", "/dev/sdb2"}, DRIVE_REMOVABLE},   // USB disk
      {{8, 33, "/media/user/CARD", "vfat", "/dev/sdc1"}, DRIVE_REMOVABLE},   // removable flag
      {{8, 2, "/home", "ext4", "/dev/sda2"}, DRIVE_FIXED},
      {{11, 0, "/media/cdrom", "iso9660", "/dev/sr0"}, DRIVE_CDROM},
      {{0, 50, "/mnt/share", "nfs4", "server:/export"}, DRIVE_REMOTE},
      {{0, 51, "/mnt/win", "cifs", "//server/share"}, DRIVE_REMOTE},
      {{0, 23, "/run/user/1000", "tmpfs", "tmpfs"}, DRIVE_RAMDISK},
      {{0, 4, "/proc", "proc", "proc"}, DRIVE_UNKNOWN},
      {{0, 30, "/", "overlay", "overlay"}, DRIVE_UNKNOWN},
      {{9, 9, "/media/gone", "ext4", "/dev/md9"}, DRIVE_UNKNOWN},  // no such device in sysfs
  };
  for (const Case& c : cases) EXPECT_EQ(classifyMount(c.mount, sys.root()), c.type) << c.mount.mountPoint;
}

TEST_F(DriveDiscoveryTest, ParsesMountInfoWithOptionalFieldsAndEscapes) {
  auto mounts = parseMountInfo(
      "36 25 8:18 / /media/user/MY\\040IPOD rw,nosuid shared:1 master:2 - vfat /dev/sdb2 rw,fmask=0022\n"
      "broken line\n"
      "37 25 0:4 / /proc rw - proc proc rw\n");
  ASSERT_EQ(mounts.size(), 2u);
  EXPECT_EQ(mounts[0].major, 8u);
  EXPECT_EQ(mounts[0].minor, 18u);
  EXPECT_EQ(mounts[0].mountPoint, "/media/user/MY IPOD");
  EXPECT_EQ(mounts[0].fsType, "vfat");
  EXPECT_EQ(mounts[0].source, "/dev/sdb2");
  EXPECT_EQ(mounts[1].fsType, "proc");
}

TEST_F(DriveDiscoveryTest, GivesLettersToAttachedVolumesInMountPointOrder) {
  std::string info = mountinfo(
      "20 1 0:30 / / rw - overlay overlay rw\n"
      "21 20 0:4 / /proc rw - proc proc rw\n"
      "22 20 8:2 / /home rw - ext4 /dev/sda2 rw\n"
      "23 20 8:33 / /run/media/user/CARD rw - vfat /dev/sdc1 rw\n"
      "24 20 8:18 / /media/user/IPOD rw - vfat /dev/sdb2 rw\n"
      "25 20 8:1 / /mnt/data rw - ext4 /dev/sda1 rw\n"
      "26 20 0:23 / /run/user/1000 rw - tmpfs tmpfs rw\n"
      "27 20 0:50 / /mnt/share rw - nfs4 server:/export rw\n");
  auto map = discoverDrives(info, sys.root());
  ASSERT_EQ(map.size(), 5u);
  EXPECT_EQ(map[0].letter, 'D');
  EXPECT_EQ(map[0].hostFolder, "/media/user/IPOD");
  EXPECT_EQ(map[0].type, DRIVE_REMOVABLE);
  EXPECT_EQ(map[1].hostFolder, "/mnt/data");  // a fixed disk the user mounted
  EXPECT_EQ(map[1].type, DRIVE_FIXED);
  EXPECT_EQ(map[2].hostFolder, "/mnt/share");
  EXPECT_EQ(map[2].type, DRIVE_REMOTE);
  EXPECT_EQ(map[3].hostFolder, "/run/media/user/CARD");
  EXPECT_EQ(map[3].letter, 'G');
  EXPECT_EQ(map[4].letter, 'Z');
  EXPECT_EQ(map[4].hostFolder, "/");
  EXPECT_EQ(map[4].type, DRIVE_FIXED);
}

TEST_F(DriveDiscoveryTest, MissingMountInfoLeavesOnlyTheHostTree) {
  auto map = discoverDrives((folder.path() / "none").string(), sys.root());
  ASSERT_EQ(map.size(), 1u);
  EXPECT_EQ(map[0].letter, 'Z');
}

}  // namespace
