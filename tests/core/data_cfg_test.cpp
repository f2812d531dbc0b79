#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace duskwheel {
namespace {

using test::Message;
using test::RecordingHost;
using test::RecordingSink;
using test::TempDir;

struct Fixture {
    TempDir dir;
    RecordingHost host;
    RecordingSink sink;
    ProgramState state;
    Fixture() {
        state.FilesDir = dir.Path().string();
        state.HostUi = &host;
        state.Sink = &sink;
    }
    ReadStatus Read(const std::string& file) {
        dir.Write("data.cfg", file);
        return state.ReadConfigFile();
    }
};

// A state that exercises every field: fractions, negative values, flags.
ProgramState RichState() {
    ProgramState s;
    for (int i = 0; i < kConventionCount; ++i) {
        DuskwheelConfigStruct& c = s.Conventions[static_cast<std::size_t>(i)];
        c = test::ReferenceConvention();
        c.Name = "Convention number " + std::to_string(i);
        c.FajrTwilightAngle = 12 + i * 0.75;
        c.AsrShafi = i % 2 == 0;
    }
    DuskwheelConfigStruct& odd = s.Conventions[4];
    odd.Isha_is_Maghrib = true;
    odd.Isha_is_Maghrib_plus = 90;
    odd.ZuhrFixe = true;
    odd.ZuhrFixeHour = 13.5;
    odd.time2add4salat = {-3, 0.5, 2, -1.25, 1e-05, 7};
    odd.Sunrise_setAngle = 0.8333333333;
    odd.Name = "Union des Organisations Islamiques de France \xE9t\xE9";
    s.TownList = {test::ReferenceParis(), TownData{"USA", "New_York", -73.98, 40.75, -5, 4, 1},
                  TownData{"Australia", "Sydney", 151.21, -33.87, 10, 8, 0},
                  TownData{"Egypt", "Cairo", 31.2357, 30.0444, 2, 2, 2}};
    s.NumberOfTowns = 4;
    s.TownSelected = 2;
    s.Verbose = 1;
    return s;
}

TEST(DataCfg, WrittenFileReadsBackToTheSameStateAndBytes) {
    TempDir dir;
    ProgramState original = RichState();
    original.FilesDir = dir.Path().string();
    ASSERT_TRUE(original.WriteConfigFile());
    const std::string first = dir.Read("data.cfg");

    RecordingHost host;
    ProgramState loaded;
    loaded.FilesDir = dir.Path().string();
    loaded.HostUi = &host;
    ASSERT_EQ(loaded.ReadConfigFile(), ReadStatus::Ok);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(loaded.Conventions, original.Conventions);
    EXPECT_EQ(loaded.TownList, original.TownList);
    EXPECT_EQ(loaded.NumberOfTowns, 4);
    EXPECT_EQ(loaded.TownSelected, 2);
    EXPECT_EQ(loaded.Verbose, 1);
    EXPECT_EQ(host.conventionListRefills, 1);
    // The selected town was applied.
    EXPECT_EQ(loaded.CurrentTimeZone, 10);
    EXPECT_EQ(loaded.CurrentConvention, 8);
    EXPECT_NEAR(loaded.CurrentLatitude, -33.87 * 0.017453292519943295, 1e-15);

    ASSERT_TRUE(loaded.WriteConfigFile());
    EXPECT_EQ(dir.Read("data.cfg"), first);
}

TEST(DataCfg, RealsKeepTenSignificantDigits) {
    TempDir dir;
    ProgramState s = RichState();
    s.FilesDir = dir.Path().string();
    s.Conventions[1].IshaTwilightAngle = 1.0 / 3;
    ASSERT_TRUE(s.WriteConfigFile());
    ProgramState back;
    back.FilesDir = s.FilesDir;
    ASSERT_EQ(back.ReadConfigFile(), ReadStatus::Ok);
    EXPECT_EQ(back.Conventions[1].IshaTwilightAngle, 0.3333333333);
}

TEST(DataCfg, WriterLayout) {
    TempDir dir;
    ProgramState s = RichState();
    s.FilesDir = dir.Path().string();
    ASSERT_TRUE(s.WriteConfigFile());
    const std::string file = dir.Read("data.cfg");
    const char* const expectedLines[] = {
        "8 ------------------------------------------------------------------\r\n"
        "8 --------- Config file for Salat and Sun position program ---------\r\n"
        "8 ------------------------------------------------------------------\r\n"
        "8 - Conventions\r\n"
        "8 Convention Name\r\n"
        "5 0          \"Convention number 0\"\r\n",
        "\r\n5 4          \"Union des Organisations Islamiques de France \xE9t\xE9\"\r\n"
        "8 Convention AsrSahfi/Hanafi FajrTwilightAngle IshaTwilightAngle Sunrise/SetAngle "
        "Isha_is_Maghrib_plus xx mn ZuhrFixe ZuhrHour(h)\r\n"
        "3 4          1               15                17                0.8333333333     "
        "1                    90    1        13.5           \r\n"
        "8 - Time (mn) to add to get Salat\r\n"
        "8 Convention Fajr     Chourouk Zuhr     Asr      Maghrib  Isha\r\n"
        "4 4          -3       0.5      2        -1.25    1e-05    7      \r\n",
        "\r\n8 NumberOfTowns  TownSelected  Verbose\r\n"
        "1 4              2             1      \r\n",
        "\r\n8 Country          Name             latitude    longitude   TimeZone DST "
        "Convention\r\n"
        "2 France           Paris            48.85       2.35        1        1   0 \r\n"
        "2 USA              New_York         40.75       -73.98      -5       1   4 \r\n"
        "2 Australia        Sydney           -33.87      151.21      10       0   8 \r\n"
        "2 Egypt            Cairo            30.0444     31.2357     2        2   2 \r\n"
        "8 ------------------------------------------------------------------\r\n",
        "8 - sources :\r\n",
    };
    for (const char* piece : expectedLines) {
        EXPECT_NE(file.find(piece), std::string::npos) << piece;
    }
    EXPECT_TRUE(file.ends_with("2 Egypt            Cairo            30.0444     31.2357     2   "
                               "     2   2 \r\n8 -----------------------------------------------"
                               "-------------------\r\n"));
}

TEST(DataCfg, ShippedDefaultFileIsWhatTheWriterWrites) {
    TempDir dir;
    RecordingHost host;
    ProgramState s;
    s.HostUi = &host;
    s.FilesDir = DUSKWHEEL_SOURCE_DATA_DIR;
    // Read the shipped file in place would rewrite read_echo.cfg there: copy it.
    std::filesystem::copy_file(std::string(DUSKWHEEL_SOURCE_DATA_DIR) + "/data.cfg",
                               dir.File("data.cfg"));
    const std::string shipped = dir.Read("data.cfg");
    s.FilesDir = dir.Path().string();
    ASSERT_EQ(s.ReadConfigFile(), ReadStatus::Ok);
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(s.TownList.size(), 17u);
    EXPECT_EQ(TownLabel(*s.SelectedTown()), "France : Paris");
    EXPECT_EQ(s.Conventions[3].Name, "Umm al-Qura University, Makkah");
    EXPECT_TRUE(s.Conventions[3].Isha_is_Maghrib);
    EXPECT_EQ(s.Conventions[3].Isha_is_Maghrib_plus, 90);
    EXPECT_EQ(s.Conventions[8].Name, "Kuwait");
    ASSERT_TRUE(s.WriteConfigFile());
    EXPECT_EQ(dir.Read("data.cfg"), shipped);
}

TEST(DataCfg, TranscriptOfAReading) {
    Fixture f;
    ASSERT_EQ(f.Read("8 a comment  with blanks\n"
                     "5 2   \"Two words\"\n"
                     "3 2 2 18.123456 17 0.833 1 90 7 13.25\n"
                     "4 2 -3 0 0 0 0 1.5\n"
                     "1 1 0 0\n"
                     "2 France Paris 48.85341 2.3488 1 1 2\n"),
              ReadStatus::Ok);
    EXPECT_EQ(f.dir.Read("read_echo.cfg"),
              "8 -----------------  File reading transcription  ---------------\r\n"
              "8 a comment  with blanks\r\n"
              "5 2          \"Two words\"\r\n"
              "3 2          2               18.123            17                0.833            "
              "1                    90    7        13.25          \r\n"
              "4 2          -3       0        0        0        0        1.5    \r\n"
              "1 1              0             0      \r\n"
              "2 France           Paris            48.853      2.3488      1        1   2 \r\n");
    // Flags other than 1 read as false.
    EXPECT_FALSE(f.state.Conventions[2].AsrShafi);
    EXPECT_TRUE(f.state.Conventions[2].Isha_is_Maghrib);
    EXPECT_FALSE(f.state.Conventions[2].ZuhrFixe);
    EXPECT_EQ(f.state.Conventions[2].FajrTwilightAngle, 18.123456);
}

TEST(DataCfg, ConventionNameExtraction) {
    struct Case {
        const char* line;
        const char* name;
    };
    const Case cases[] = {
        {"5 0  \"Muslim World League\"", "Muslim World League"},
        {"5 0    \"A B\"", "A B"},
        {"5 0\"Glued\"", ""}, // nothing before the opening quote
        {"5 0  no quotes at all", ""},
        {"5 0  \"\"", ""},
        {"5 0  \"Unclosed name", "Unclosed name"},
        {"5 0  \"First\" \"Second\"", "First"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.state.Conventions[0].Name = "previous";
        f.Read(std::string(c.line) + "\r\n1 1 0 0\r\n2 A B 1 2 0 0 0\r\n");
        EXPECT_EQ(f.state.Conventions[0].Name, c.name) << c.line;
    }
}

TEST(DataCfg, GrammarIsTokensExceptCommentsAndNames) {
    Fixture f;
    f.state.Conventions[5].Name = "kept";
    f.state.Conventions[5].FajrTwilightAngle = 12;
    ASSERT_EQ(f.Read("\n\n8 header\n"
                     "5 0 \"Zero\"\n"
                     "8 a comment between the lines of one convention\n"
                     "\n"
                     "3 0 1 18 17 0.833 0 0 0 0\r\n"
                     "1 2 1 0\n"
                     "2 France Paris 48.85 2.35\n   1 1 0\n" // a town across two lines
                     "2\tBelgium\tBrussels\t50.85\t4.35\t1\t1\t0\n"
                     "\n"),
              ReadStatus::Ok);
    EXPECT_EQ(f.state.Conventions[0].Name, "Zero");
    EXPECT_TRUE(f.state.Conventions[0].AsrShafi);
    EXPECT_EQ(f.state.Conventions[5].Name, "kept");
    EXPECT_EQ(f.state.Conventions[5].FajrTwilightAngle, 12);
    ASSERT_EQ(f.state.TownList.size(), 2u);
    EXPECT_EQ(f.state.TownList[0].DST, 1);
    EXPECT_EQ(f.state.TownList[1].Name, "Brussels");
    EXPECT_EQ(f.state.TownSelected, 1);
    EXPECT_EQ(f.state.CurrentLongitude, 4.35 * 0.017453292519943295);
}

TEST(DataCfg, FileWithoutCountLineAppendsItsTowns) {
    Fixture f;
    ASSERT_EQ(f.Read("1 1 0 0\n2 France Paris 48.85 2.35 1 1 0\n"), ReadStatus::Ok);
    f.host.messages.clear();
    EXPECT_EQ(f.Read("2 Egypt Cairo 30 31 2 2 0\n"), ReadStatus::CountMismatch);
    EXPECT_EQ(f.state.TownList.size(), 2u);
    EXPECT_EQ(f.state.NumberOfTowns, 1);
    EXPECT_EQ(f.host.messages,
              (std::vector<Message>{{"Number of towns does not match NTowns", "Error"}}));
}

TEST(DataCfg, CountLineDiscardsTownsReadBeforeIt) {
    Fixture f;
    ASSERT_EQ(f.Read("2 Egypt Cairo 30 31 2 2 0\n1 1 0 0\n2 France Paris 48.85 2.35 1 1 0\n"),
              ReadStatus::Ok);
    ASSERT_EQ(f.state.TownList.size(), 1u);
    EXPECT_EQ(f.state.TownList[0].Name, "Paris");
}

// Each malformed file is a read error: what came before stays, nothing past
// it is stored, and the transcript ends on the offending line's type.
TEST(DataCfg, MalformedFilesAreReadErrors) {
    struct Case {
        const char* what;
        std::string body; // after a valid first convention name line
        const char* transcriptTail;
    };
    const std::string longWord(32, 'x');
    const std::string longComment = "8 " + std::string(199, '-'); // a rest of 200
    const Case cases[] = {
        {"type 0", "0 1 2\n", "\r\n0 "},
        {"type 6", "6\n", "\r\n6 "},
        {"type 7", "7 comment\n", "\r\n7 "},
        {"type 9", "9 x\n", "\r\n9 "},
        {"type 12", "12\n", "\r\n12"},
        {"negative type", "-8 text\n", "\r\n-8"},
        {"type not a number", "x 1 2\n", "\r\n"},
        {"convention index 9", "3 9 1 18 17 0.833 0 0 0 0\n", "\r\n3 "},
        {"convention index -1", "4 -1 0 0 0 0 0 0\n", "\r\n4 "},
        {"name index 10", "5 10 \"Ten\"\n", "\r\n5 "},
        {"word instead of a number", "3 1 1 eighteen 17 0.833 0 0 0 0\n", "\r\n3 "},
        {"number glued to text", "4 1 0 0 0 0 0 5mn\n", "\r\n4 "},
        {"infinity", "4 1 0 0 0 0 0 inf\n", "\r\n4 "},
        {"integer overflow", "1 99999999999 0 0\n", "\r\n1 "},
        {"town word of 32 characters", "2 " + longWord + " Paris 48 2 1 1 0\n", "\r\n2 "},
        {"town convention 9", "2 France Paris 48 2 1 1 9\n", "\r\n2 "},
        {"comment of 200 characters", longComment + "\n", "\r\n8 "},
        {"file ends inside a line", "3 1 1 18 17", "\r\n3 "},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.state.Conventions[1].FajrTwilightAngle = 99;
        const ReadStatus status = f.Read("5 0 \"Before\"\n" + c.body + "5 1 \"After\"\n");
        EXPECT_EQ(status, ReadStatus::ReadError) << c.what;
        EXPECT_EQ(f.host.messages,
                  (std::vector<Message>{{"ReadError !!! " + f.state.DataCfgPath(), "Error"}}))
            << c.what;
        EXPECT_EQ(f.state.Conventions[0].Name, "Before") << c.what;
        EXPECT_EQ(f.state.Conventions[1].Name, "") << c.what;
        EXPECT_EQ(f.state.Conventions[1].FajrTwilightAngle, 99) << c.what;
        EXPECT_TRUE(f.dir.Read("read_echo.cfg").ends_with(c.transcriptTail)) << c.what;
        EXPECT_EQ(f.host.conventionListRefills, 0) << c.what;
    }
}

TEST(DataCfg, LimitsThatStillRead) {
    Fixture f;
    const std::string word31(31, 'w');
    const std::string comment199 = "8" + std::string(199, '-');
    ASSERT_EQ(f.Read(comment199 + "\n1 1 0 0\n2 " + word31 + " B +1.5 -2e-1 +3 0 0\n"),
              ReadStatus::Ok);
    EXPECT_EQ(f.state.TownList[0].Country, word31);
    EXPECT_EQ(f.state.TownList[0].latitude, 1.5);
    EXPECT_EQ(f.state.TownList[0].longitude, -0.2);
    EXPECT_EQ(f.state.TownList[0].TimeZone, 3);
}

TEST(DataCfg, SelectionAndCountChecks) {
    struct Case {
        const char* file;
        ReadStatus status;
        std::vector<Message> messages;
        int refills;
    };
    const Case cases[] = {
        {"1 2 0 0\n2 A B 1 2 0 0 0\n",
         ReadStatus::CountMismatch,
         {{"Number of towns does not match NTowns", "Error"}},
         0},
        {"1 1 1 0\n2 A B 1 2 0 0 0\n",
         ReadStatus::SelectionOutOfRange,
         {{"Selected town out of range", "Error"}},
         1},
        {"1 1 -1 0\n2 A B 1 2 0 0 0\n",
         ReadStatus::SelectionOutOfRange,
         {{"Selected town out of range", "Error"}},
         1},
        {"1 0 0 0\n",
         ReadStatus::SelectionOutOfRange,
         {{"Invalid number of towns", "Read config file Error"},
          {"Selected town out of range", "Error"}},
         1},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.state.CurrentTimeZone = 7; // a location applied earlier stays
        EXPECT_EQ(f.Read(c.file), c.status) << c.file;
        EXPECT_EQ(f.host.messages, c.messages) << c.file;
        EXPECT_EQ(f.host.conventionListRefills, c.refills) << c.file;
        EXPECT_EQ(f.state.CurrentTimeZone, 7) << c.file;
        EXPECT_FALSE(f.state.HasTown() && f.state.TownSelected != 0) << c.file;
    }
}

TEST(DataCfg, MissingFilesChangeNothing) {
    Fixture f;
    f.state.NumberOfTowns = 3;
    EXPECT_EQ(f.state.ReadConfigFile(), ReadStatus::OpenFailed);
    EXPECT_EQ(f.host.messages,
              (std::vector<Message>{{"File open error " + f.state.DataCfgPath(), "Error"}}));
    EXPECT_FALSE(std::filesystem::exists(f.dir.File("read_echo.cfg")));
    EXPECT_EQ(f.state.NumberOfTowns, 3);

    Fixture g;
    std::filesystem::create_directory(g.dir.File("read_echo.cfg"));
    EXPECT_EQ(g.Read("1 1 0 0\n2 A B 1 2 0 0 0\n"), ReadStatus::EchoOpenFailed);
    EXPECT_EQ(g.host.messages, (std::vector<Message>{{"read_echo.cfg file open error", "Error"}}));
    EXPECT_TRUE(g.state.TownList.empty());
}

TEST(DataCfg, EscapeStopsTheReading) {
    Fixture f;
    f.host.escapeAfterPolls = 2; // two lines are read
    EXPECT_EQ(f.Read("1 2 0 0\n2 A B 1 2 0 0 0\n2 C D 1 2 0 0 0\n"), ReadStatus::CountMismatch);
    EXPECT_EQ(f.state.TownList.size(), 1u);
}

TEST(DataCfg, VerboseEchoAfterAReading) {
    Fixture f;
    ASSERT_EQ(f.Read("1 1 0 1\n2 France Paris 48.85 2.35 1 1 3\n"), ReadStatus::Ok);
    EXPECT_EQ(f.sink.lines, (std::vector<std::string>{"Lieu actuel : ", "Lieu : France, Paris",
                                                      "latitude= 48\xB0"
                                                      "51'00\"   longitude=  "
                                                      "2\xB0"
                                                      "21'00\"",
                                                      "Convention 3"}));
    Fixture quiet;
    ASSERT_EQ(quiet.Read("1 1 0 0\n2 France Paris 48.85 2.35 1 1 3\n"), ReadStatus::Ok);
    EXPECT_TRUE(quiet.sink.lines.empty());
}

TEST(DataCfg, FailedWriteKeepsThePreviousFile) {
    Fixture f;
    f.state = RichState();
    f.state.FilesDir = f.dir.Path().string();
    f.state.HostUi = &f.host;
    f.dir.Write("data.cfg", "precious towns\n");
    // Something in the way of the temporary file: the write cannot even start.
    std::filesystem::create_directory(f.dir.File("data.cfg.tmp"));
    EXPECT_FALSE(f.state.WriteConfigFile());
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_TRUE(f.host.messages[0].text.starts_with("File open error " + f.state.DataCfgPath()));
    EXPECT_EQ(f.host.messages[0].title, "Error");
    EXPECT_EQ(f.dir.Read("data.cfg"), "precious towns\n");

    // A folder that does not exist.
    Fixture g;
    g.state.FilesDir = g.dir.File("missing");
    EXPECT_FALSE(g.state.WriteConfigFile());
    EXPECT_FALSE(g.host.messages.empty());
}

TEST(DataCfg, WritingWithoutTownsWarnsAndStillWrites) {
    Fixture f;
    EXPECT_TRUE(f.state.WriteConfigFile());
    EXPECT_EQ(f.host.messages,
              (std::vector<Message>{{"Invalid number of towns", "Read config file Error"}}));
    EXPECT_NE(f.dir.Read("data.cfg").find("1 0              0             0      \r\n"),
              std::string::npos);
}

// The current location stays that of the selected town only while no
// reading has changed the towns or conventions without applying one again.
TEST(DataCfg, TownInUseAcrossReadings) {
    Fixture f;
    ASSERT_EQ(f.Read("1 1 0 0\n2 France Paris 48.85 2.35 1 1 0\n"), ReadStatus::Ok);
    EXPECT_TRUE(f.state.HasTown());

    std::filesystem::remove(f.dir.File("data.cfg"));
    EXPECT_EQ(f.state.ReadConfigFile(), ReadStatus::OpenFailed);
    EXPECT_TRUE(f.state.HasTown()); // nothing was read: Paris is still in use

    EXPECT_EQ(f.Read("8 only comments\n"), ReadStatus::Ok);
    EXPECT_TRUE(f.state.HasTown());

    struct Case {
        const char* file;
        ReadStatus status;
    };
    const Case cases[] = {
        {"1 1 0 0\n2 Egypt Cairo 30 31 2 2 0\n7\n", ReadStatus::ReadError},
        {"1 2 0 0\n2 Egypt Cairo 30 31 2 2 0\n", ReadStatus::CountMismatch},
        {"1 1 4 0\n2 Egypt Cairo 30 31 2 2 0\n", ReadStatus::SelectionOutOfRange},
        {"3 0 1 18 17 0.833 0 0 0 0\n9\n", ReadStatus::ReadError},
    };
    for (const Case& c : cases) {
        Fixture g;
        ASSERT_EQ(g.Read("1 1 0 0\n2 France Paris 48.85 2.35 1 1 0\n"), ReadStatus::Ok);
        EXPECT_EQ(g.Read(c.file), c.status) << c.file;
        EXPECT_FALSE(g.state.HasTown()) << c.file;
        EXPECT_EQ(g.state.CurrentTimeZone, 1) << c.file; // Paris's location, no longer named
        g.state.ApplyTown(0);
        EXPECT_EQ(g.state.HasTown(), !g.state.TownList.empty()) << c.file;
    }
}

TEST(DataCfg, CountWrittenIsTheListsOwn) {
    // A reading that ended on a count mismatch must not make the next save
    // unreadable or run past the list.
    Fixture f;
    EXPECT_EQ(f.Read("1 3 0 0\n2 A B 1 2 0 0 0\n"), ReadStatus::CountMismatch);
    ASSERT_TRUE(f.state.WriteConfigFile());
    ProgramState back;
    back.FilesDir = f.state.FilesDir;
    EXPECT_EQ(back.ReadConfigFile(), ReadStatus::Ok);
    EXPECT_EQ(back.TownList.size(), 1u);
}

} // namespace
} // namespace duskwheel
