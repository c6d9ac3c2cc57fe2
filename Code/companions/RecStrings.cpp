// rec.so: the product strings and the splash picture.
#include "CompanionAbi.h"

#include <cstddef>
#include <cstring>

extern "C" const unsigned char QuorvidSplashJpeg[];
extern "C" const unsigned long QuorvidSplashJpegSize;

namespace {

struct TEntry
{
    unsigned Id;
    const char* Text;
};

const TEntry cstStrings[] = {
    {0, "Brenwick"},
    {1, "Quorvid"},
    {2, "Quorvid converts your videos for mobile phones: MPEG-4 video with AAC sound in MP4, 3GP and 3G2 files, "
        "or AMR-NB sound alone in 3GP and 3G2 files."},
    {4, "https://quorvid.example/"},
    {5, "support@quorvid.example"},
    {7, "Quorvid is free software under the GNU General Public License, version 3 or later. Its encoder tools "
        "are built on the FFmpeg libraries and opencore-amrnb."},
};

// Cuts before a UTF-8 continuation byte so a shortened text never ends in half a character.
std::size_t CutAtCharacter(const char* text, std::size_t length)
{
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    return length;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int RecLoadString(unsigned id, char* buffer, int bufferSize)
{
    if (!buffer || bufferSize <= 0)
        return 0;
    buffer[0] = '\0';
    for (const TEntry& entry : cstStrings) {
        if (entry.Id != id)
            continue;
        std::size_t length = std::strlen(entry.Text);
        if (length > static_cast<std::size_t>(bufferSize - 1))
            length = CutAtCharacter(entry.Text, static_cast<std::size_t>(bufferSize - 1));
        std::memcpy(buffer, entry.Text, length);
        buffer[length] = '\0';
        return static_cast<int>(length);
    }
    return 0;
}

extern "C" __attribute__((visibility("default"))) const unsigned char*
RecFindResource(const char* name, const char* type, unsigned long* size)
{
    if (size)
        *size = 0;
    if (!name || !type || std::strcmp(name, "ImgFlash") != 0 || std::strcmp(type, "jpeg") != 0)
        return nullptr;
    if (size)
        *size = QuorvidSplashJpegSize;
    return QuorvidSplashJpeg;
}
