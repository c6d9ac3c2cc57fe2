#include "Platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
TPlatform* GPlatform = nullptr;
}

TPlatform::~TPlatform() = default;

TPlatform& Platform()
{
    if (!GPlatform) {
        std::fputs("Quorvid: no platform installed\n", stderr);
        std::abort();
    }
    return *GPlatform;
}

TPlatform* SetPlatform(TPlatform* platform)
{
    TPlatform* previous = GPlatform;
    GPlatform = platform;
    return previous;
}
