#include "CompanionAbi.h"
#include "JpegImage.h"
#include "ProductInfo.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

struct TLibraryCloser
{
    void operator()(void* library) const { dlclose(library); }
};
using TLibrary = std::unique_ptr<void, TLibraryCloser>;

TLibrary OpenBuilt(const char* name)
{
    return TLibrary(dlopen((std::string(QUORVID_PROGRAM_DIR "/") + name).c_str(), RTLD_NOW | RTLD_LOCAL));
}

TRecLoadString BuiltLoadString(const TLibrary& rec)
{
    return reinterpret_cast<TRecLoadString>(dlsym(rec.get(), "RecLoadString"));
}

class CompanionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetDoubles();
        FFolder = std::make_unique<TTempProgramFolder>();
        FFolder->CopyProgramFiles({QStringLiteral("rec.so"), QStringLiteral("use.so")});
    }
    void TearDown() override { ResetDoubles(); }

    std::unique_ptr<TTempProgramFolder> FFolder;
};

} // namespace

// Every numbered string, read the way start-up reads it, fills its field of the product record.
TEST_F(CompanionTest, ProductStringsReachTheirFieldsThroughTheReader)
{
    TRecSoftInfo info;
    TProductInfo::Read(info);
    const struct
    {
        const char* Field;
        QString Value;
        QString Expected;
    } cases[] = {
        {"Company (0)", info.Company, QStringLiteral("Brenwick")},
        {"ProductName (1)", info.ProductName, QStringLiteral("Quorvid")},
        {"HomePage (4)", info.HomePage, QStringLiteral("https://quorvid.example/")},
        {"Email (5)", info.Email, QStringLiteral("support@quorvid.example")},
        {"Version", info.Version, QStringLiteral("1.4")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Value, c.Expected) << c.Field;
    EXPECT_TRUE(info.AboutText1.startsWith(QStringLiteral("Quorvid converts your videos")))
        << info.AboutText1.toStdString();
    EXPECT_TRUE(info.AboutText2.contains(QStringLiteral("GNU General Public License")))
        << info.AboutText2.toStdString();
}

TEST_F(CompanionTest, OnlyTheNumberedStringsExistAndEachFitsTheLimit)
{
    const TLibrary rec = OpenBuilt("rec.so");
    ASSERT_TRUE(rec) << dlerror();
    const TRecLoadString loadString = BuiltLoadString(rec);
    ASSERT_NE(loadString, nullptr);
    const struct
    {
        unsigned Id;
        bool Present;
    } cases[] = {{0, true}, {1, true},  {2, true}, {3, false}, {4, true},
                 {5, true}, {6, false}, {7, true}, {8, false}, {1000, false}};
    for (const auto& c : cases) {
        const QString text = TProductInfo::ReadString(loadString, c.Id);
        EXPECT_EQ(!text.isEmpty(), c.Present) << "string " << c.Id;
        EXPECT_LE(text.size(), 253) << "string " << c.Id;
    }
}

// rec.so honours the buffer it is given: it always ends the text with a NUL inside the buffer
// and never cuts a UTF-8 character in half.
TEST_F(CompanionTest, RecCutsToTheBufferItIsGiven)
{
    const TLibrary rec = OpenBuilt("rec.so");
    ASSERT_TRUE(rec) << dlerror();
    const TRecLoadString loadString = BuiltLoadString(rec);
    ASSERT_NE(loadString, nullptr);
    const struct
    {
        int BufferSize;
        int Returned;
        const char* Text;
    } cases[] = {{1, 0, ""}, {4, 3, "Bre"}, {9, 8, "Brenwick"}, {64, 8, "Brenwick"}};
    for (const auto& c : cases) {
        char buffer[80];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(loadString(0, buffer, c.BufferSize), c.Returned) << "buffer " << c.BufferSize;
        EXPECT_STREQ(buffer, c.Text) << "buffer " << c.BufferSize;
        EXPECT_EQ(buffer[c.BufferSize], 'x') << "wrote past a buffer of " << c.BufferSize;
    }
    EXPECT_EQ(loadString(0, nullptr, 10), 0);
}

namespace {

// Stand-ins for RecLoadString that hand back a chosen text, to show what the reader keeps.
std::string GLoaderText;
bool GLoaderEndsText = true;

int FakeLoadString(unsigned, char* buffer, int bufferSize)
{
    // Copies as a loader that follows the contract would, or, when told, fills the whole buffer
    // without an ending NUL as a careless one might.
    const std::size_t room = static_cast<std::size_t>(bufferSize) - (GLoaderEndsText ? 1 : 0);
    const std::size_t length = std::min(GLoaderText.size(), room);
    std::memcpy(buffer, GLoaderText.data(), length);
    if (GLoaderEndsText)
        buffer[length] = '\0';
    return static_cast<int>(length);
}

} // namespace

TEST(ProductStringReaderTest, KeepsAtMost253CharactersAndStopsAtANul)
{
    const struct
    {
        const char* Name;
        std::string Text;
        bool EndsText;
        QString Expected;
    } cases[] = {
        {"short", "Quorvid", true, QStringLiteral("Quorvid")},
        {"exactly 253", std::string(253, 'a'), true, QString(253, QLatin1Char('a'))},
        {"254 cut to 253", std::string(254, 'b'), true, QString(253, QLatin1Char('b'))},
        {"300 cut to 253", std::string(300, 'c'), true, QString(253, QLatin1Char('c'))},
        {"no NUL from the loader", std::string(400, 'd'), false, QString(253, QLatin1Char('d'))},
        {"NUL inside", std::string("Quor\0vid", 8), true, QStringLiteral("Quor")},
        {"empty", "", true, QString()},
    };
    for (const auto& c : cases) {
        GLoaderText = c.Text;
        GLoaderEndsText = c.EndsText;
        EXPECT_EQ(TProductInfo::ReadString(FakeLoadString, 0), c.Expected) << c.Name;
    }
    EXPECT_EQ(TProductInfo::ReadString(nullptr, 0), QString());
}

TEST_F(CompanionTest, SplashPictureIsFoundAndDecodes)
{
    const QByteArray jpeg = TProductInfo::ReadSplashJpeg();
    ASSERT_GT(jpeg.size(), 1000);
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
    QStringList warnings;
    const QImage splash = TJpegImage::Decode(jpeg, &warnings);
    EXPECT_EQ(splash.size(), QSize(480, 280));
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    // A real picture, not a plain fill.
    EXPECT_NE(splash.pixel(10, 10), splash.pixel(240, 140));
}

TEST_F(CompanionTest, OnlyTheSplashResourceIsFound)
{
    const TLibrary rec = OpenBuilt("rec.so");
    ASSERT_TRUE(rec) << dlerror();
    const auto findResource = reinterpret_cast<TRecFindResource>(dlsym(rec.get(), "RecFindResource"));
    ASSERT_NE(findResource, nullptr);
    const struct
    {
        const char* Name;
        const char* Type;
        bool Found;
    } cases[] = {{"ImgFlash", "jpeg", true}, {"ImgFlash", "png", false}, {"imgflash", "jpeg", false},
                 {"Other", "jpeg", false},   {nullptr, "jpeg", false},   {"ImgFlash", nullptr, false}};
    for (const auto& c : cases) {
        unsigned long size = 12345;
        const unsigned char* bytes = findResource(c.Name, c.Type, &size);
        EXPECT_EQ(bytes != nullptr, c.Found) << (c.Name ? c.Name : "null") << "/" << (c.Type ? c.Type : "null");
        EXPECT_EQ(size > 0, c.Found) << (c.Name ? c.Name : "null") << "/" << (c.Type ? c.Type : "null");
    }
}

TEST_F(CompanionTest, MissingRecLeavesTheFieldsEmptyButTheVersion)
{
    QFile::remove(FFolder->Path() + QStringLiteral("rec.so"));
    TRecSoftInfo info;
    info.Company = QStringLiteral("stale");
    TProductInfo::Read(info);
    EXPECT_TRUE(info.Company.isEmpty());
    EXPECT_TRUE(info.ProductName.isEmpty());
    EXPECT_EQ(info.Version, QStringLiteral("1.4"));
    EXPECT_TRUE(TProductInfo::ReadSplashJpeg().isEmpty());
}

namespace {

// The texts of every label of the first modal window that shows, read and then closed by a timer
// while ShowAboutForm waits in the window's own loop.
struct TAboutWindowReader
{
    QString Title;
    QStringList Texts;
    QStringList PlainTexts;
    bool Seen = false;

    void Start()
    {
        auto* poll = new QTimer(qApp);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll] {
            auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!window)
                return;
            Seen = true;
            Title = window->windowTitle();
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                Texts.append(label->text());
                if (label->textFormat() == Qt::PlainText)
                    PlainTexts.append(label->text());
            }
            window->reject();
            poll->deleteLater();
        });
        poll->start();
        // However ShowAboutForm fails, the test does not hang.
        QTimer::singleShot(10000, poll, [poll] {
            if (QWidget* window = QApplication::activeModalWidget())
                window->close();
            poll->deleteLater();
        });
    }
    bool Shows(const QString& text) const
    {
        for (const QString& shown : Texts)
            if (shown.contains(text))
                return true;
        return false;
    }
};

} // namespace

