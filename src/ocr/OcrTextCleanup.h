// Mends what Tesseract leaves behind in Devanagari text read from a picture. No Qt here.
#pragma once

#include <string>
#include <string_view>

// UTF-8 in and out; lines stay where they were.
std::string cleanRecognisedText(std::string_view text);
