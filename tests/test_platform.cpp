// SPDX-License-Identifier: MIT
// The day view's platform layer: the settings store, the time-zone record, today's date
// and the JPEG decoder.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <functional>

#include <jpeglib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "IniFile.h"
#include "JpegDecoder.h"
#include "Registry.h"
#include "TimeZoneRecord.h"
#include "Surroundings.h"

// Test messages show texts as text.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace helune {
namespace {

// ---------------------------------------------------------------------------------------
// The settings store

bool Write(const QString& name, const QString& text, int kind = kRegText) {
    return WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text, kind);
}

// The stored text of name, or "<no key>" when the store does not exist.
QString Read(const QString& name) {
    QString text = QStringLiteral("<no key>");
    ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text);
    return text;
}

QByteArray Contents(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Replace(const QString& fileName, const QByteArray& contents) {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

// Every test gets a configuration folder of its own, and leaves the environment as it was.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_.path()));
    }
    void TearDown() override {
        if (hadFolder_)
            qputenv("XDG_CONFIG_HOME", oldFolder_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    QString OrganizationFolder() const { return folder_.path() + QStringLiteral("/Velmora"); }
    QString StoreFile() const { return OrganizationFolder() + QStringLiteral("/Helune.conf"); }

    // Puts a file of our own making in place of the store.
    void Plant(const QByteArray& contents) const {
        ASSERT_TRUE(QDir().mkpath(OrganizationFolder()));
        ASSERT_TRUE(Replace(StoreFile(), contents));
        MakeNextReadParseTheFile();
    }

    // QSettings keeps what it parsed of a file for as long as the file's size and time stay
    // the same. Having seen the store without its file once, it parses the file afresh.
    void MakeNextReadParseTheFile() const {
        const QString aside = StoreFile() + QStringLiteral(".aside");
        ASSERT_TRUE(QFile::rename(StoreFile(), aside));
        ASSERT_EQ(Read(QStringLiteral("Any")), QStringLiteral("<no key>"));
        ASSERT_TRUE(QFile::rename(aside, StoreFile()));
    }

    QTemporaryDir folder_;
    const bool hadFolder_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray oldFolder_ = qgetenv("XDG_CONFIG_HOME");
};

TEST_F(SettingsStore, LivesInXdgConfigHomeAsItIsAtEachCall) {
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("1")));
    EXPECT_TRUE(QFile::exists(StoreFile())) << StoreFile().toStdString();

    // The folder is taken from the environment at each call, not once for the program.
    const QTemporaryDir otherFolder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(otherFolder.path()));
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("2")));
    EXPECT_TRUE(QFile::exists(otherFolder.path() + QStringLiteral("/Velmora/Helune.conf")));
    EXPECT_EQ(Contents(StoreFile()), QByteArray("[General]\nZone=1\n"));
}

TEST_F(SettingsStore, TextReadsBackExactlyAsWrittenFromTheFile) {
    // Values that an INI file could take for something else: a boolean, numbers, a decimal
    // comma that looks like a list, QSettings' own markers, quotes, spaces, non-ASCII.
    const QStringList values = {
        QStringLiteral("True"),
        QStringLiteral("-15"),
        QStringLiteral("3.68333333333333"),
        QStringLiteral("40,4166666666667"),
        QStringLiteral("@Variant(bogus)"),
        QStringLiteral(" leading and trailing "),
        QStringLiteral("a \"quoted\" ; semicolon = equals \\ backslash"),
        QStringLiteral("Logroño, La Rioja"),
    };
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(Write(QStringLiteral("Value%1").arg(i), values[i])) << values[i].toStdString();
    MakeNextReadParseTheFile();
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(Read(QStringLiteral("Value%1").arg(i)), values[i]);
}

TEST_F(SettingsStore, IntegersAreStoredAsNumbers) {
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("-15"), kRegInteger));
    ASSERT_TRUE(Write(QStringLiteral("Hour"), QStringLiteral("+007"), kRegInteger));
    const QByteArray stored = Contents(StoreFile());
    EXPECT_TRUE(stored.contains("\nZone=-15\n")) << stored.toStdString();
    EXPECT_TRUE(stored.contains("\nHour=7\n")) << stored.toStdString();
    MakeNextReadParseTheFile();
    EXPECT_EQ(Read(QStringLiteral("Zone")), QStringLiteral("-15"));
    EXPECT_EQ(Read(QStringLiteral("Hour")), QStringLiteral("7"));
}

