// What one translation request looks like: a GET with the text in the query for short texts, a
// form POST from GetThreshold encoded characters on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TranslationRequest
{
    // Encoded text length (bytes; "%XX" counts three) from which a POST is sent.
    static constexpr std::size_t GetThreshold = 1960;
    static constexpr const char* Path = "/translate_a/single";

    bool post = false;
    std::string url;
    std::vector<std::string> fields; // POST form fields, in order

    static TranslationRequest compose(std::string_view serviceBaseAddress,
        std::string_view encodedText, std::string_view sourceCode, std::string_view targetCode);
};
