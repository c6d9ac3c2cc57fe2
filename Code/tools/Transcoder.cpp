#include "Transcoder.h"

#include "AmrNbEncoder.h"
#include "ProgressLine.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mathematics.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

struct TFailure
{
    std::string Reason;
};

[[noreturn]] void Fail(std::string reason)
{
    throw TFailure{std::move(reason)};
}

std::string ErrorText(int error)
{
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    av_strerror(error, text.data(), text.size());
    return text.data();
}

std::string SecondsText(double seconds)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.2f", seconds);
    return text.data();
}

struct TInputDeleter
{
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct TOutputDeleter
{
    void operator()(AVFormatContext* context) const
    {
        if (context->pb) {
            avio_closep(&context->pb);
        }
        avformat_free_context(context);
    }
};
struct TCodecDeleter
{
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct TFrameDeleter
{
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct TPacketDeleter
{
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct TSwsDeleter
{
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};
struct TSwrDeleter
{
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct TFifoDeleter
{
    void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};
struct TLayoutHolder
{
    AVChannelLayout Layout{};
    TLayoutHolder() = default;
    TLayoutHolder(const TLayoutHolder&) = delete;
    TLayoutHolder& operator=(const TLayoutHolder&) = delete;
    ~TLayoutHolder() { av_channel_layout_uninit(&Layout); }
};

using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;
using TCodecPtr = std::unique_ptr<AVCodecContext, TCodecDeleter>;
using TPacketPtr = std::unique_ptr<AVPacket, TPacketDeleter>;

TFramePtr NewFrame()
{
    TFramePtr frame(av_frame_alloc());
    if (!frame) {
        Fail("out of memory");
    }
    return frame;
}

// ravc's source is first made a constant 30000/1001 frames per second.
constexpr AVRational cstConstantRateTick = {1001, 30000};
// Without an index, MPEG program streams land late; a second before the target finds a key frame.
constexpr double cstProgramStreamLeadIn = 1.0;
// Garbage that never yields one frame is given up on instead of being read to its end.
constexpr int cstMaxErrorsBeforeFirstFrame = 200;

class TTranscoder
{
public:
    TTranscoder(const TToolOptions& options, const std::string& sourcePath, bool constantRateInput,
                const TProgressWriter& progress)
        : FOptions(options), FSource(sourcePath), FConstantRate(constantRateInput), FProgress(progress)
    {
    }

    void Run()
    {
        if (FOptions.LengthSeconds && *FOptions.LengthSeconds <= 0) {
            Fail("nothing to convert: the length is " + SecondsText(*FOptions.LengthSeconds) + " s");
        }
        OpenInput();
        OpenDecoders();
        CheckStart();
        SeekToStart();
        OpenOutput();
        ReportProgress(true);
        Pump();
        Finish();
    }

    // After a failure: an output this run created is incomplete, so it goes.
    void DiscardOutput()
    {
        FOut.reset();
        // only a plain file is ours to remove: never a device or a link someone named as output
        struct stat written
        {
        };
        if (FOutputCreated && ::lstat(FOptions.OutputPath.c_str(), &written) == 0 && S_ISREG(written.st_mode)) {
            ::unlink(FOptions.OutputPath.c_str());
        }
    }

private:
    void OpenInput()
    {
        AVDictionary* inputOptions = nullptr;
        // a source is a local file; nothing inside it may reach for other protocols
        av_dict_set(&inputOptions, "protocol_whitelist", "file", 0);
        AVFormatContext* input = nullptr;
        const std::string url = "file:" + FSource;
        int ret = avformat_open_input(&input, url.c_str(), nullptr, &inputOptions);
        av_dict_free(&inputOptions);
        if (ret < 0) {
            Fail("cannot open the input " + FSource + ": " + ErrorText(ret));
        }
        FIn.reset(input);
        ret = avformat_find_stream_info(input, nullptr);
        if (ret < 0) {
            Fail("cannot read the streams of " + FSource + ": " + ErrorText(ret));
        }
    }

    TCodecPtr OpenDecoder(int index)
    {
        AVStream* stream = FIn->streams[index];
        const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
        if (!codec) {
            return nullptr;
        }
        TCodecPtr decoder(avcodec_alloc_context3(codec));
        if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0) {
            return nullptr;
        }
        decoder->pkt_timebase = stream->time_base;
        decoder->thread_count = 0;
        if (avcodec_open2(decoder.get(), codec, nullptr) < 0) {
            return nullptr;
        }
        return decoder;
    }

    void OpenDecoders()
    {
        if (FOptions.VideoWanted) {
            for (unsigned k = 0; k < FIn->nb_streams; ++k) {
                AVStream* stream = FIn->streams[k];
                if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
                    !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
                    FVideoIndex = av_find_best_stream(FIn.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
                    break;
                }
            }
            if (FVideoIndex < 0 || (FIn->streams[FVideoIndex]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
                Fail(FSource + " has no video stream to convert");
            }
            FVideoDec = OpenDecoder(FVideoIndex);
            if (!FVideoDec) {
                Fail("cannot decode the video of " + FSource + " (" +
                     avcodec_get_name(FIn->streams[FVideoIndex]->codecpar->codec_id) + ")");
            }
        }
        FAudioIndex = av_find_best_stream(FIn.get(), AVMEDIA_TYPE_AUDIO, -1, FVideoIndex, nullptr, 0);
        if (FAudioIndex >= 0) {
            FAudioDec = OpenDecoder(FAudioIndex);
            if (!FAudioDec) {
                if (FOptions.AudioAmrNb && !FOptions.VideoWanted) {
                    Fail("cannot decode the audio of " + FSource + " (" +
                         avcodec_get_name(FIn->streams[FAudioIndex]->codecpar->codec_id) + ")");
                }
                FAudioIndex = -1; // the video still converts, without sound
            }
        }
        if (!FOptions.VideoWanted && FAudioIndex < 0) {
            Fail(FSource + " has no audio stream to convert to " + (FOptions.AudioAmrNb ? "AMR-NB" : "AAC"));
        }
    }

    void CheckStart()
    {
        const int64_t origin = FIn->start_time != AV_NOPTS_VALUE ? FIn->start_time : 0;
        FStartUs = origin + static_cast<int64_t>(std::llround(FOptions.StartSeconds * AV_TIME_BASE));
        if (FIn->duration != AV_NOPTS_VALUE && FIn->duration > 0 &&
            FOptions.StartSeconds * AV_TIME_BASE >= static_cast<double>(FIn->duration)) {
            Fail("nothing to convert: the start " + SecondsText(FOptions.StartSeconds) +
                 " s is at or past the end of the source (" +
                 SecondsText(static_cast<double>(FIn->duration) / AV_TIME_BASE) + " s)");
        }
    }

    void SeekToStart()
    {
        if (FOptions.StartSeconds <= 0) {
            return;
        }
        // A container that keeps no duration (SWF) has nothing to seek by: a generic seek there
        // scans to the end and leaves nothing to decode, so read from the start instead.
        if (FIn->duration == AV_NOPTS_VALUE) {
            return;
        }
        const int index = FVideoIndex >= 0 ? FVideoIndex : FAudioIndex;
        const char* formatName = FIn->iformat->name;
        const bool programStream = std::strstr(formatName, "mpeg") != nullptr || std::strcmp(formatName, "vob") == 0;
        const int64_t target =
            FStartUs - (programStream ? static_cast<int64_t>(cstProgramStreamLeadIn * AV_TIME_BASE) : 0);
        // seeking on one stream rounds down; stream -1 would round to the nearest tick
        const int64_t ts = av_rescale_q_rnd(target, AV_TIME_BASE_Q, FIn->streams[index]->time_base, AV_ROUND_DOWN);
        if (av_seek_frame(FIn.get(), index, ts, AVSEEK_FLAG_BACKWARD) < 0) {
            // no index to seek with: read from the beginning and drop what comes before the start
            avformat_seek_file(FIn.get(), -1, INT64_MIN, FIn->start_time != AV_NOPTS_VALUE ? FIn->start_time : 0,
                               INT64_MAX, 0);
        }
    }

    void OpenOutput()
    {
        struct stat existing
        {
        };
        if (!FOptions.Overwrite && ::stat(FOptions.OutputPath.c_str(), &existing) == 0) {
            Fail("the output " + FOptions.OutputPath + " exists already (-y replaces it)");
        }
        AVFormatContext* output = nullptr;
        int ret = avformat_alloc_output_context2(&output, nullptr, FOptions.Container.c_str(), nullptr);
        if (ret < 0 || !output) {
            Fail("cannot make a " + FOptions.Container + " file: " + ErrorText(ret));
        }
        FOut.reset(output);
        if (FVideoIndex >= 0) {
            AddVideoStream();
        }
        if (FAudioIndex >= 0) {
            AddAudioStream();
        }
        ret = avio_open(&output->pb, ("file:" + FOptions.OutputPath).c_str(), AVIO_FLAG_WRITE);
        if (ret < 0) {
            Fail("cannot write the output " + FOptions.OutputPath + ": " + ErrorText(ret));
        }
        FOutputCreated = true;
        ret = avformat_write_header(output, nullptr);
        if (ret < 0) {
            Fail("cannot write the output " + FOptions.OutputPath + ": " + ErrorText(ret));
        }
    }

    void AddVideoStream()
    {
        FWidth = std::max(2, FOptions.Width & ~1);
        FHeight = std::max(2, FOptions.Height & ~1);
        FRate = {FOptions.FrameRateNum, FOptions.FrameRateDen};
        // MPEG-4 Part 2 keeps the time base denominator in 16 bits
        av_reduce(&FTick.num, &FTick.den, FRate.den, FRate.num, 65535);
        FRate = {FTick.den, FTick.num};
        if (FOptions.LengthSeconds) {
            FTotalTicks = static_cast<int64_t>(std::ceil(*FOptions.LengthSeconds * FRate.num / FRate.den - 1e-9));
        }
        AVRational sampleAspect{};
        av_reduce(&sampleAspect.num, &sampleAspect.den, static_cast<int64_t>(FOptions.AspectNum) * FHeight,
                  static_cast<int64_t>(FOptions.AspectDen) * FWidth, 255);

        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
        if (!codec) {
            Fail("no MPEG-4 video encoder in this FFmpeg");
        }
        FVideoEnc.reset(avcodec_alloc_context3(codec));
        AVCodecContext* encoder = FVideoEnc.get();
        encoder->width = FWidth;
        encoder->height = FHeight;
        encoder->pix_fmt = AV_PIX_FMT_YUV420P;
        encoder->time_base = FTick;
        encoder->framerate = FRate;
        encoder->bit_rate = static_cast<int64_t>(FOptions.VideoKbps) * 1000;
        encoder->sample_aspect_ratio = sampleAspect;
        // at phone sizes the thread hand-over costs more than it brings
        encoder->thread_count = FWidth * FHeight <= 352 * 288 ? 1 : 0;
        if (FOut->oformat->flags & AVFMT_GLOBALHEADER) {
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
        int ret = avcodec_open2(encoder, codec, nullptr);
        if (ret < 0) {
            Fail("cannot start the MPEG-4 encoder: " + ErrorText(ret));
        }
        FVideoStream = avformat_new_stream(FOut.get(), nullptr);
        if (!FVideoStream) {
            Fail("out of memory");
        }
        avcodec_parameters_from_context(FVideoStream->codecpar, encoder);
        FVideoStream->time_base = FTick;
        FVideoStream->avg_frame_rate = FRate;
        FVideoStream->sample_aspect_ratio = sampleAspect;

        FHeld = NewFrame();
        FScaled = NewFrame();
        FScaled->format = AV_PIX_FMT_YUV420P;
        FScaled->width = FWidth;
        FScaled->height = FHeight;
        FScaled->sample_aspect_ratio = sampleAspect;
        if (av_frame_get_buffer(FScaled.get(), 0) < 0) {
            Fail("out of memory");
        }
        AVStream* source = FIn->streams[FVideoIndex];
        FVideoStartTs = av_rescale_q(FStartUs, AV_TIME_BASE_Q, source->time_base);
        AVRational sourceRate = source->avg_frame_rate.num > 0 ? source->avg_frame_rate : source->r_frame_rate;
        FSourceFrameDuration =
            sourceRate.num > 0 ? std::max<int64_t>(1, av_rescale_q(1, av_inv_q(sourceRate), source->time_base)) : 1;
    }

    void AddAudioStream()
    {
        FOutRate = FOptions.AudioAmrNb ? TAmrNbEncoder::cstSampleRate : FOptions.SampleRate;
        av_channel_layout_default(&FOutLayout.Layout, FOptions.AudioAmrNb ? 1 : FOptions.Channels);
        if (FOptions.LengthSeconds) {
            FSampleCap = static_cast<int64_t>(std::ceil(*FOptions.LengthSeconds * FOutRate - 1e-9));
        }
        FAudioStream = avformat_new_stream(FOut.get(), nullptr);
        if (!FAudioStream) {
            Fail("out of memory");
        }
        if (FOptions.AudioAmrNb) {
            FAmr = std::make_unique<TAmrNbEncoder>(FOptions.AudioKbps);
            AVCodecParameters* par = FAudioStream->codecpar;
            par->codec_type = AVMEDIA_TYPE_AUDIO;
            par->codec_id = AV_CODEC_ID_AMR_NB;
            par->sample_rate = FOutRate;
            av_channel_layout_copy(&par->ch_layout, &FOutLayout.Layout);
            par->frame_size = TAmrNbEncoder::cstFrameSamples;
            par->bit_rate = FAmr->BitsPerSecond();
            FAudioFrameSize = TAmrNbEncoder::cstFrameSamples;
        } else {
            const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
            if (!codec) {
                Fail("no AAC encoder in this FFmpeg");
            }
            FAudioEnc.reset(avcodec_alloc_context3(codec));
            AVCodecContext* encoder = FAudioEnc.get();
            encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
            encoder->sample_rate = FOutRate;
            av_channel_layout_copy(&encoder->ch_layout, &FOutLayout.Layout);
            encoder->bit_rate = static_cast<int64_t>(FOptions.AudioKbps) * 1000;
            encoder->time_base = {1, FOutRate};
            if (FOut->oformat->flags & AVFMT_GLOBALHEADER) {
                encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
            }
            int ret = avcodec_open2(encoder, codec, nullptr);
            if (ret < 0) {
                Fail("cannot start the AAC encoder at " + std::to_string(FOutRate) + " Hz: " + ErrorText(ret));
            }
            avcodec_parameters_from_context(FAudioStream->codecpar, encoder);
            FAudioFrameSize = encoder->frame_size > 0 ? encoder->frame_size : 1024;
        }
        FAudioStream->time_base = {1, FOutRate};
        FFifo.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, FOutLayout.Layout.nb_channels, FAudioFrameSize * 4));
        if (!FFifo) {
            Fail("out of memory");
        }
        FAudioStartTs = av_rescale_q(FStartUs, AV_TIME_BASE_Q, FIn->streams[FAudioIndex]->time_base);
        FConverted = NewFrame();
    }

    bool AllDone() const { return (FVideoIndex < 0 || FVideoDone) && (FAudioIndex < 0 || FAudioDone); }

    void Pump()
    {
        TPacketPtr packet(av_packet_alloc());
        FDecoded = NewFrame();
        if (!packet) {
            Fail("out of memory");
        }
        while (!AllDone()) {
            int ret = av_read_frame(FIn.get(), packet.get());
            if (ret == AVERROR_EOF) {
                break;
            }
            if (ret < 0) {
                Fail("cannot read " + FSource + ": " + ErrorText(ret));
            }
            if (packet->stream_index == FVideoIndex && !FVideoDone) {
                Decode(FVideoDec.get(), packet.get(), true);
            } else if (packet->stream_index == FAudioIndex && !FAudioDone) {
                Decode(FAudioDec.get(), packet.get(), false);
            }
            av_packet_unref(packet.get());
        }
        if (FVideoIndex >= 0 && !FVideoDone) {
            Decode(FVideoDec.get(), nullptr, true);
        }
        if (FAudioIndex >= 0 && !FAudioDone) {
            Decode(FAudioDec.get(), nullptr, false);
        }
    }

    void Decode(AVCodecContext* decoder, AVPacket* packet, bool video)
    {
        int ret = avcodec_send_packet(decoder, packet);
        if (ret < 0 && ret != AVERROR_EOF) {
            CountDecodeError(video);
            return;
        }
        while (true) {
            ret = avcodec_receive_frame(decoder, FDecoded.get());
            if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) {
                return;
            }
            if (ret < 0) {
                CountDecodeError(video);
                return;
            }
            if (video) {
                OnVideoFrame(FDecoded.get());
            } else {
                OnAudioFrame(FDecoded.get());
            }
            av_frame_unref(FDecoded.get());
        }
    }

    void CountDecodeError(bool video)
    {
        const bool nothingYet = video ? FVideoFramesDecoded == 0 : FAudioFramesDecoded == 0;
        if (nothingYet && ++FDecodeErrors > cstMaxErrorsBeforeFirstFrame) {
            Fail("cannot decode the " + std::string(video ? "video" : "audio") + " of " + FSource);
        }
    }

    // The first output tick at which a frame with this source timestamp is on screen.
    int64_t FrameTick(int64_t ts) const
    {
        const AVRational base = FIn->streams[FVideoIndex]->time_base;
        const int64_t relative = ts - FVideoStartTs;
        if (FConstantRate) {
            const int64_t grid = av_rescale_q_rnd(relative, base, cstConstantRateTick, AV_ROUND_UP);
            return av_rescale_q_rnd(grid, cstConstantRateTick, FTick, AV_ROUND_UP);
        }
        return av_rescale_q_rnd(relative, base, FTick, AV_ROUND_UP);
    }

    void OnVideoFrame(AVFrame* frame)
    {
        if (FVideoDone || frame->width <= 0 || frame->height <= 0) {
            return;
        }
        ++FVideoFramesDecoded;
        int64_t ts = frame->best_effort_timestamp;
        if (ts == AV_NOPTS_VALUE) {
            ts = FLastVideoTs == AV_NOPTS_VALUE ? FVideoStartTs : FLastVideoTs + FLastVideoDuration;
        }
        FLastVideoTs = ts;
        FLastVideoDuration = frame->pkt_duration > 0 ? frame->pkt_duration : FSourceFrameDuration;
        const int64_t tick = FrameTick(ts);
        if (FHasHeld) {
            EmitHeld(tick);
            if (FVideoDone) {
                return;
            }
        }
        av_frame_unref(FHeld.get());
        av_frame_move_ref(FHeld.get(), frame);
        FHasHeld = true;
        FScaledCurrent = false;
    }

    // The held frame fills every tick up to the one where its successor shows.
    void EmitHeld(int64_t untilTick)
    {
        const int64_t end = std::min(untilTick, FTotalTicks);
        for (; FNextTick < end; ++FNextTick) {
            if (!FScaledCurrent) {
                ScaleHeld();
            }
            FScaled->pts = FNextTick;
            EncodeVideo(FScaled.get());
            ++FVideoFramesOut;
            ReportProgress(false);
        }
        if (FNextTick >= FTotalTicks) {
            FVideoDone = true;
        }
    }

    void ScaleHeld()
    {
        AVFrame* source = FHeld.get();
        FSws.reset(sws_getCachedContext(FSws.release(), source->width, source->height,
                                        static_cast<AVPixelFormat>(source->format), FWidth, FHeight, AV_PIX_FMT_YUV420P,
                                        SWS_BICUBIC, nullptr, nullptr, nullptr));
        if (!FSws) {
            Fail("cannot scale the video of " + FSource);
        }
        if (av_frame_make_writable(FScaled.get()) < 0) {
            Fail("out of memory");
        }
        sws_scale(FSws.get(), source->data, source->linesize, 0, source->height, FScaled->data, FScaled->linesize);
        FScaledCurrent = true;
    }

    void EncodeVideo(AVFrame* frame)
    {
        int ret = avcodec_send_frame(FVideoEnc.get(), frame);
        if (ret < 0) {
            Fail("video encoding failed: " + ErrorText(ret));
        }
        DrainEncoder(FVideoEnc.get(), FVideoStream);
    }

    void DrainEncoder(AVCodecContext* encoder, AVStream* stream)
    {
        if (!FOutPacket) {
            FOutPacket.reset(av_packet_alloc());
        }
        while (true) {
            int ret = avcodec_receive_packet(encoder, FOutPacket.get());
            if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) {
                return;
            }
            if (ret < 0) {
                Fail("encoding failed: " + ErrorText(ret));
            }
            av_packet_rescale_ts(FOutPacket.get(), encoder->time_base, stream->time_base);
            FOutPacket->stream_index = stream->index;
            WritePacket(FOutPacket.get());
        }
    }

    void WritePacket(AVPacket* packet)
    {
        int ret = av_interleaved_write_frame(FOut.get(), packet);
        if (ret < 0) {
            Fail("cannot write the output " + FOptions.OutputPath + ": " + ErrorText(ret));
        }
    }

    void EnsureResampler(const AVFrame* frame)
    {
        TLayoutHolder input;
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&input.Layout, frame->ch_layout.nb_channels);
        } else {
            av_channel_layout_copy(&input.Layout, &frame->ch_layout);
        }
        if (FSwr && frame->format == FSwrFormat && frame->sample_rate == FSwrRate &&
            av_channel_layout_compare(&input.Layout, &FSwrLayout.Layout) == 0) {
            return;
        }
        // the decoded format can change mid-stream (an mp3 switching rate, a stray frame after a seek)
        SwrContext* resampler = nullptr;
        int ret = swr_alloc_set_opts2(&resampler, &FOutLayout.Layout, AV_SAMPLE_FMT_FLTP, FOutRate, &input.Layout,
                                      static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        if (ret < 0 || swr_init(resampler) < 0) {
            swr_free(&resampler);
            Fail("cannot convert the audio of " + FSource);
        }
        FSwr.reset(resampler);
        FSwrFormat = frame->format;
        FSwrRate = frame->sample_rate;
        av_channel_layout_uninit(&FSwrLayout.Layout);
        av_channel_layout_copy(&FSwrLayout.Layout, &input.Layout);
    }