TEST_F(SettingsStore, TextThatIsNoIntegerIsRefusedAsOne) {
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("1")));
    // 2^31 is one past the largest 32-bit integer.
    for (const QString& text :
         {QStringLiteral("abc"), QStringLiteral("2147483648"), QStringLiteral("1.5"), QString()}) {
        EXPECT_FALSE(Write(QStringLiteral("Zone"), text, kRegInteger)) << text.toStdString();
        EXPECT_EQ(Read(QStringLiteral("Zone")), QStringLiteral("1"));
    }
}

TEST_F(SettingsStore, WritingKeepsTheOtherValues) {
    ASSERT_TRUE(Write(QStringLiteral("Latitude"), QStringLiteral("40,4")));
    ASSERT_TRUE(Write(QStringLiteral("Longitude"), QStringLiteral("3,7")));
    ASSERT_TRUE(Write(QStringLiteral("Latitude"), QStringLiteral("41,2")));
    MakeNextReadParseTheFile();
    EXPECT_EQ(Read(QStringLiteral("Latitude")), QStringLiteral("41,2"));
    EXPECT_EQ(Read(QStringLiteral("Longitude")), QStringLiteral("3,7"));
}

TEST_F(SettingsStore, AMissingStoreLeavesTheTextAsItWas) {
    QString text = QStringLiteral("as it was");
    EXPECT_FALSE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, QStringLiteral("Zone"), text));
    EXPECT_EQ(text, QStringLiteral("as it was"));
}

TEST_F(SettingsStore, AnAbsentOrEmptyValueReadsAsEmptyText) {
    ASSERT_TRUE(Write(QStringLiteral("Empty"), QString()));
    for (const QString& name : {QStringLiteral("Empty"), QStringLiteral("Absent")}) {
        QString text = QStringLiteral("as it was");
        EXPECT_FALSE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text));
        EXPECT_TRUE(text.isEmpty()) << name.toStdString();
    }
}

TEST_F(SettingsStore, KeyPathsOfAnotherShapeAreRefused) {
    for (const QString& keyPath :
         {QStringLiteral("Software\\Velmora"), QStringLiteral("Velmora\\Helune"),
          QStringLiteral("Software\\Velmora\\Helune\\Deeper"), QStringLiteral("Software\\\\Helune")}) {
        QString text = QStringLiteral("as it was");
        EXPECT_FALSE(WriteRegValue(RegistryRoot::CurrentUser, keyPath, QStringLiteral("Zone"),
                                   QStringLiteral("1"), kRegText))
            << keyPath.toStdString();
        EXPECT_FALSE(ReadRegValue(RegistryRoot::CurrentUser, keyPath, QStringLiteral("Zone"), text));
        EXPECT_EQ(text, QStringLiteral("as it was"));
    }
}

TEST_F(SettingsStore, HandTypedCommasReadBackAsTyped) {
    Plant("[General]\nLatitude=40,4166666666667\nLongitude=-3,68333333333333\n");
    EXPECT_EQ(Read(QStringLiteral("Latitude")), QStringLiteral("40,4166666666667"));
    EXPECT_EQ(Read(QStringLiteral("Longitude")), QStringLiteral("-3,68333333333333"));
}

TEST_F(SettingsStore, WritesReplaceTheFileWhole) {
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("1")));
    // A second name for the file's contents: a file rewritten in place would change under it
    // too, a file replaced through a temporary one leaves it as it was.
    const std::filesystem::path before =
        std::filesystem::path(QFile::encodeName(StoreFile()).toStdString() + ".before");
    std::filesystem::create_hard_link(QFile::encodeName(StoreFile()).toStdString(), before);
    const QByteArray original = Contents(StoreFile());

    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("2")));
    EXPECT_EQ(Contents(QFile::decodeName(before.c_str())), original);
    EXPECT_NE(Contents(StoreFile()), original);
    EXPECT_EQ(Read(QStringLiteral("Zone")), QStringLiteral("2"));
}

