#pragma once

#include <array>

// The towns offered for the weather at first start: the chief town of each of the 107 Italian
// provinces, with the ISTAT code the weather service expects, province and region as ISTAT names them.
class ProvincialCapitals
{
public:
    struct Town {
        const char* comune; // UTF-8
        const char* codice; // six digits, leading zeros kept
        const char* provincia;
        const char* regione;
    };

    static constexpr int Count = 107;

    // Ordered by name, as the weather window lists them.
    static const std::array<Town, Count>& towns();
};
