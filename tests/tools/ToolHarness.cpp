#include "ToolHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

std::string ToolPath(const std::string& tool)
{
    return std::string(QUORVID_PROGRAM_DIR) + "/" + tool;
}

TToolRun RunTool(const std::string& tool, const std::vector<std::string>& args, int timeoutMs,
                 const std::function<void()>& childSetup)
{
    TToolRun run;
    QProcess process;
    QStringList list;
    for (const auto& arg : args) {
        list << QString::fromStdString(arg);
    }
    process.setWorkingDirectory(QStringLiteral(QUORVID_PROGRAM_DIR));
    if (childSetup) {
        process.setChildProcessModifier(childSetup);
    }
    QElapsedTimer timer;
    timer.start();
    process.start(QString::fromStdString(ToolPath(tool)), list);
    run.Started = process.waitForStarted(5000);
    if (!run.Started) {
        return run;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        run.TimedOut = true;
        process.kill();
        process.waitForFinished(2000);
    }
    run.Seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Stdout = process.readAllStandardOutput().toStdString();
    run.Stderr = process.readAllStandardError().toStdString();
    return run;
}

bool ToolChildrenLeft()
{
    const std::string self = std::to_string(::getpid());
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        std::ifstream stat("/proc/" + entry.toStdString() + "/stat");
        std::string pid, comm, state, parent;
        if (stat >> pid >> comm >> state >> parent) {
            if (parent == self && state != "Z" && (comm == "(favc)" || comm == "(ravc)")) {
                return true;
            }
        }
    }
    return false;
}

namespace {

struct TInput
{
    AVFormatContext* Context = nullptr;
    ~TInput() { avformat_close_input(&Context); }
};
struct TDecoder
{
    AVCodecContext* Context = nullptr;
    ~TDecoder() { avcodec_free_context(&Context); }
};
struct TFrame
{
    AVFrame* Frame = av_frame_alloc();
    ~TFrame() { av_frame_free(&Frame); }
};
struct TPacket
{
    AVPacket* Packet = av_packet_alloc();
    ~TPacket() { av_packet_free(&Packet); }
};

bool OpenDecoder(AVFormatContext* input, int index, TDecoder& decoder)
{
    if (index < 0) {
        return false;
    }
    const AVCodec* codec = avcodec_find_decoder(input->streams[index]->codecpar->codec_id);
    if (!codec) {
        return false;
    }
    decoder.Context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoder.Context, input->streams[index]->codecpar);
    decoder.Context->pkt_timebase = input->streams[index]->time_base;
    // decoding errors must surface, not be concealed
    decoder.Context->err_recognition = AV_EF_EXPLODE | AV_EF_CRCCHECK | AV_EF_BITSTREAM;
    return avcodec_open2(decoder.Context, codec, nullptr) == 0;
}

} // namespace