TEST_F(SettingsStore, AnUnwritableFolderFailsTheWriteQuietly) {
    // A file where the organization's folder should be: no user, not even root, can create
    // the store under it.
    ASSERT_TRUE(Replace(OrganizationFolder(), "in the way"));
    EXPECT_FALSE(Write(QStringLiteral("Zone"), QStringLiteral("1")));
    EXPECT_EQ(Contents(OrganizationFolder()), QByteArray("in the way"));
}

// A file that Qt's settings would call damaged (an unclosed group name, a line
// without "=") keeps every line, and the new value joins it.
TEST_F(SettingsStore, ADamagedFileIsKeptWholeAndItsValuesRead) {
    const QByteArray damaged = "[General]\nLatitude=40,4\n[Place\nName=Madrid\nnothing to assign\n";
    Plant(damaged);
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("-15")));
    EXPECT_EQ(Contents(StoreFile()), damaged + "Zone=-15\n");
    EXPECT_EQ(Read(QStringLiteral("Zone")), QStringLiteral("-15"));
    EXPECT_EQ(Read(QStringLiteral("Latitude")), QStringLiteral("40,4"));
}

TEST_F(SettingsStore, GarbageIsReadWithoutHarmAndKeptByteForByte) {
    QByteArray garbage;
    for (int i = 0; i < 1024; ++i)
        garbage.append(static_cast<char>((i * 37 + 11) % 256));
    garbage.append('\n');
    Plant(garbage);
    Read(QStringLiteral("Zone"));
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("-15")));
    EXPECT_EQ(Read(QStringLiteral("Zone")), QStringLiteral("-15"));
    QByteArray after = Contents(StoreFile());
    const qsizetype ours = after.indexOf("Zone=-15\n");
    ASSERT_GE(ours, 0);
    EXPECT_EQ(after.remove(ours, 9), garbage) << "every byte of the garbage is kept, in order";
}

// What a person typed into the file and the program does not own stays as it
// was: comments, other sections, backslashes in other keys.
TEST_F(SettingsStore, HandEditedLinesSurviveEveryWrite) {
    const QByteArray typed =
        "; my place, set by hand\r\n[General]\r\nPath=C:\\Users\\x\r\nLatitud=1\r\n\r\n[Other]\r\nKey=a\\b # note\r\n";
    Plant(typed);
    ASSERT_TRUE(WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath,
                               {{QStringLiteral("Latitud"), QStringLiteral("2")},
                                {QStringLiteral("Longitud"), QStringLiteral("3")}}));
    EXPECT_EQ(Contents(StoreFile()), QByteArray("; my place, set by hand\r\n[General]\r\nPath=C:\\Users\\x\r\nLatitud=2\r\n"
                                                "Longitud=3\r\n\r\n[Other]\r\nKey=a\\b # note\r\n"));
    EXPECT_EQ(Read(QStringLiteral("Path")), QStringLiteral("C:\\Users\\x"));
}

// A FIFO where the store should be would block a program that opened it: the
// store reads as absent, refuses writes, and the FIFO stays.
TEST_F(SettingsStore, AStoreThatIsNoRegularFileIsNeitherOpenedNorReplaced) {
    ASSERT_TRUE(QDir().mkpath(OrganizationFolder()));
    ASSERT_EQ(mkfifo(QFile::encodeName(StoreFile()).constData(), 0600), 0);
    EXPECT_EQ(Read(QStringLiteral("Zone")), QStringLiteral("<no key>"));
    EXPECT_FALSE(Write(QStringLiteral("Zone"), QStringLiteral("1")));
    EXPECT_TRUE(std::filesystem::is_fifo(QFile::encodeName(StoreFile()).toStdString()));
}

