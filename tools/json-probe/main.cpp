// json-probe: parses a JSON file with the program's parser and prints what it made of it.
//
//   json-probe [--escape] FILE       the value's kind and its compact JSON text, or "nothing"
//   json-probe --interpret FILE      the translation and the message the answer gives
//
// FILE is UTF-8, or UTF-16 with a byte order mark; "-" reads standard input. Output is UTF-8.
#include "InterpretResult.h"
#include "ParseJson.h"
#include "Unicode.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

const char* kindName(ValueKind kind)
{
    static const char* const names[] = {
        "null", "boolean", "double", "currency", "integer", "object", "array", "string", "method"};
    return names[int(kind)];
}

std::u16string decodeFile(const std::string& bytes)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2
        && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
        const bool littleEndian = byte(0) == 0xFF;
        std::u16string text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += littleEndian ? char16_t(byte(i) | byte(i + 1) << 8)
                                 : char16_t(byte(i) << 8 | byte(i + 1));
        }
        return text;
    }
    const bool utf8Mark
        = bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF;
    return Unicode::fromUtf8(std::string_view(bytes).substr(utf8Mark ? 3 : 0));
}

int usage()
{
    std::cerr << "usage: json-probe [--escape | --interpret] FILE\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    bool escape = false;
    bool interpret = false;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--escape") {
            escape = true;
        } else if (argument == "--interpret") {
            interpret = true;
        } else if (path.empty()) {
            path = argument;
        } else {
            return usage();
        }
    }
    if (path.empty()) {
        return usage();
    }
    std::string bytes;
    if (path == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), {});
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::cerr << "json-probe: cannot read " << path << "\n";
            return 1;
        }
        bytes.assign(std::istreambuf_iterator<char>(file), {});
    }
    const std::u16string text = decodeFile(bytes);

    if (interpret) {
        std::u16string translation;
        std::string message;
        interpretResult(text, false, translation, message);
        std::cout << "translation: " << Unicode::toUtf8(translation) << "\n";
        std::cout << "message: " << message << "\n";
        return 0;
    }
    const JsonValue value = parseJson(text);
    if (!value) {
        std::cout << "nothing\n";
        return 0;
    }
    std::cout << kindName(value.kindOf()) << "\n"
              << Unicode::toUtf8(value.toJsonText(false, escape)) << "\n";
    return 0;
}