    void OnAudioFrame(AVFrame* frame)
    {
        if (FAudioDone || frame->nb_samples <= 0 || frame->sample_rate <= 0 || frame->ch_layout.nb_channels <= 0) {
            return;
        }
        ++FAudioFramesDecoded;
        EnsureResampler(frame);
        if (!FAudioPositioned) {
            // later frames are taken as continuous: some sources stamp every audio frame 0
            const int64_t ts = frame->best_effort_timestamp;
            const int64_t relative = ts == AV_NOPTS_VALUE ? 0 : ts - FAudioStartTs;
            const int64_t offset = av_rescale_q(relative, FIn->streams[FAudioIndex]->time_base, {1, FOutRate});
            if (offset > 0) {
                QueueSilence(offset);
            } else {
                FDropSamples = -offset;
            }
            FAudioPositioned = true;
        }
        Resample(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    }

    void Resample(const uint8_t** input, int inputSamples)
    {
        const int capacity = swr_get_out_samples(FSwr.get(), inputSamples);
        if (capacity <= 0) {
            return;
        }
        if (FConverted->nb_samples < capacity) {
            av_frame_unref(FConverted.get());
            FConverted->format = AV_SAMPLE_FMT_FLTP;
            FConverted->nb_samples = capacity;
            av_channel_layout_copy(&FConverted->ch_layout, &FOutLayout.Layout);
            if (av_frame_get_buffer(FConverted.get(), 0) < 0) {
                Fail("out of memory");
            }
        }
        const int got = swr_convert(FSwr.get(), FConverted->extended_data, capacity, input, inputSamples);
        if (got < 0) {
            Fail("cannot convert the audio of " + FSource);
        }
        QueueSamples(FConverted->extended_data, got);
    }

    void QueueSilence(int64_t samples)
    {
        if (FSampleCap) {
            samples = std::min(samples, *FSampleCap - FSamplesQueued);
        }
        std::vector<float> zeros(static_cast<size_t>(std::min<int64_t>(samples, 8192)), 0.0f);
        std::vector<void*> planes(static_cast<size_t>(FOutLayout.Layout.nb_channels), zeros.data());
        while (samples > 0) {
            const int chunk = static_cast<int>(std::min<int64_t>(samples, static_cast<int64_t>(zeros.size())));
            av_audio_fifo_write(FFifo.get(), planes.data(), chunk);
            FSamplesQueued += chunk;
            samples -= chunk;
            DrainAudio(false);
        }
    }

    void QueueSamples(uint8_t** planes, int count)
    {
        int64_t from = std::min<int64_t>(FDropSamples, count);
        FDropSamples -= from;
        int64_t take = count - from;
        if (FSampleCap) {
            take = std::min(take, *FSampleCap - FSamplesQueued);
        }
        if (take > 0) {
            const float gain = static_cast<float>(FOptions.Volume) / 256.0f;
            std::vector<void*> start(static_cast<size_t>(FOutLayout.Layout.nb_channels));
            for (size_t c = 0; c < start.size(); ++c) {
                float* samples = reinterpret_cast<float*>(planes[c]) + from;
                if (FOptions.Volume != 256) {
                    for (int64_t k = 0; k < take; ++k) {
                        samples[k] = std::clamp(samples[k] * gain, -1.0f, 1.0f);
                    }
                }
                start[c] = samples;
            }
            av_audio_fifo_write(FFifo.get(), start.data(), static_cast<int>(take));
            FSamplesQueued += take;
            DrainAudio(false);
        }
        if (FSampleCap && FSamplesQueued >= *FSampleCap) {
            FAudioDone = true;
        }
    }

    void DrainAudio(bool final)
    {
        while (av_audio_fifo_size(FFifo.get()) >= FAudioFrameSize || (final && av_audio_fifo_size(FFifo.get()) > 0)) {
            const int count = std::min(av_audio_fifo_size(FFifo.get()), FAudioFrameSize);
            if (FAmr) {
                EncodeAmrFrame(count);
            } else {
                EncodeAacFrame(count);
            }
            ReportProgress(false);
        }
    }

    void EncodeAacFrame(int count)
    {
        TFramePtr frame = NewFrame();
        frame->format = AV_SAMPLE_FMT_FLTP;
        frame->sample_rate = FOutRate;
        frame->nb_samples = count;
        av_channel_layout_copy(&frame->ch_layout, &FOutLayout.Layout);
        if (av_frame_get_buffer(frame.get(), 0) < 0) {
            Fail("out of memory");
        }
        av_audio_fifo_read(FFifo.get(), reinterpret_cast<void**>(frame->extended_data), count);
        frame->pts = FAudioSamplesOut;
        FAudioSamplesOut += count;
        int ret = avcodec_send_frame(FAudioEnc.get(), frame.get());
        if (ret < 0) {
            Fail("audio encoding failed: " + ErrorText(ret));
        }
        DrainEncoder(FAudioEnc.get(), FAudioStream);
    }

    void EncodeAmrFrame(int count)
    {
        std::array<float, TAmrNbEncoder::cstFrameSamples> samples{};
        void* plane = samples.data();
        av_audio_fifo_read(FFifo.get(), &plane, count);
        // the last frame is padded with silence: AMR-NB frames are always 160 samples
        std::array<int16_t, TAmrNbEncoder::cstFrameSamples> pcm{};
        for (size_t k = 0; k < pcm.size(); ++k) {
            pcm[k] = static_cast<int16_t>(std::lrint(std::clamp(samples[k], -1.0f, 1.0f) * 32767.0f));
        }
        std::vector<uint8_t> bytes = FAmr->Encode(pcm);
        if (bytes.empty()) {
            Fail("AMR-NB encoding failed");
        }
        if (!FOutPacket) {
            FOutPacket.reset(av_packet_alloc());
        }
        AVPacket* packet = FOutPacket.get();
        if (av_new_packet(packet, static_cast<int>(bytes.size())) < 0) {
            Fail("out of memory");
        }
        std::memcpy(packet->data, bytes.data(), bytes.size());
        packet->pts = packet->dts = FAudioSamplesOut;
        packet->duration = TAmrNbEncoder::cstFrameSamples;
        packet->flags |= AV_PKT_FLAG_KEY;
        packet->stream_index = FAudioStream->index;
        FAudioSamplesOut += TAmrNbEncoder::cstFrameSamples;
        av_packet_rescale_ts(packet, {1, FOutRate}, FAudioStream->time_base);
        WritePacket(packet);
    }

    void Finish()
    {
        if (FVideoIndex >= 0) {
            if (FHasHeld && !FVideoDone) {
                // the last frame lasts to its own end, or one output frame when that is unknown
                int64_t endTick = FrameTick(FLastVideoTs + FLastVideoDuration);
                EmitHeld(std::max(endTick, FVideoFramesOut == 0 ? FNextTick + 1 : FNextTick));
            }
            if (FVideoFramesDecoded == 0) {
                Fail("cannot decode the video of " + FSource);
            }
            if (FVideoFramesOut == 0) {
                Fail("nothing to convert: no video frame at or after the start");
            }
            EncodeVideo(nullptr);
        }
        if (FAudioIndex >= 0) {
            if (FSwr && !FAudioDone) {
                Resample(nullptr, 0);
            }
            DrainAudio(true);
            if (FAudioEnc) {
                int ret = avcodec_send_frame(FAudioEnc.get(), nullptr);
                if (ret < 0) {
                    Fail("audio encoding failed: " + ErrorText(ret));
                }
                DrainEncoder(FAudioEnc.get(), FAudioStream);
            }
            if (FVideoIndex < 0 && FAudioSamplesOut == 0) {
                Fail(FAudioFramesDecoded == 0 ? "cannot decode the audio of " + FSource
                                              : "nothing to convert: no audio at or after the start");
            }
        }
        int ret = av_write_trailer(FOut.get());
        if (ret < 0) {
            Fail("cannot finish the output " + FOptions.OutputPath + ": " + ErrorText(ret));
        }
        ret = avio_closep(&FOut->pb);
        if (ret < 0) {
            Fail("cannot finish the output " + FOptions.OutputPath + ": " + ErrorText(ret));
        }
        ReportProgress(true);
    }

    std::optional<double> OutputSeconds() const
    {
        double seconds = -1;
        if (FVideoFramesOut > 0) {
            seconds = static_cast<double>(FVideoFramesOut) * FRate.den / FRate.num;
        }
        if (FAudioSamplesOut > 0) {
            seconds = std::max(seconds, static_cast<double>(FAudioSamplesOut) / FOutRate);
        }
        if (seconds < 0) {
            return std::nullopt;
        }
        return seconds;
    }

    void ReportProgress(bool force)
    {
        const auto now = std::chrono::steady_clock::now();
        if (!force && now - FLastReport < std::chrono::milliseconds(500)) {
            return;
        }
        FLastReport = now;
        int64_t bytes = 0;
        if (FOut && FOut->pb) {
            bytes = std::max<int64_t>(0, avio_tell(FOut->pb));
        } else if (struct stat written{}; ::stat(FOptions.OutputPath.c_str(), &written) == 0) {
            bytes = written.st_size;
        }
        FProgress(FormatProgressLine(FVideoFramesOut, OutputSeconds(), bytes));
    }

    const TToolOptions& FOptions;
    const std::string FSource;
    const bool FConstantRate;
    const TProgressWriter& FProgress;

    std::unique_ptr<AVFormatContext, TInputDeleter> FIn;
    int FVideoIndex = -1;
    int FAudioIndex = -1;
    TCodecPtr FVideoDec;
    TCodecPtr FAudioDec;
    TFramePtr FDecoded;
    int64_t FStartUs = 0;
    int FDecodeErrors = 0;

    std::unique_ptr<AVFormatContext, TOutputDeleter> FOut;
    bool FOutputCreated = false;
    TPacketPtr FOutPacket;

    // video
    TCodecPtr FVideoEnc;
    AVStream* FVideoStream = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    AVRational FRate{25, 1};
    AVRational FTick{1, 25};
    int64_t FTotalTicks = INT64_MAX;
    int64_t FVideoStartTs = 0;
    int64_t FSourceFrameDuration = 1;
    int64_t FLastVideoTs = AV_NOPTS_VALUE;
    int64_t FLastVideoDuration = 0;
    TFramePtr FHeld;
    bool FHasHeld = false;
    TFramePtr FScaled;
    bool FScaledCurrent = false;
    std::unique_ptr<SwsContext, TSwsDeleter> FSws;
    int64_t FNextTick = 0;
    int64_t FVideoFramesDecoded = 0;
    int64_t FVideoFramesOut = 0;
    bool FVideoDone = false;

    // audio
    TCodecPtr FAudioEnc;
    std::unique_ptr<TAmrNbEncoder> FAmr;
    AVStream* FAudioStream = nullptr;
    int FOutRate = 44100;
    TLayoutHolder FOutLayout;
    int FAudioFrameSize = 1024;
    std::unique_ptr<SwrContext, TSwrDeleter> FSwr;
    int FSwrFormat = -1;
    int FSwrRate = 0;
    TLayoutHolder FSwrLayout;
    TFramePtr FConverted;
    std::unique_ptr<AVAudioFifo, TFifoDeleter> FFifo;
    int64_t FAudioStartTs = 0;
    bool FAudioPositioned = false;
    int64_t FDropSamples = 0;
    std::optional<int64_t> FSampleCap;
    int64_t FSamplesQueued = 0;
    int64_t FAudioSamplesOut = 0;
    int64_t FAudioFramesDecoded = 0;
    bool FAudioDone = false;

    std::chrono::steady_clock::time_point FLastReport{};
};

} // namespace

TTranscodeResult Transcode(const TToolOptions& options, const std::string& sourcePath, bool constantRateInput,
                           const TProgressWriter& progress)
{
    TTranscoder transcoder(options, sourcePath, constantRateInput, progress);
    try {
        transcoder.Run();
        return {};
    } catch (const TFailure& failure) {
        transcoder.DiscardOutput();
        return {1, failure.Reason};
    } catch (const std::exception& error) {
        transcoder.DiscardOutput();
        return {1, error.what()};
    }
}
