#include "support/profile_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "fixture.h"

namespace zentab::test {
namespace {

std::int32_t ReadMaxLog(const std::string& value) {
  return profile::GetInt("[Option]\r\nMaxLog=" + value + "\r\n", "Option", "MaxLog", 50);
}

TEST(ProfileRead, TheNumberAtTheStartOfTheValue) {
  const std::pair<const char*, std::int32_t> cases[] = {{"5", 5},
                                                        {"-5", -5},
                                                        {"  7  ", 7},
                                                        {"+8", 8},
                                                        {"0x10", 16},
                                                        {"0X10", 0},
                                                        {"0o17", 15},
                                                        {"0b101", 5},
                                                        {"abc", 0},
                                                        {"", 50},
                                                        {"12abc", 12},
                                                        {"99999", 99999},
                                                        {"-40000", -40000},
                                                        {"2147483648", INT_MIN},
                                                        {"4294967297", 1},
                                                        {"42A94967297", 42},
                                                        {"010", 10},
                                                        {"1.5", 1},
                                                        {"\xef\xbc\x95", 0},
                                                        {"\"42\"", 42},
                                                        {"'7'", 7},
                                                        {"\"9", 0},
                                                        {"- 5", 0},
                                                        {"+-5", 0}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(ReadMaxLog(value), expected) << "MaxLog=" << value;
  }
  // 29 characters are read, the 30th is not; quotes come off only when the value fits.
  EXPECT_EQ(ReadMaxLog(std::string(28, '0') + "12"), 1);
  EXPECT_EQ(ReadMaxLog(std::string(27, '0') + "12"), 12);
  EXPECT_EQ(ReadMaxLog("\"" + std::string(26, '0') + "12\""), 12);
  EXPECT_EQ(ReadMaxLog("\"" + std::string(30, '0') + "12\""), 0);
}

TEST(ProfileRead, MissingFileSectionKeyOrValueGivesTheDefault) {
  const std::string text = "[Option]\r\nMaxLog\r\nOther=1\r\n";
  EXPECT_EQ(profile::GetInt("", "Option", "MaxLog", 50), 50);
  EXPECT_EQ(profile::GetInt(text, "User", "Other", -2), -2);
  EXPECT_EQ(profile::GetInt(text, "Option", "Missing", 7), 7);
  EXPECT_EQ(profile::GetInt(text, "Option", "MaxLog", 9), 9);
  EXPECT_EQ(profile::GetInt(text, "Option", "", 3), 3);
  EXPECT_EQ(profile::GetInt("[Option]\r\n=40\r\n", "Option", "", 3), 40);
  TempFolder folder;
  EXPECT_EQ(profile::ReadProfileInt("Option", "MaxLog", 50, folder.File("none.ini")), 50);
}

TEST(ProfileRead, NamesMatchWithoutRegardToCaseAndTheFirstSectionCounts) {
  const std::string text =
      "Loose=4\r\n[OPTION]\r\n  maxLOG = 12 \r\n[Other]\r\nX=1\r\n[option]\r\nThrough=3\r\n";
  EXPECT_EQ(profile::GetInt(text, "Option", "MaxLog", 50), 12);
  EXPECT_EQ(profile::GetInt(text, " option ", " MaxLog ", 50), 12);
  EXPECT_EQ(profile::GetInt(text, "Option", "Through", 0), 0);
  EXPECT_EQ(profile::GetInt(text, "Other", "x", 0), 1);
  EXPECT_EQ(profile::GetInt(text, "", "Loose", 0), 4);
  EXPECT_EQ(profile::GetInt("  [ Option ] old\r\nA=1\r\n", "Option", "A", 0), 1);
}

TEST(ProfileRead, DoubleByteNamesAreComparedWhole) {
  // The second bytes of these characters are ASCII letters: they must not be folded.
  const std::string upper = "\x8c\x58";  // a character whose second byte is 'X'
  const std::string lower = "\x8c\x78";  // one whose second byte is 'x'
  const std::string text = "[" + upper + "]\r\n" + lower + "=5\r\n";
  EXPECT_EQ(profile::GetInt(text, upper, lower, 0), 5);
  EXPECT_EQ(profile::GetInt(text, lower, lower, 0), 0);
  EXPECT_EQ(profile::GetInt(text, upper, upper, 0), 0);
  // A header's "]" is found as a character, not as a second byte ("\x83\x5d" holds 0x5D).
  EXPECT_EQ(profile::GetInt("[\x83\x5d]\r\nA=1\r\n", "\x83\x5d", "A", 0), 1);
}

TEST(ProfileWrite, KeyByKeyBuildsSectionsInOrderWithCrLf) {
  std::string file;
  for (const auto& [section, key, value] : {std::tuple{"User", "key1", "v1"},
                                            {"Option", "ChkMode", "2"},
                                            {"Option", "MaxLog", "50"},
                                            {"User", "key2", " v2"}}) {
    file = profile::WriteString(file, section, key, value).value();
  }
  EXPECT_EQ(file, "[User]\r\nkey1=v1\r\nkey2=v2\r\n[Option]\r\nChkMode=2\r\nMaxLog=50\r\n");
  EXPECT_EQ(profile::WriteString("", " Option ", " A ", "1").value(), "[Option ]\r\nA =1\r\n");
}

TEST(ProfileWrite, AnExistingKeyKeepsItsPlaceAndSpellingAndOthersAreKept) {
  const std::string before = "; note\r\n[option]\r\nmaxlog = 5\r\n\r\n[Other]\r\nA=1\r\n";
  EXPECT_EQ(profile::WriteString(before, "Option", "MaxLog", "7").value(),
            "; note\r\n[option]\r\nmaxlog=7\r\n[Other]\r\nA=1\r\n");
  EXPECT_FALSE(profile::WriteString(before, "OPTION", "MaxLog", "5"));
}

TEST(ProfileWrite, MalformedFilesAreRewrittenAsTheSystemRewritesThem) {
  // What the system's functions make of these files and calls (checked under Wine).
  const struct {
    const char* what;
    std::string before;
    std::string section, key, value;
    std::string after;
  } cases[] = {
      {"a UTF-8 mark behind a blank line is text, not a mark",
       "\r\n\xEF\xBB\xBF[Option]\r\nA=1\r\n", "Option", "B", "2",
       "\x81\x45\xBF[Option]\r\nA=1\r\n[Option]\r\nB=2\r\n"},
      {"a lead byte takes the blank behind it into the header",
       "[Opt\x81 ]\r\nA=1\r\n[Other]\r\nB=2\r\n", "Other", "C", "3",
       "[Opt\x81\x45]\r\nA=1\r\n[Other]\r\nB=2\r\nC=3\r\n"},
      {"a lead byte takes the equals sign", "[Option]\r\nA\x81=1\r\nB=2\r\n", "Option", "B", "3",
       "[Option]\r\nA\x81\x45\x31\r\nB=3\r\n"},
      {"a lead byte at the end of the file", "[Option]\r\nB=x\x81", "Option", "C", "3",
       "[Option]\r\nB=x\x81\x45\r\nC=3\r\n"},
      {"pairs that are no character", "[Option]\r\nK=\xEF\x40\x81\xAD\xFC\x4B\xF0\x40\r\n",
       "Option", "B", "3", "[Option]\r\nK=\x81\x45\x81\x45\xFC\x4B\xF0\x40\r\nB=3\r\n"},
      {"an empty header's keys join the section before it", "[Option]\r\nA=1\r\n[]\r\nB=2\r\n",
       "Option", "C", "3", "[Option]\r\nA=1\r\nC=3\r\nB=2\r\n"},
      {"a lead byte at the end of a name or value is lost", "", "Opt\x81", "K\x82", "v\x83",
       "[Opt]\r\nK=v\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(profile::WriteString(c.before, c.section, c.key, c.value), c.after) << c.what;
  }
  // The header's lead byte and blank read as one character, so the section stays where it was.
  EXPECT_EQ(profile::GetInt("[Opt\x81 ]\r\nA=1\r\n", "Opt\x81 ", "A", 0), 1);
  // Behind a UTF-8 mark, bytes above 7F never take a "]" with them: "あ" heads a section of its
  // own.
  EXPECT_EQ(profile::GetInt("\xEF\xBB\xBF[Option]\r\n[\xE3\x81\x82]\r\nA=5\r\n", "Option", "A", 0),
            0);
}

TEST(ProfileWrite, TheFileIsReplacedWholeOrNotAtAll) {
  TempFolder folder;
  const std::string path = folder.File("Zentab2.ini");
  ASSERT_TRUE(profile::WriteProfileText("Option", "MaxLog", "5", path));
  EXPECT_EQ(ReadBytes(path), "[Option]\r\nMaxLog=5\r\n");

  // The temporary file cannot be made: the old file stays as it was.
  std::filesystem::create_directory(path + ".tmp");
  std::filesystem::create_directory(path + ".tmp/blocker");
  EXPECT_FALSE(profile::WriteProfileText("Option", "MaxLog", "6", path));
  EXPECT_EQ(ReadBytes(path), "[Option]\r\nMaxLog=5\r\n");

  // Rewriting the same value leaves the file untouched, its layout included.
  WriteBytes(path, "[Option]\r\nMaxLog =  5\r\n");
  EXPECT_TRUE(profile::WriteProfileText("Option", "MaxLog", "5", path));
  EXPECT_EQ(ReadBytes(path), "[Option]\r\nMaxLog =  5\r\n");
}

TEST(ProfileWrite, AFileThatCannotBeReadIsNotOverwritten) {
  TempFolder folder;
  const std::string path = folder.File("Zentab2.ini");
  // There, but no file to read: a link to a folder, which a rename would replace.
  std::filesystem::create_directory(folder.File("elsewhere"));
  std::filesystem::create_directory_symlink(folder.File("elsewhere"), path);
  EXPECT_FALSE(profile::WriteProfileText("Option", "MaxLog", "5", path));
  EXPECT_TRUE(std::filesystem::is_symlink(path));
}

}  // namespace
}  // namespace zentab::test