TMediaInfo InspectMedia(const std::string& path)
{
    TMediaInfo info;
    TInput input;
    if (avformat_open_input(&input.Context, path.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(input.Context, nullptr) < 0) {
        return info;
    }
    info.Opened = true;
    if (auto* brand = av_dict_get(input.Context->metadata, "major_brand", nullptr, 0)) {
        info.MajorBrand = brand->value;
    }
    if (input.Context->duration != AV_NOPTS_VALUE) {
        info.ContainerSeconds = static_cast<double>(input.Context->duration) / AV_TIME_BASE;
    }
    int videoIndex = -1;
    int audioIndex = -1;
    for (unsigned k = 0; k < input.Context->nb_streams; ++k) {
        AVStream* stream = input.Context->streams[k];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            ++info.VideoStreams;
            videoIndex = static_cast<int>(k);
            info.VideoCodec = avcodec_get_name(stream->codecpar->codec_id);
            info.Width = stream->codecpar->width;
            info.Height = stream->codecpar->height;
            info.FrameRate = av_q2d(stream->avg_frame_rate);
        } else if (stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            ++info.AudioStreams;
            audioIndex = static_cast<int>(k);
            info.AudioCodec = avcodec_get_name(stream->codecpar->codec_id);
            info.SampleRate = stream->codecpar->sample_rate;
            info.Channels = stream->codecpar->ch_layout.nb_channels;
        }
    }
    TDecoder video;
    TDecoder audio;
    if (videoIndex >= 0 && !OpenDecoder(input.Context, videoIndex, video)) {
        ++info.DecodeErrors;
    }
    if (audioIndex >= 0 && !OpenDecoder(input.Context, audioIndex, audio)) {
        ++info.DecodeErrors;
    }
    TPacket packet;
    TFrame frame;
    auto drain = [&](AVCodecContext* decoder, bool isVideo) {
        while (true) {
            int ret = avcodec_receive_frame(decoder, frame.Frame);
            if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) {
                return;
            }
            if (ret < 0) {
                ++info.DecodeErrors;
                return;
            }
            if (frame.Frame->decode_error_flags) {
                ++info.DecodeErrors;
            }
            if (isVideo) {
                ++info.VideoFrames;
            } else {
                info.AudioSamples += frame.Frame->nb_samples;
            }
            av_frame_unref(frame.Frame);
        }
    };
    auto feed = [&](AVCodecContext* decoder, AVPacket* pkt, bool isVideo) {
        if (!decoder) {
            return;
        }
        if (avcodec_send_packet(decoder, pkt) < 0) {
            ++info.DecodeErrors;
        }
        drain(decoder, isVideo);
    };
    while (true) {
        int ret = av_read_frame(input.Context, packet.Packet);
        if (ret == AVERROR_EOF) {
            break;
        }
        if (ret < 0) {
            ++info.DecodeErrors;
            break;
        }
        if (packet.Packet->stream_index == videoIndex) {
            feed(video.Context, packet.Packet, true);
        } else if (packet.Packet->stream_index == audioIndex) {
            feed(audio.Context, packet.Packet, false);
        }
        av_packet_unref(packet.Packet);
    }
    feed(video.Context, nullptr, true);
    feed(audio.Context, nullptr, false);
    return info;
}

std::vector<std::vector<uint8_t>> GreyFrames(const std::string& path, int width, int height, int count)
{
    std::vector<std::vector<uint8_t>> frames;
    TInput input;
    if (avformat_open_input(&input.Context, path.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(input.Context, nullptr) < 0) {
        return frames;
    }
    int index = av_find_best_stream(input.Context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    TDecoder decoder;
    if (!OpenDecoder(input.Context, index, decoder)) {
        return frames;
    }
    TPacket packet;
    TFrame frame;
    SwsContext* scaler = nullptr;
    auto take = [&]() {
        while (static_cast<int>(frames.size()) < count && avcodec_receive_frame(decoder.Context, frame.Frame) == 0) {
            scaler = sws_getCachedContext(scaler, frame.Frame->width, frame.Frame->height,
                                          static_cast<AVPixelFormat>(frame.Frame->format), width, height,
                                          AV_PIX_FMT_GRAY8, SWS_BILINEAR, nullptr, nullptr, nullptr);
            std::vector<uint8_t> grey(static_cast<size_t>(width) * static_cast<size_t>(height));
            uint8_t* planes[4] = {grey.data(), nullptr, nullptr, nullptr};
            int strides[4] = {width, 0, 0, 0};
            sws_scale(scaler, frame.Frame->data, frame.Frame->linesize, 0, frame.Frame->height, planes, strides);
            frames.push_back(std::move(grey));
            av_frame_unref(frame.Frame);
        }
    };
    while (static_cast<int>(frames.size()) < count && av_read_frame(input.Context, packet.Packet) >= 0) {
        if (packet.Packet->stream_index == index) {
            avcodec_send_packet(decoder.Context, packet.Packet);
            take();
        }
        av_packet_unref(packet.Packet);
    }
    avcodec_send_packet(decoder.Context, nullptr);
    take();
    sws_freeContext(scaler);
    return frames;
}

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size() || a.empty()) {
        return 1e9;
    }
    double sum = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        sum += std::abs(static_cast<int>(a[k]) - static_cast<int>(b[k]));
    }
    return sum / static_cast<double>(a.size());
}
