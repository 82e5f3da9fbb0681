// Reading zarn.ini's bytes.

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/temp_folder.hpp"
#include "window/win32/file_bytes.hpp"

namespace zarn {
namespace {

TEST(FileBytes, reads_every_byte_unchanged) {
    testing::TempFolder folder;
    const std::string bytes("font=A\r\nsize=1\r\x00\xFF\n", 18);
    folder.write("zarn.ini", bytes);
    EXPECT_TRUE(fileExists("zarn.ini"));
    EXPECT_EQ(readFileBytes("zarn.ini"), bytes);
}

TEST(FileBytes, an_empty_file_gives_no_bytes) {
    testing::TempFolder folder;
    folder.write("zarn.ini", "");
    EXPECT_EQ(readFileBytes("zarn.ini"), "");
}

TEST(FileBytes, a_directory_exists_but_cannot_be_read) {
    testing::TempFolder folder;
    folder.makeFolder("zarn.ini");
    EXPECT_TRUE(fileExists("zarn.ini"));
    EXPECT_THROW(readFileBytes("zarn.ini"), FileException);
}

TEST(FileBytes, a_missing_file_is_reported_with_its_name_and_the_systems_words) {
    testing::TempFolder folder;
    EXPECT_FALSE(fileExists("zarn.ini"));
    try {
        readFileBytes("zarn.ini");
        FAIL() << "no exception";
    } catch (const FileException& error) {
        const std::string& message = error.message();
        EXPECT_EQ(message.rfind("zarn.ini: ", 0), 0u) << message;
        EXPECT_GT(message.size(), 10u);
        EXPECT_NE(message.back(), '\n');
    }
}

}  // namespace
}  // namespace zarn