TEST_F(CompanionTest, AboutWindowShowsWhatItIsPassed)
{
    TRecSoftInfo info;
    TProductInfo::Read(info);
    info.AppPath = FFolder->Path();
    TAboutWindowReader reader;
    reader.Start();
    TProductInfo::ShowAbout(qApp, info);
    ASSERT_TRUE(reader.Seen);
    EXPECT_EQ(reader.Title, QStringLiteral("About Quorvid"));
    const struct
    {
        const char* Name;
        QString Text;
    } cases[] = {
        {"product and version", QStringLiteral("Quorvid 1.4")},
        {"company", QStringLiteral("Brenwick")},
        {"about text 1", info.AboutText1},
        {"about text 2", info.AboutText2},
        {"home page", QStringLiteral("https://quorvid.example/")},
        {"e-mail", QStringLiteral("mailto:support@quorvid.example")},
        {"program folder", FFolder->Path()},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(reader.Shows(c.Text)) << c.Name << ": " << reader.Texts.join(QLatin1String(" | ")).toStdString();
}

// Texts with markup characters are shown as text, and missing texts as nothing, twice in a row
// (the library is loaded and unloaded each time).
TEST_F(CompanionTest, AboutWindowTakesOddTextsAndComesBackAgain)
{
    const TLibrary use = OpenBuilt("use.so");
    ASSERT_TRUE(use) << dlerror();
    const auto showAboutForm = reinterpret_cast<TShowAboutForm>(dlsym(use.get(), "ShowAboutForm"));
    ASSERT_NE(showAboutForm, nullptr);
    for (int round = 0; round < 2; ++round) {
        TAboutWindowReader reader;
        reader.Start();
        showAboutForm(qApp, TAboutInfo{nullptr, "Q<b>", nullptr, "9.9", "https://a.example/?x=1&y=<2>", nullptr,
                                       nullptr, nullptr});
        ASSERT_TRUE(reader.Seen) << "round " << round;
        EXPECT_EQ(reader.Title, QStringLiteral("About Q<b>"));
        EXPECT_TRUE(reader.PlainTexts.contains(QStringLiteral("Q<b> 9.9")));
        EXPECT_TRUE(reader.Shows(QStringLiteral("https://a.example/?x=1&amp;y=&lt;2&gt;")));
    }
    // Without an application it shows nothing and returns.
    showAboutForm(nullptr, TAboutInfo{});
}