// A disk that fills while the store is written (here a limit on the size of
// a file): the write fails, the old store stays whole, and nothing is left
// beside it; several values asked together are written all or none.
TEST_F(SettingsStore, AFullDiskLeavesTheOldStoreWhole) {
    const QByteArray old = "[General]\nZone=1\n" + QByteArray(3000, ';') + "\n";
    Plant(old);
    struct Limit {
        rlimit before{};
        explicit Limit(rlim_t bytes) {
            getrlimit(RLIMIT_FSIZE, &before);
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = before;
            limit.rlim_cur = bytes;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~Limit() {
            setrlimit(RLIMIT_FSIZE, &before);
            std::signal(SIGXFSZ, SIG_DFL);
        }
    };
    {
        const Limit fullDisk(3100);
        EXPECT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("2"))) << "the same size fits";
        EXPECT_FALSE(WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath,
                                    {{QStringLiteral("Zone"), QStringLiteral("3")},
                                     {QStringLiteral("Latitud"), QString(200, QLatin1Char('4'))}}));
    }
    EXPECT_EQ(Contents(StoreFile()), QByteArray("[General]\nZone=2\n" + QByteArray(3000, ';') + "\n"));
    EXPECT_EQ(QDir(OrganizationFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Helune.conf")});
}

// Two programs saving at once, 200 values each, one save a value: every save
// reads, edits and replaces the file under the store's lock, so all 400 land.
TEST_F(SettingsStore, SavesMadeAtOnceByTwoProgramsAllLand) {
    constexpr int kSaves = 200;
    QProcess first, second;
    first.start(HELUNE_STORE_WRITER, {folder_.path(), "first", QString::number(kSaves)});
    second.start(HELUNE_STORE_WRITER, {folder_.path(), "second", QString::number(kSaves)});
    ASSERT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);
    const QByteArray file = Contents(StoreFile());
    int saved = 0;
    for (const char* prefix : {"first", "second"})
        for (int i = 0; i < kSaves; ++i) saved += IniValue(file, prefix + QString::number(i)).has_value();
    EXPECT_EQ(saved, 2 * kSaves);
    EXPECT_FALSE(QFile::exists(StoreFile() + ".lock")) << "the lock goes with the save";
}

// A store kept with a person's dotfiles, linked from where the program looks:
// the save writes the link's target, and the link stays a link.
TEST_F(SettingsStore, ALinkedStoreIsSavedWhereItLinks) {
    const QString dotfiles = folder_.path() + "/dotfiles";
    ASSERT_TRUE(QDir().mkpath(dotfiles) && QDir().mkpath(OrganizationFolder()));
    ASSERT_TRUE(Replace(dotfiles + "/Helune.conf", "; mine\n[General]\nZone=1\n"));
    ASSERT_TRUE(QFile::link("../dotfiles/Helune.conf", StoreFile()));
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("2")));
    EXPECT_TRUE(QFileInfo(StoreFile()).isSymLink());
    EXPECT_EQ(Contents(dotfiles + "/Helune.conf"), QByteArray("; mine\n[General]\nZone=2\n"));
    EXPECT_EQ(Read(QStringLiteral("Zone")), QStringLiteral("2"));
}

// A save killed before its end leaves its file beside the store: the next save
// removes those a minute old or more, not one a save may be writing now.
TEST_F(SettingsStore, WhatKilledSavesLeftGoesAtTheNextSave) {
    Plant("[General]\nZone=1\n");
    const QString old = StoreFile() + ".a1B2c3", fresh = StoreFile() + ".d4E5f6";
    ASSERT_TRUE(Replace(old, "[General]\nZone=half") && Replace(fresh, "[General]\nZone=hal"));
    QFile aged(old);
    ASSERT_TRUE(aged.open(QIODevice::ReadWrite) &&
                aged.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    aged.close();
    ASSERT_TRUE(Write(QStringLiteral("Zone"), QStringLiteral("2")));
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(fresh));
}

// A save that fails says why.
TEST_F(SettingsStore, AFailedSaveSaysWhy) {
    ASSERT_TRUE(Replace(OrganizationFolder(), "in the way"));
    QString why;
    EXPECT_FALSE(WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath, {{"Zone", "1"}}, {}, &why));
    EXPECT_EQ(why, "cannot make the folder " + OrganizationFolder());
}

// ---------------------------------------------------------------------------------------
// The time-zone record

struct ZoneCase {
    const char* zone;
    int year;
    TimeZoneRecord expected;
};

TransitionRule Rule(int month, int occurrence, int hour, int minute = 0) {
    constexpr int16_t kSunday = 0;
    TransitionRule rule;
    rule.Month = static_cast<int16_t>(month);
    rule.DayOfWeek = kSunday;
    rule.Occurrence = static_cast<int16_t>(occurrence);
    rule.Hour = static_cast<int16_t>(hour);
    rule.Minute = static_cast<int16_t>(minute);
    return rule;
}

