// Base64 encoding (standard alphabet, "=" padding) for Basic credentials.
#pragma once

#include <string>
#include <string_view>

std::string base64Encode(std::string_view bytes);
