// Base64 encoding for Basic credentials.
#include "Base64.h"

std::string base64Encode(std::string_view bytes)
{
    static constexpr char alphabet[]
        = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string result;
    result.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
        unsigned group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group <<= 8;
            if (k < n) {
                group |= static_cast<unsigned char>(bytes[i + k]);
            }
        }
        for (std::size_t k = 0; k < 4; ++k) {
            result += k <= n ? alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
        }
    }
    return result;
}