TimeZoneRecord Record(int bias, int daylightBias, TransitionRule daylight, TransitionRule standard) {
    TimeZoneRecord record;
    record.Bias = bias;
    record.DaylightBias = daylightBias;
    record.DaylightDate = daylight;
    record.StandardDate = standard;
    return record;
}

void ExpectSameRule(const TransitionRule& actual, const TransitionRule& expected, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_EQ(actual.Month, expected.Month);
    EXPECT_EQ(actual.DayOfWeek, expected.DayOfWeek);
    EXPECT_EQ(actual.Occurrence, expected.Occurrence);
    EXPECT_EQ(actual.Hour, expected.Hour);
    EXPECT_EQ(actual.Minute, expected.Minute);
    EXPECT_EQ(actual.Second, expected.Second);
    EXPECT_EQ(actual.Milliseconds, expected.Milliseconds);
}

void ExpectSameRecord(const TimeZoneRecord& actual, const TimeZoneRecord& expected) {
    EXPECT_EQ(actual.Bias, expected.Bias);
    EXPECT_EQ(actual.StandardBias, 0);
    EXPECT_EQ(actual.DaylightBias, expected.DaylightBias);
    ExpectSameRule(actual.DaylightDate, expected.DaylightDate, "into daylight time");
    ExpectSameRule(actual.StandardDate, expected.StandardDate, "back to standard time");
}

TEST(TimeZoneRecordFor, FollowsEachZonesLawOfTheYear) {
    // The rules in force, from the laws that the IANA zone data records:
    // the European Union changes on the last Sundays of March and October at 01:00 UTC;
    // the United States and Newfoundland on the second Sunday of March and the first of
    // November at 02:00 local time; New South Wales on the first Sundays of October
    // (02:00 standard) and April (03:00 daylight); India keeps +05:30 all year.
    const ZoneCase cases[] = {
        {"Europe/Madrid", 2024, Record(-60, -60, Rule(3, 5, 2), Rule(10, 5, 3))},
        {"America/New_York", 2024, Record(300, -60, Rule(3, 2, 2), Rule(11, 1, 2))},
        {"America/St_Johns", 2024, Record(210, -60, Rule(3, 2, 2), Rule(11, 1, 2))},
        {"Australia/Sydney", 2024, Record(-600, -60, Rule(10, 1, 2), Rule(4, 1, 3))},
        {"Asia/Kolkata", 2024, Record(-330, 0, TransitionRule{}, TransitionRule{})},
        {"UTC", 2024, Record(0, 0, TransitionRule{}, TransitionRule{})},
        // Lord Howe Island saves half an hour.
        {"Australia/Lord_Howe", 2024, Record(-630, -30, Rule(10, 1, 2), Rule(4, 1, 2))},
        // The zone data calls Irish winter time the daylight time, with a negative saving;
        // the record still has summer as the daylight time, one hour ahead of GMT.
        {"Europe/Dublin", 2024, Record(0, -60, Rule(3, 5, 1), Rule(10, 5, 2))},
        // 25 March 2018 is the fourth Sunday of March and also its last one.
        {"Europe/Madrid", 2018, Record(-60, -60, Rule(3, 5, 2), Rule(10, 5, 3))},
    };
    for (const ZoneCase& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.year));
        const QTimeZone zone(c.zone);
        ASSERT_TRUE(zone.isValid());
        ExpectSameRecord(TimeZoneRecordFor(zone, c.year), c.expected);
    }
}

// Sets TZ for the life of the object, and the C library's idea of the zone with it.
class ZoneEnvironment {
public:
    explicit ZoneEnvironment(const QByteArray& zone)
        : hadZone_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneEnvironment() {
        if (hadZone_)
            qputenv("TZ", old_);
        else
            qunsetenv("TZ");
        tzset();
    }
    ZoneEnvironment(const ZoneEnvironment&) = delete;
    ZoneEnvironment& operator=(const ZoneEnvironment&) = delete;

private:
    bool hadZone_;
    QByteArray old_;
};

