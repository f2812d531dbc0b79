#include "config/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace duskwheel {
namespace {

// A folder of its own for each test, removed afterwards.
class IniTempDir {
  public:
    IniTempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("duskwheel-ini-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~IniTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    IniTempDir(const IniTempDir&) = delete;
    IniTempDir& operator=(const IniTempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    std::filesystem::path path_;
};

TEST(IniFile, MissingFileReadsAsDefaultsAndIsNoError) {
    IniTempDir dir;
    IniFile ini(dir.File("Duskwheel.ini"));
    EXPECT_TRUE(ini.Load());
    EXPECT_FALSE(ini.SectionExists("COM GPS"));
    EXPECT_EQ(ini.ReadString("COM GPS", "Port COM", "COM46"), "COM46");
    EXPECT_EQ(ini.ReadInteger("COM GPS", "Baud Rate", 10), 10);
    EXPECT_FALSE(ini.ReadBool("Display", "Display On", false));
    EXPECT_TRUE(ini.ReadBool("Display", "Display On", true));
    EXPECT_EQ(ini.ToBytes(), "");
}

TEST(IniFile, NewFileIsAPlainWindowsIniWithBlanksUnescaped) {
    IniTempDir dir;
    IniFile ini(dir.File("Duskwheel.ini"));
    ini.WriteString("COM GPS", "Port COM", "COM46");
    ini.WriteInteger("COM GPS", "Baud Rate", 10);
    ini.WriteBool("Display", "Display On", true);
    ini.WriteInteger("Display", "Alpha Blend Value", 200);
    ini.WriteInteger("Display", "Window position Top", -20);
    std::string why;
    ASSERT_TRUE(ini.Save(&why)) << why;
    EXPECT_EQ(dir.Read("Duskwheel.ini"), "[COM GPS]\r\n"
                                         "Port COM=COM46\r\n"
                                         "Baud Rate=10\r\n"
                                         "\r\n"
                                         "[Display]\r\n"
                                         "Display On=1\r\n"
                                         "Alpha Blend Value=200\r\n"
                                         "Window position Top=-20\r\n");
}

TEST(IniFile, ReadsBackWhatItWrote) {
    IniTempDir dir;
    {
        IniFile ini(dir.File("a.ini"));
        ini.WriteString("COM GPS", "Port COM", "/dev/ttyUSB0");
        ini.WriteInteger("COM GPS", "Baud Rate", 13);
        ini.WriteBool("Display", "Fixed", true);
        ini.WriteBool("Display", "Always On Top", false);
        ini.WriteInteger("Display", "Window position Left", -2147483647 - 1);
        ASSERT_TRUE(ini.Save());
    }
    IniFile ini(dir.File("a.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString("COM GPS", "Port COM", "COM46"), "/dev/ttyUSB0");
    EXPECT_EQ(ini.ReadInteger("COM GPS", "Baud Rate", 10), 13);
    EXPECT_TRUE(ini.ReadBool("Display", "Fixed", false));
    EXPECT_FALSE(ini.ReadBool("Display", "Always On Top", true));
    EXPECT_EQ(ini.ReadInteger("Display", "Window position Left", 500), -2147483647 - 1);
}

TEST(IniFile, NamesIgnoreCaseAndSurroundingBlanks) {
    IniFile ini;
    ini.Parse("  [ com gps ]  \nport com = COM3 \n\tBAUD RATE\t=\t7\n");
    EXPECT_EQ(ini.ReadString("COM GPS", "Port COM", "x"), "COM3");
    EXPECT_EQ(ini.ReadInteger("COM GPS", "Baud Rate", 10), 7);
    EXPECT_TRUE(ini.ValueExists("Com Gps", "PORT COM"));
}

TEST(IniFile, FirstSectionAndFirstKeyWin) {
    IniFile ini;
    ini.Parse("[Display]\nFixed=1\nFixed=0\n[Display]\nFixed=0\n");
    EXPECT_TRUE(ini.ReadBool("Display", "Fixed", false));
}

TEST(IniFile, KeysBelongToTheirOwnSectionOnly) {
    IniFile ini;
    ini.Parse("Fixed=1\n[Other]\nFixed=1\n[Display]\nAlpha Blend=1\n");
    EXPECT_FALSE(ini.ReadBool("Display", "Fixed", false));
    EXPECT_TRUE(ini.ReadBool("Display", "Alpha Blend", false));
}

TEST(IniFile, ValuesThatDoNotParseGiveTheDefault) {
    IniFile ini;
    ini.Parse("[D]\n"
              "a=12abc\n"
              "b=\n"
              "c=0x10\n"
              "d=2147483648\n"
              "e=-2147483649\n"
              "f=1.5\n"
              "g=true\n"
              "h= +42 \n"
              "i=-0\n"
              "j=--1\n"
              "k=+\n");
    EXPECT_EQ(ini.ReadInteger("D", "a", 200), 200);
    EXPECT_EQ(ini.ReadInteger("D", "b", 200), 200);
    EXPECT_EQ(ini.ReadInteger("D", "c", 200), 200);
    EXPECT_EQ(ini.ReadInteger("D", "d", 200), 200);
    EXPECT_EQ(ini.ReadInteger("D", "e", 200), 200);
    EXPECT_EQ(ini.ReadInteger("D", "f", 200), 200);
    EXPECT_FALSE(ini.ReadBool("D", "g", false)); // booleans are integers
    EXPECT_TRUE(ini.ReadBool("D", "g", true));
    EXPECT_EQ(ini.ReadInteger("D", "h", 200), 42);
    EXPECT_EQ(ini.ReadInteger("D", "i", 200), 0);
    EXPECT_EQ(ini.ReadInteger("D", "j", 200), 200);
    EXPECT_EQ(ini.ReadInteger("D", "k", 200), 200);
}

TEST(IniFile, AnyNonZeroIntegerIsTrue) {
    IniFile ini;
    ini.Parse("[D]\na=2\nb=-1\nc=0\n");
    EXPECT_TRUE(ini.ReadBool("D", "a", false));
    EXPECT_TRUE(ini.ReadBool("D", "b", false));
    EXPECT_FALSE(ini.ReadBool("D", "c", true));
}

TEST(IniFile, QuotesAroundAValueAreRemovedOnReading) {
    IniFile ini;
    ini.Parse("[S]\na=\"COM 4\"\nb='x'\nc=\"unbalanced\nd=\"\"\n");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "COM 4");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "x");
    EXPECT_EQ(ini.ReadString("S", "c", ""), "\"unbalanced");
    EXPECT_EQ(ini.ReadString("S", "d", "default"), "");
}

TEST(IniFile, ValuesThatWouldNotReadBackAreQuotedOrCleaned) {
    IniFile ini;
    ini.WriteString("S", "blanks", " padded ");
    ini.WriteString("S", "quoted", "\"q\"");
    ini.WriteString("S", "lines", "a\r\nb");
    IniFile back;
    back.Parse(ini.ToBytes());
    EXPECT_EQ(back.ReadString("S", "blanks", ""), " padded ");
    EXPECT_EQ(back.ReadString("S", "quoted", ""), "\"q\"");
    EXPECT_EQ(back.ReadString("S", "lines", ""), "a  b");
    EXPECT_EQ(back.ToBytes(), ini.ToBytes());
}

TEST(IniFile, WritingKeepsEverythingItDoesNotOwn) {
    IniFile ini;
    ini.Parse("; settings of Duskwheel\n"
              "[COM GPS]\n"
              "Port COM=COM1\n"
              "; the speed index\n"
              "Baud Rate=7\n"
              "\n"
              "[Mine]\n"
              "Colour=blue\n");
    ini.WriteString("com gps", "port com", "COM9");
    ini.WriteInteger("COM GPS", "Extra", 5);
    ini.WriteBool("Display", "Fixed", true);
    EXPECT_EQ(ini.ToBytes(), "; settings of Duskwheel\n"
                             "[COM GPS]\n"
                             "Port COM=COM9\n"
                             "; the speed index\n"
                             "Baud Rate=7\n"
                             "Extra=5\n"
                             "\n"
                             "[Mine]\n"
                             "Colour=blue\n"
                             "\n"
                             "[Display]\n"
                             "Fixed=1\n");
}

TEST(IniFile, KeepsTheLineBreaksOfTheFile) {
    IniFile crlf;
    crlf.Parse("[A]\r\nx=1\r\n");
    crlf.WriteInteger("A", "y", 2);
    EXPECT_EQ(crlf.ToBytes(), "[A]\r\nx=1\r\ny=2\r\n");

    IniFile lf;
    lf.Parse("[A]\nx=1");
    lf.WriteInteger("A", "x", 3);
    EXPECT_EQ(lf.ToBytes(), "[A]\nx=3\n");
}

TEST(IniFile, ByteOrderMarkIsSkipped) {
    IniFile ini;
    ini.Parse("\xEF\xBB\xBF[Display]\r\nFixed=1\r\n");
    EXPECT_TRUE(ini.ReadBool("Display", "Fixed", false));
}

TEST(IniFile, EightBitValuesPassThrough) {
    IniFile ini;
    ini.WriteString("S", "k", "caf\xE9");
    IniFile back;
    back.Parse(ini.ToBytes());
    EXPECT_EQ(back.ReadString("S", "k", ""), "caf\xE9");
}

TEST(IniFile, FailedSaveLeavesThePreviousFileAndSaysWhy) {
    IniTempDir dir;
    dir.Write("Duskwheel.ini", "[Display]\r\nFixed=1\r\n");
    // A path whose folder is a plain file cannot be written.
    IniFile blocked(dir.File("Duskwheel.ini") + "/inner.ini");
    blocked.WriteBool("Display", "Fixed", false);
    std::string why;
    EXPECT_FALSE(blocked.Save(&why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(dir.Read("Duskwheel.ini"), "[Display]\r\nFixed=1\r\n");
}

TEST(IniFile, SaveReplacesTheFileWhole) {
    IniTempDir dir;
    dir.Write("Duskwheel.ini", "[Display]\r\nFixed=1\r\nAlpha Blend=1\r\n");
    IniFile ini(dir.File("Duskwheel.ini"));
    ASSERT_TRUE(ini.Load());
    ini.WriteBool("Display", "Fixed", false);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(dir.Read("Duskwheel.ini"), "[Display]\r\nFixed=0\r\nAlpha Blend=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("Duskwheel.ini.tmp")));
}

} // namespace
} // namespace duskwheel
