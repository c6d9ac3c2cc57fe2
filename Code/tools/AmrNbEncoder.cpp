#include "AmrNbEncoder.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

extern "C" {
#include <opencore-amrnb/interf_enc.h>
}

namespace {

// bits per second of the modes MR475 .. MR122, in the order of enum Mode
constexpr std::array<int, 8> cstModeRates = {4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200};

} // namespace

void TAmrNbEncoder::TStateDeleter::operator()(void* state) const
{
    Encoder_Interface_exit(state);
}

TAmrNbEncoder::TAmrNbEncoder(int requestedKbps) : FState(Encoder_Interface_init(0))
{
    if (!FState) {
        throw std::runtime_error("the AMR-NB encoder could not start");
    }
    const long long wanted = static_cast<long long>(requestedKbps) * 1000;
    for (size_t k = 1; k < cstModeRates.size(); ++k) {
        if (std::llabs(cstModeRates[k] - wanted) <= std::llabs(cstModeRates[FMode] - wanted)) {
            FMode = static_cast<int>(k);
        }
    }
}

int TAmrNbEncoder::BitsPerSecond() const
{
    return cstModeRates[static_cast<size_t>(FMode)];
}

std::vector<uint8_t> TAmrNbEncoder::Encode(std::span<const int16_t, cstFrameSamples> samples)
{
    // the largest storage frame (MR122) is 32 bytes with its header
    std::vector<uint8_t> frame(64);
    int bytes = Encoder_Interface_Encode(FState.get(), static_cast<Mode>(FMode), samples.data(), frame.data(), 0);
    if (bytes <= 0) {
        return {};
    }
    frame.resize(static_cast<size_t>(bytes));
    return frame;
}