TEST(GetTimeZoneInformation, FollowsTheTzEnvironmentVariable) {
    {
        const ZoneEnvironment madrid("Europe/Madrid");
        ASSERT_EQ(QTimeZone::systemTimeZoneId(), QByteArray("Europe/Madrid"));
        const TimeZoneRecord record = GetTimeZoneInformation();
        EXPECT_EQ(record.Bias, -60);
        EXPECT_EQ(record.DaylightBias, -60);
        EXPECT_EQ(record.DaylightDate.Month, 3);
        EXPECT_EQ(record.StandardDate.Month, 10);
    }
    {
        const ZoneEnvironment kolkata("Asia/Kolkata");
        const TimeZoneRecord record = GetTimeZoneInformation();
        EXPECT_EQ(record.Bias, -330);
        EXPECT_EQ(record.DaylightDate.Month, 0);
    }
}

// The system's zone: TZ by name, or its zone file by path (with or without a
// leading ':'); a zone that cannot serve as a clock (unknown, not a zone
// file, beyond 14 hours) is no usable zone, and the window's record of it is
// universal time's.
TEST(SystemTimeZone, ByNameOrFileAndOnlyWhenUsable) {
    for (const char* madrid : {"Europe/Madrid", ":Europe/Madrid", "/usr/share/zoneinfo/Europe/Madrid",
                               ":/usr/share/zoneinfo/Europe/Madrid"}) {
        const ZoneEnvironment zone(madrid);
        EXPECT_EQ(SystemTimeZone().id(), QByteArray("Europe/Madrid")) << madrid;
        EXPECT_TRUE(UsableZone(SystemTimeZone())) << madrid;
    }
    QTemporaryDir folder;
    const QString garbage = folder.filePath("garbage");
    ASSERT_TRUE(Replace(garbage, QByteArray(100, '\x5a')));
    for (const QByteArray& unusable : {QByteArray("Europe/Nowhere"), QByteArray("<+99>-99"), QByteArray("AAA-24"),
                                       QFile::encodeName(garbage)}) {
        const ZoneEnvironment zone(unusable);
        EXPECT_FALSE(UsableZone(SystemTimeZone())) << unusable.constData();
        EXPECT_EQ(GetTimeZoneInformation().Bias, 0) << unusable.constData();
    }
    const ZoneEnvironment empty("");
    EXPECT_TRUE(UsableZone(SystemTimeZone())) << "an empty TZ is universal time";
}

// ---------------------------------------------------------------------------------------
// Today's date// ---------------------------------------------------------------------------------------
// Today's date

TEST(LocalToday, IsTheSystemDate) {
    // Read between two looks at the clock, in case midnight passes meanwhile.
    const QDate before = QDate::currentDate();
    const QDate today = LocalToday();
    const QDate after = QDate::currentDate();
    EXPECT_TRUE(today == before || today == after) << today.toString().toStdString();
}

// ---------------------------------------------------------------------------------------
// JPEG pictures

// Lossy coding moves a flat colour by a level or two at the quality used here.
constexpr int kColourTolerance = 3;
constexpr int kQuality = 95;
// The committed pictures are coded at quality 90, and their corners lie next to edges.
constexpr int kCommittedPictureTolerance = 8;

using PixelSource = std::function<void(int x, int y, JSAMPLE* pixel)>;

// Encodes a picture with libjpeg itself, so that the decoder meets the real thing.
QByteArray EncodeJpeg(int width, int height, J_COLOR_SPACE colours, int components,
                      const PixelSource& source) {
    jpeg_compress_struct compress{};
    jpeg_error_mgr errors{};
    compress.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compress);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compress, &buffer, &size);
    compress.image_width = static_cast<JDIMENSION>(width);
    compress.image_height = static_cast<JDIMENSION>(height);
    compress.input_components = components;
    compress.in_color_space = colours;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, kQuality, TRUE);
    jpeg_start_compress(&compress, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width * components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            source(x, y, &row[static_cast<size_t>(x * components)]);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&compress, rows, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);
    QByteArray encoded(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return encoded;
}

QByteArray SolidRgbJpeg(int width, int height, QRgb colour) {
    return EncodeJpeg(width, height, JCS_RGB, 3, [colour](int, int, JSAMPLE* pixel) {
        pixel[0] = static_cast<JSAMPLE>(qRed(colour));
        pixel[1] = static_cast<JSAMPLE>(qGreen(colour));
        pixel[2] = static_cast<JSAMPLE>(qBlue(colour));
    });
}

