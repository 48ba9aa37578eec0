#include "corvane/platform/Drives.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr const char* kTable =
    "proc /proc proc rw 0 0\n"
    "overlay / overlay rw 0 0\n"
    "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
    "server:/export /mnt/nfs nfs4 rw 0 0\n"
    "//host/share /mnt/win cifs rw 0 0\n"
    "tmpfs /dev/shm tmpfs rw 0 0\n"
    "/dev/sda2 /home ext4 rw 0 0\n"
    "/dev/sda3 /home ext4 rw 0 0\n"
    "user@h:/x /mnt/ssh fuse.sshfs rw 0 0\n"
    "garbage\n";

class Drives : public ::testing::Test {
 protected:
  void SetUp() override {
    detail::set_mount_table_for_tests(std::string(kTable));
    detail::set_removable_devices_for_tests(std::vector<std::string>{"/dev/sdb1"});
  }
  void TearDown() override {
    detail::set_mount_table_for_tests(std::nullopt);
    detail::set_removable_devices_for_tests(std::nullopt);
  }
};

TEST_F(Drives, MountPointsAreClassifiedAndLettered) {
  const auto mounts = mount_points();
  ASSERT_EQ(mounts.size(), 6u);  // proc, tmpfs and the line without fields left out
  EXPECT_EQ(mounts[0].path, "/");
  EXPECT_EQ(mounts[0].letter, 'C');
  EXPECT_EQ(mounts[1].path, "/home");
  EXPECT_EQ(mounts[1].device, "/dev/sda3");  // mounted over: the later mount counts
  EXPECT_EQ(mounts[1].letter, 'D');
  EXPECT_EQ(mounts[2].path, "/media/usb stick");
  EXPECT_EQ(mounts[2].kind, TDriveKind::removable);
  EXPECT_EQ(mounts[3].kind, TDriveKind::remote);  // /mnt/nfs
  EXPECT_EQ(mounts[4].kind, TDriveKind::remote);  // /mnt/ssh
  EXPECT_EQ(mounts[5].path, "/mnt/win");
  EXPECT_EQ(mounts[5].letter, 'H');
  EXPECT_EQ(drive_letter_bits(), 0b11111100u);
}

TEST_F(Drives, LettersAndPathsFindTheirMountPoint) {
  EXPECT_EQ(mount_point_of_letter(u'd')->path, "/home");
  EXPECT_FALSE(mount_point_of_letter(u'Q'));
  EXPECT_EQ(native_path(u"D:\\texts\\a.txt"), u"/home/texts/a.txt");
  EXPECT_EQ(native_path(u"c:\\x"), u"/x");
  EXPECT_EQ(native_path(u"E:"), u"/media/usb stick");
  EXPECT_EQ(native_path(u"Q:\\x"), u"Q:\\x");
  EXPECT_EQ(native_path(u"a\\b/c"), u"a/b/c");
  EXPECT_EQ(mount_point_of_path(u"/home/me/x.txt")->path, "/home");
  EXPECT_EQ(mount_point_of_path(u"/homework")->path, "/");
  EXPECT_EQ(mount_point_of_path(u"F:\\deep")->path, "/mnt/nfs");
  EXPECT_FALSE(mount_point_of_path(u"Q:\\x"));
  EXPECT_FALSE(mount_point_of_path(u""));
}

TEST(DrivesSystem, TheRealTableHasTheRootAndItsSpace) {
  const auto mounts = mount_points();
  ASSERT_FALSE(mounts.empty());
  EXPECT_EQ(mounts[0].path, "/");
  for (const auto& m : mounts)
    EXPECT_FALSE(is_pseudo_file_system(m.fs_type, m.device) && m.path != "/");
  std::int64_t user = 0, all = 0, total = 0;
  EXPECT_TRUE(disk_space(u"/", user, all, total));
  EXPECT_GT(total, 0);
  EXPECT_GE(all, user);
  EXPECT_FALSE(disk_space(u"/no/such/place/at/all", user, all, total));
}

}  // namespace
}  // namespace corvane
