#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// AMR-NB through opencore: 160 samples of 8000 Hz mono in, one storage-format frame out.
class TAmrNbEncoder
{
public:
    static constexpr int cstFrameSamples = 160;
    static constexpr int cstSampleRate = 8000;

    // The mode nearest to the asked bitrate; 12.2 kbit/s is the highest there is.
    explicit TAmrNbEncoder(int requestedKbps);
    int BitsPerSecond() const;
    // An empty result means the encoder failed.
    std::vector<uint8_t> Encode(std::span<const int16_t, cstFrameSamples> samples);

private:
    struct TStateDeleter
    {
        void operator()(void* state) const;
    };
    std::unique_ptr<void, TStateDeleter> FState;
    int FMode = 0;
};