void ExpectColourNear(QRgb actual, QRgb expected, int tolerance = kColourTolerance) {
    EXPECT_NEAR(qRed(actual), qRed(expected), tolerance);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), tolerance);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), tolerance);
    EXPECT_EQ(qAlpha(actual), 255);
}

// Position of the start-of-frame segment's height field: marker, length, precision.
qsizetype FrameHeightOffset(const QByteArray& jpeg) {
    const qsizetype marker = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    return marker < 0 ? -1 : marker + 5;
}

void SetFrameSize(QByteArray& jpeg, int width, int height) {
    const qsizetype at = FrameHeightOffset(jpeg);
    ASSERT_GT(at, 0);
    jpeg[at] = static_cast<char>(height >> 8);
    jpeg[at + 1] = static_cast<char>(height & 0xFF);
    jpeg[at + 2] = static_cast<char>(width >> 8);
    jpeg[at + 3] = static_cast<char>(width & 0xFF);
}

void ExpectFailure(const DecodedJpeg& decoded, const QString& errorStart) {
    EXPECT_TRUE(decoded.image.isNull());
    EXPECT_TRUE(decoded.error.startsWith(errorStart)) << decoded.error.toStdString();
}

TEST(DecodeJpeg, GivesTheSizeAndColoursOfTheEncodedPicture) {
    const QRgb sunYellow = qRgb(250, 210, 40);
    const DecodedJpeg decoded = DecodeJpeg(SolidRgbJpeg(40, 30, sunYellow));
    ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(decoded.image.size(), QSize(40, 30));
    ExpectColourNear(decoded.image.pixel(0, 0), sunYellow);
    ExpectColourNear(decoded.image.pixel(39, 29), sunYellow);
}

TEST(DecodeJpeg, KeepsLeftRightAndTopBottom) {
    // Four quarters of 16 × 16 pixels, one whole block each, so that no colour bleeds.
    const QRgb quarters[2][2] = {{qRgb(220, 30, 30), qRgb(30, 200, 40)},
                                 {qRgb(30, 40, 220), qRgb(240, 240, 240)}};
    const QByteArray jpeg = EncodeJpeg(32, 32, JCS_RGB, 3, [&quarters](int x, int y, JSAMPLE* pixel) {
        const QRgb colour = quarters[y / 16][x / 16];
        pixel[0] = static_cast<JSAMPLE>(qRed(colour));
        pixel[1] = static_cast<JSAMPLE>(qGreen(colour));
        pixel[2] = static_cast<JSAMPLE>(qBlue(colour));
    });
    const QImage image = DecodeJpeg(jpeg).image;
    ASSERT_FALSE(image.isNull());
    // Colour is halved in resolution when coded, so look well inside each quarter.
    ExpectColourNear(image.pixel(4, 4), quarters[0][0]);
    ExpectColourNear(image.pixel(27, 4), quarters[0][1]);
    ExpectColourNear(image.pixel(4, 27), quarters[1][0]);
    ExpectColourNear(image.pixel(27, 27), quarters[1][1]);
}

