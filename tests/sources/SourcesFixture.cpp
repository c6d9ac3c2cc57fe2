#include "SourcesFixture.h"

#include "FakeDialogs.h"
#include "SourceFiles.h"

#include <QFile>

void SourcesFixture::SetUp()
{
    ResetDoubles();
    Program = std::make_unique<TTempProgramFolder>();
    Work = Program->MakeFolder(QStringLiteral("media"));
    Models = std::make_unique<TControlModels>();
    Objects = std::make_unique<TAppObjects>(*Models);
    CustomProc->OnSyncSelection = [this] { Hooks << QStringLiteral("sync"); };
    CustomProc->OnStopPreview = [this] { Hooks << QStringLiteral("stop"); };
    CustomProc->OnResetRangeBar = [this] { Hooks << QStringLiteral("reset"); };
    CustomProc->OnSeekPreviewIfFollowing = [this](std::int64_t ms) { Seeks.push_back(ms); };
}

void SourcesFixture::TearDown()
{
    Objects.reset();
    Models.reset();
    Program.reset();
}

QString SourcesFixture::RowText(int row)
{
    QStringList cells;
    for (int c = 0; c < TSourceList::ColumnCount; ++c)
        cells << List().Cell(row, c);
    return cells.join(QLatin1Char('|'));
}

void SourcesFixture::AddRow(int number, const QString& duration, const QString& start, const QString& end)
{
    List().AppendRow({QStringLiteral("True"), QStringLiteral("/m/%1.mp4").arg(number), QStringLiteral("1 MB"), duration,
                      start, end, duration});
}

QStringList SourcesFixture::Names()
{
    QStringList names;
    for (int r = 0; r < List().RowCount(); ++r)
        names << List().Cell(r, TSourceList::colFileName);
    return names;
}

QString SourcesFixture::CopyClip(const QString& clip, const QString& name)
{
    const QString target = Work + name;
    EXPECT_TRUE(QFile::copy(TestMediaFolder() + clip, target)) << name.toStdString();
    return target;
}

int SourcesFixture::Warnings() const
{
    int count = 0;
    for (const auto& call : FakeDialogs().Calls)
        if (call.Kind == QLatin1String("message") && call.Type == 1 && call.Text == FileReadingErrorText())
            ++count;
    return count;
}
