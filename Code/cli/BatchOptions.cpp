#include "BatchOptions.h"

#include "Unit_ConfigInfo.h"

#include <QRegularExpression>
#include <charconv>

namespace {

const char* const cstTypeNames[cstOutputTypeCount] = {"mp4", "3gp", "3gp-amr", "3g2", "3g2-amr"};
const char* const cstQualityNames[5] = {"low", "acceptable", "normal", "excellent", "superb"};

[[noreturn]] void Fail(const QString& message)
{
    throw EUsageError(message.toStdString());
}

// The items of a built-in option list, without its default-index entry.
QStringList ItemsOf(QStringList (*builder)())
{
    QStringList list = builder();
    list.removeLast();
    return list;
}

QString ItemOf(const QString& option, const QString& value, QStringList (*builder)())
{
    const QStringList items = ItemsOf(builder);
    if (!items.contains(value))
        Fail(QStringLiteral("%1: '%2' is not one of %3").arg(option, value, items.join(QLatin1Char(' '))));
    return value;
}

int IndexOfName(const QString& option, const QString& value, const char* const* names, int count)
{
    for (int i = 0; i < count; ++i)
        if (value == QLatin1String(names[i]))
            return i;
    QStringList all;
    for (int i = 0; i < count; ++i)
        all << QLatin1String(names[i]);
    Fail(QStringLiteral("%1: '%2' is not one of %3").arg(option, value, all.join(QLatin1Char(' '))));
}

QString TimeOf(const QString& option, const QString& value)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{2}):([0-5][0-9]):([0-5][0-9])$"));
    const auto match = form.match(value);
    if (!match.hasMatch() || match.captured(1).toInt() > 23)
        Fail(QStringLiteral("%1: '%2' is not a time from 00:00:00 to 23:59:59 (hh:mm:ss)").arg(option, value));
    return value;
}

int JobsOf(const QString& option, const QString& value)
{
    const QByteArray bytes = value.toLatin1();
    int jobs = 0;
    auto [end, ec] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), jobs);
    if (bytes.isEmpty() || ec != std::errc() || end != bytes.constData() + bytes.size() || jobs < 1 || jobs > 64)
        Fail(QStringLiteral("%1: '%2' is not a number of jobs from 1 to 64").arg(option, value));
    return jobs;
}

} // namespace

TBatchOptions ParseBatchOptions(const QStringList& args, int defaultJobs)
{
    TBatchOptions o;
    o.Jobs = defaultJobs;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            if (!optionsEnded && arg == QLatin1String("--"))
                optionsEnded = true;
            else
                o.Files << arg;
            continue;
        }
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        auto flag = [&] {
            if (inlineValue)
                Fail(QStringLiteral("%1: takes no value").arg(name));
        };
        auto value = [&]() -> QString {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= args.size())
                Fail(QStringLiteral("%1: a value is missing").arg(name));
            return args.at(++i);
        };
        if (name == QLatin1String("--help")) {
            flag();
            o.Help = true;
        } else if (name == QLatin1String("--dry-run")) {
            flag();
            o.DryRun = true;
        } else if (name == QLatin1String("--type")) {
            o.OutputType = IndexOfName(name, value(), cstTypeNames, cstOutputTypeCount);
        } else if (name == QLatin1String("--quality")) {
            o.Quality = IndexOfName(name, value(), cstQualityNames, 5);
        } else if (name == QLatin1String("--profile")) {
            o.Profile = value();
        } else if (name == QLatin1String("--size")) {
            o.Size = ItemOf(name, value(), GetVideoSizeList);
        } else if (name == QLatin1String("--video-bitrate")) {
            o.VideoBitrate = ItemOf(name, value(), GetVideoBitrateList);
        } else if (name == QLatin1String("--frame-rate")) {
            o.FrameRate = ItemOf(name, value(), GetFrameRateList);
        } else if (name == QLatin1String("--aspect")) {
            o.Aspect = ItemOf(name, value(), GetAspectRatioList);
        } else if (name == QLatin1String("--audio-bitrate")) {
            o.AudioBitrate = ItemOf(name, value(), GetAudioBitrateList);
        } else if (name == QLatin1String("--sample-rate")) {
            o.SampleRate = ItemOf(name, value(), GetAudioSampleList);
        } else if (name == QLatin1String("--volume")) {
            o.Volume = ItemOf(name, value(), GetAudioVolumeList);
        } else if (name == QLatin1String("--channels")) {
            const QString v = value();
            if (v != QLatin1String("1") && v != QLatin1String("2"))
                Fail(QStringLiteral("%1: '%2' is not one of 1 2").arg(name, v));
            o.Channels = v.toInt();
        } else if (name == QLatin1String("--start")) {
            o.Start = TimeOf(name, value());
        } else if (name == QLatin1String("--end")) {
            o.End = TimeOf(name, value());
        } else if (name == QLatin1String("--output")) {
            o.Output = value();
            if (o.Output->isEmpty())
                Fail(QStringLiteral("--output: the folder is empty"));
        } else if (name == QLatin1String("--jobs")) {
            o.Jobs = JobsOf(name, value());
        } else {
            Fail(QStringLiteral("%1: unknown option (see --help)").arg(name));
        }
    }
    if (o.Quality && o.Profile)
        Fail(QStringLiteral("--profile: cannot be combined with --quality"));
    if (!o.Help && o.Files.isEmpty())
        Fail(QStringLiteral("FILE: no source file given (see --help)"));
    return o;
}

QString BatchUsage()
{
    return QStringLiteral("Usage: quorvid-batch [options] FILE...\n"
                          "Converts video files for phones without opening a window, exactly as Quorvid would.\n"
                          "\n"
                          "  --type TYPE            mp4 (default), 3gp, 3gp-amr, 3g2, 3g2-amr\n"
                          "  --quality LEVEL        low, acceptable, normal (default), excellent, superb\n"
                          "  --profile NAME         a custom profile stored by Quorvid's Options dialog\n"
                          "  --size WxH             128x96 160x120 176x144 220x176 320x240 352x240 352x288\n"
                          "                         480x272 640x480 704x576\n"
                          "  --video-bitrate KBPS   40 80 128 256 512 1024\n"
                          "  --frame-rate FPS       11 15\n"
                          "  --aspect RATIO         4:3 16:9\n"
                          "  --audio-bitrate KBPS   16 32 48 64 80 128 160 192 224\n"
                          "  --sample-rate HZ       22050 32000 44100 48000\n"
                          "  --volume PERCENT       0 25 50 ... 500 (200 by default)\n"
                          "  --channels N           1 or 2\n"
                          "  --start hh:mm:ss       where each file's conversion starts\n"
                          "  --end hh:mm:ss         where it ends\n"
                          "  --output DIR           output folder (default: Quorvid's saved output folder)\n"
                          "  --jobs N               encoders running at once (default: the number of cores)\n"
                          "  --dry-run              print the command line for each file, convert nothing\n"
                          "  --help                 show this help\n"
                          "\n"
                          "The advanced options apply after the quality level or profile, as the Options dialog\n"
                          "would. Exit status: 0 all converted, 1 some failed, 2 bad arguments.\n");
}