TEST(DecodeJpeg, TurnsGreyAndInkPicturesIntoRgb) {
    const QByteArray grey =
        EncodeJpeg(16, 8, JCS_GRAYSCALE, 1, [](int, int, JSAMPLE* pixel) { pixel[0] = 128; });
    const DecodedJpeg decodedGrey = DecodeJpeg(grey);
    ASSERT_TRUE(decodedGrey.error.isEmpty()) << decodedGrey.error.toStdString();
    ExpectColourNear(decodedGrey.image.pixel(5, 5), qRgb(128, 128, 128));

    // Red in inverted inks as four-ink files store them: no cyan (255), full magenta and
    // yellow (0), no black (255).
    const QByteArray red = EncodeJpeg(16, 8, JCS_CMYK, 4, [](int, int, JSAMPLE* pixel) {
        pixel[0] = 255;
        pixel[1] = 0;
        pixel[2] = 0;
        pixel[3] = 255;
    });
    const DecodedJpeg decodedRed = DecodeJpeg(red);
    ASSERT_TRUE(decodedRed.error.isEmpty()) << decodedRed.error.toStdString();
    ExpectColourNear(decodedRed.image.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(DecodeJpeg, RefusesColoursOfNoKnownModel) {
    const QByteArray twoComponents = EncodeJpeg(16, 8, JCS_UNKNOWN, 2, [](int, int, JSAMPLE* pixel) {
        pixel[0] = 10;
        pixel[1] = 200;
    });
    ExpectFailure(DecodeJpeg(twoComponents), QStringLiteral("unsupported JPEG picture"));
}

TEST(DecodeJpeg, RefusesWhatIsNoJpegPicture) {
    ExpectFailure(DecodeJpeg(QByteArray()), QStringLiteral("empty JPEG picture"));
    ExpectFailure(DecodeJpeg(QByteArray("GIF89a, certainly no JPEG")), QStringLiteral("not a JPEG picture"));
    ExpectFailure(DecodeJpeg(QByteArray("\xFF", 1)), QStringLiteral("truncated JPEG picture"));
    ExpectFailure(DecodeJpeg(QByteArray(4096, '\0')), QStringLiteral("not a JPEG picture"));
}

TEST(DecodeJpeg, RefusesAPictureCutShort) {
    const QByteArray whole = SolidRgbJpeg(64, 64, qRgb(90, 160, 230));
    for (const qsizetype kept : {qsizetype(2), qsizetype(20), whole.size() / 2, whole.size() - 2})
        ExpectFailure(DecodeJpeg(whole.left(kept)), QStringLiteral("truncated JPEG picture"));
}

TEST(DecodeJpeg, RefusesADamagedHeader) {
    const QByteArray whole = SolidRgbJpeg(16, 16, qRgb(90, 160, 230));

    QByteArray badPrecision = whole;
    badPrecision[FrameHeightOffset(whole) - 1] = 9;  // samples of 9 bits
    ExpectFailure(DecodeJpeg(badPrecision), QStringLiteral("damaged JPEG picture"));

    QByteArray noWidth = whole;
    SetFrameSize(noWidth, 0, 16);
    ExpectFailure(DecodeJpeg(noWidth), QStringLiteral("damaged JPEG picture"));

    QByteArray badStart = whole;
    badStart[1] = '\xD9';  // the end-of-picture marker in place of the start
    ExpectFailure(DecodeJpeg(badStart), QStringLiteral("not a JPEG picture"));
}

TEST(DecodeJpeg, RefusesPicturesLargerThan4096Square) {
    // A real picture at the limit decodes...
    const QByteArray wide = SolidRgbJpeg(4096, 8, qRgb(10, 20, 30));
    const DecodedJpeg decoded = DecodeJpeg(wide);
    ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.size(), QSize(4096, 8));

    // ...and headers that declare more are refused before anything is allocated for them.
    // libjpeg itself refuses sides above 65500, so the largest here stays below that.
    for (const QSize declared : {QSize(4097, 8), QSize(8, 4097), QSize(60000, 60000)}) {
        QByteArray huge = wide;
        SetFrameSize(huge, declared.width(), declared.height());
        ExpectFailure(DecodeJpeg(huge), QStringLiteral("JPEG picture too large"));
    }
}

TEST(DecodeJpeg, DecodesTheProgramsOwnPictures) {
    struct Picture {
        const char* file;
        QSize size;
        QPoint samplePoint;
        QRgb sampleColour;
    };
    // The corner of the Sun picture is sky blue and the corner of the Moon picture white,
    // as tools/draw_pictures.sh draws them.
    const Picture pictures[] = {
        {"sun.jpg", QSize(40, 40), QPoint(0, 0), qRgb(0x87, 0xce, 0xeb)},
        {"moon.jpg", QSize(30, 30), QPoint(0, 0), qRgb(255, 255, 255)},
    };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.file);
        const DecodedJpeg decoded =
            DecodeJpeg(Contents(QStringLiteral(HELUNE_RESOURCES_DIR "/") + picture.file));
        ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.image.size(), picture.size);
        ExpectColourNear(decoded.image.pixel(picture.samplePoint), picture.sampleColour,
                         kCommittedPictureTolerance);
    }
}

}  // namespace
}  // namespace helune
