#include "IniFiles32.h"
#include "Errors.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

class IniFileTest : public ::testing::Test
{
protected:
    TTempProgramFolder Program;
    QString File = Program.ConfigPath() + "Test.ini";

    QByteArray OnDisk() const { return ReadFileBytes(File); }
    void Given(const QByteArray& bytes) const { WriteFileBytes(File, bytes); }
};

TEST_F(IniFileTest, FirstWriteCreatesSeparatorHeaderAndKey)
{
    TIniFile32 ini(File);
    ini.WriteString("S", "K", "V");
    EXPECT_EQ(OnDisk(), QByteArray("\r\n[S]\r\nK=V\r\n"));
}

TEST_F(IniFileTest, ReadsFollowTheLineRules)
{
    Given("orphan=1\r\n[USRInfo]\r\nname = text \r\nInitDir=\r\ncount=1\r\ncount=2\r\n;c=3\r\n\tx\t=\ty\r\n"
          "[Next]\r\nname=other\r\n");
    TIniFile32 ini(File);
    struct TCase
    {
        const char* Section;
        const char* Key;
        const char* Expected;
    };
    const TCase cases[] = {
        {"USRInfo", "name", "text"},   // blanks around key and value are trimmed
        {"usrinfo", "name", "text"},   // section names ignore letter case
        {"USRInfo", "InitDir", "def"}, // an empty value reads as the default
        {"USRInfo", "count", "1"},     // the first of equal keys wins
        {"USRInfo", "Count", "def"},   // keys keep their letter case
        {"USRInfo", ";c", "3"},        // no comment syntax
        {"USRInfo", "x", "y"},         // tabs are trimmed too
        {"USRInfo", "", "def"},        // an empty key never matches
        {"USRInfo", "orphan", "def"},  // lines before the first header belong to no section
        {"Next", "name", "other"},     {"Missing", "name", "def"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, "def"), QString::fromLatin1(c.Expected))
            << c.Section << "/" << c.Key;
}

TEST_F(IniFileTest, ReadIntegerTakesDecimalAndHexForms)
{
    Given("[N]\r\na=0x1F\r\nb=0X10\r\nc=$10\r\nd=-5\r\ne=0x\r\nf=12abc\r\ng=\r\n");
    TIniFile32 ini(File);
    EXPECT_EQ(ini.ReadInteger("N", "a", 7), 31);
    EXPECT_EQ(ini.ReadInteger("N", "b", 7), 16);
    EXPECT_EQ(ini.ReadInteger("N", "c", 7), 16);
    EXPECT_EQ(ini.ReadInteger("N", "d", 7), -5);
    EXPECT_EQ(ini.ReadInteger("N", "e", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "f", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "g", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "none", 7), 7);
}

TEST_F(IniFileTest, WritesLandAtTheirInsertionPoints)
{
    struct TCase
    {
        const char* Name;
        QByteArray Before;
        const char* Section;
        const char* Key;
        const char* Value;
        QByteArray After;
    };
    const TCase cases[] = {
        {"replace keeps place, loses spacing", "[S]\r\nname = text\r\nz=1\r\n", "S", "name", "new",
         "[S]\r\nname=new\r\nz=1\r\n"},
        {"new key goes before the next header, after blank lines", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "k", "v",
         "[A]\r\nx=1\r\n\r\nk=v\r\n[B]\r\ny=2\r\n"},
        {"new key at end of last section", "[A]\r\nx=1\r\n", "a", "k", "v", "[A]\r\nx=1\r\nk=v\r\n"},
        {"other case of key adds a second line", "[S]\r\ncount=1\r\n", "S", "Count", "2",
         "[S]\r\ncount=1\r\nCount=2\r\n"},
        {"empty key in existing section saves unchanged", "[S]\r\nx=1\r\n", "S", "", "v", "[S]\r\nx=1\r\n"},
        {"empty key in new section writes only the header", "", "", "", "v", "\r\n[]\r\n"},
        {"header with blanks is not found by the plain name", "[ USRInfo ]\r\nx=1\r\n", "USRInfo", "k", "v",
         "[ USRInfo ]\r\nx=1\r\n\r\n[USRInfo]\r\nk=v\r\n"},
        {"blank-only line is no header", "[S]\r\n   \r\n", "S", "k", "v", "[S]\r\n   \r\nk=v\r\n"},
    };
    for (const auto& c : cases) {
        QFile::remove(File);
        if (!c.Before.isEmpty())
            Given(c.Before);
        TIniFile32 ini(File);
        ini.WriteString(c.Section, c.Key, c.Value);
        EXPECT_EQ(OnDisk(), c.After) << c.Name;
    }
}

