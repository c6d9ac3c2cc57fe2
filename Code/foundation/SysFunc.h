#pragma once

#include <QString>
#include <cstdint>

// Process lookup by executable name.
class TSysFunc
{
public:
    // The id of the last process whose executable name equals the wanted one without regard
    // to the case of a to z; 0 when none.
    std::int64_t IsProcessRunning(const QString& exeName) const;
};

// Upper-cases the letters a to z only, as process names are compared.
QString UpperAscii(const QString& text);
