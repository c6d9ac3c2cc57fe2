#pragma once

#include <QString>

// The diagnostic log.
class TAppFunc
{
public:
    // Appends "Brenwick <short date> <long time>|<message>" and CR LF to log.txt in the program
    // folder, opening and closing the file each time. Throws EFileError when it cannot.
    void WriteLog(const QString& message);
};
