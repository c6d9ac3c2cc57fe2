#pragma once

// What the program and its two companion libraries exchange. Plain C types only, so the
// libraries can be rebuilt on their own.

#ifdef __cplusplus
extern "C" {
#endif

// The product information passed to the About window by value; every text is UTF-8.
struct TAboutInfo
{
    const char* Company;
    const char* ProductName;
    const char* AboutText1;
    const char* Version;
    const char* HomePage;
    const char* Email;
    const char* AboutText2;
    const char* AppPath;
};

// rec.so: copies numbered string `id` into the buffer (at most bufferSize - 1 bytes, always
// ended by a NUL) and returns the bytes copied; 0 when there is no such string.
typedef int (*TRecLoadString)(unsigned id, char* buffer, int bufferSize);
// rec.so: the bytes of a named, typed resource and their count; null when there is none.
typedef const unsigned char* (*TRecFindResource)(const char* name, const char* type, unsigned long* size);
// use.so: shows the About window and returns when it is closed.
typedef void (*TShowAboutForm)(void* application, struct TAboutInfo info);

#ifdef __cplusplus
}
#endif