TEST_F(IniFileTest, EraseSectionLeavesOneEmptyLineUnlessFirst)
{
    Given("[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n\r\n[C]\r\nc=1\r\n");
    {
        TIniFile32 ini(File);
        ini.EraseSection("b");
    }
    EXPECT_EQ(OnDisk(), QByteArray("[A]\r\na=1\r\n\r\n\r\n[C]\r\nc=1\r\n"));
    {
        TIniFile32 ini(File);
        ini.EraseSection("A");
    }
    EXPECT_EQ(OnDisk(), QByteArray("[C]\r\nc=1\r\n"));
}

TEST_F(IniFileTest, ErasingAMissingSectionDoesNotTouchTheFile)
{
    Given("[A]\na=1");
    TIniFile32 ini(File);
    ini.EraseSection("Nope");
    EXPECT_EQ(OnDisk(), QByteArray("[A]\na=1"));
}

TEST_F(IniFileTest, LoadingSplitsAtEveryLineEndAndStopsAtNul)
{
    const char bytes[] = "[A]\ra=1\nb=2\r\nc=3\0[B]\r\n";
    Given(QByteArray(bytes, sizeof bytes - 1));
    TIniFile32 ini(File);
    EXPECT_EQ(ini.Lines(), QStringList({"[A]", "a=1", "b=2", "c=3"}));
    ini.WriteString("A", "d", "4");
    EXPECT_EQ(OnDisk(), QByteArray("[A]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n"));
}

TEST_F(IniFileTest, ReadSectionsTrimsAndKeepsDuplicates)
{
    Given("\xEF\xBB\xBF[Bom]\r\n[ A ]\r\n[]\r\n[a]\r\n[\r\nx=[y]\r\n");
    TIniFile32 ini(File);
    QStringList names{"stale"};
    ini.ReadSections(&names);
    // A byte-order mark keeps the first header from being one.
    EXPECT_EQ(names, QStringList({"A", "", "a"}));
    try {
        ini.ReadSections(nullptr);
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_TRUE(e.Message().startsWith("Param Strings must be assigned"));
    }
}

TEST_F(IniFileTest, AValueWithALineBreakSplitsOnReload)
{
    {
        TIniFile32 ini(File);
        ini.WriteString("S", "k", "one\r\ntwo=2");
    }
    TIniFile32 again(File);
    EXPECT_EQ(again.ReadString("S", "k", "d"), "one");
    EXPECT_EQ(again.ReadString("S", "two", "d"), "2");
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsAFileErrorNamingIt)
{
    QDir().mkpath(File);
    try {
        TIniFile32 ini(File);
        FAIL() << "no error";
    } catch (const EFileError& e) {
        EXPECT_TRUE(e.Message().contains(File));
    }
}

TEST_F(IniFileTest, ASaveIntoAMissingFolderIsAFileError)
{
    TIniFile32 ini(Program.Path() + "NoConfig/Test.ini");
    EXPECT_THROW(ini.WriteString("S", "k", "v"), EFileError);
    EXPECT_FALSE(QFile::exists(Program.Path() + "NoConfig"));
}

TEST_F(IniFileTest, ASaveThatFailsMidwayLeavesThePreviousFileIntact)
{
    const QByteArray before = "\r\n[Phone]\r\nPhone=4|1|3|5|1|2\r\n";
    Given(before);
    TIniFile32 ini(File);
    // Cap the size of any file this process writes: the save runs out of room part way through.
    struct rlimit saved
    {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        ini.WriteString("Long", "Long", QString(200, QLatin1Char('x')));
    } catch (const EFileError& e) {
        failed = e.Message().contains(File);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(OnDisk(), before);
    EXPECT_EQ(QDir(Program.ConfigPath()).entryList(QDir::Files | QDir::Hidden), QStringList{"Test.ini"});
}
