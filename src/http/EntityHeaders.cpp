// Shared header fields: the content-type setter, and the entity lines written and read.
#include "EntityHeaders.h"

#include "AsciiText.h"

#include <charconv>
#include <vector>

namespace {

std::vector<std::string_view> splitParameters(std::string_view value)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t semicolon = value.find(';'); semicolon != std::string_view::npos;
         semicolon = value.find(';', start)) {
        parts.push_back(value.substr(start, semicolon - start));
        start = semicolon + 1;
    }
    parts.push_back(value.substr(start));
    return parts;
}

std::string_view unquoted(std::string_view text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

bool isXmlSubtype(std::string_view subtype)
{
    return equalsIgnoreCase(subtype, "xml")
        || equalsIgnoreCase(subtype, "xml-external-parsed-entity")
        || endsWithIgnoreCase(subtype, "+xml");
}

// A decimal number of the whole text, or -1.
std::int64_t readLength(std::string_view text)
{
    text = trimmed(text);
    std::int64_t number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 0) {
        return -1;
    }
    return number;
}

} // namespace

void EntityHeaders::setContentType(std::string_view value)
{
    if (value.empty()) {
        m_contentType.clear();
        m_charSet.clear();
        return;
    }
    const std::vector<std::string_view> parts = splitParameters(value);
    std::string rest(trimmed(parts.front()));
    bool charsetGiven = false;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view parameter = trimmed(parts[i]);
        const std::size_t equals = parameter.find('=');
        if (equals != std::string_view::npos
            && equalsIgnoreCase(trimmed(parameter.substr(0, equals)), "charset")) {
            m_charSet = unquoted(trimmed(parameter.substr(equals + 1)));
            charsetGiven = true;
        } else if (!parameter.empty()) {
            rest += "; ";
            rest += parameter;
        }
    }
    m_contentType = rest;
    if (charsetGiven) {
        return;
    }
    const std::string_view mediaType = trimmed(parts.front());
    const std::size_t slash = mediaType.find('/');
    if (equalsIgnoreCase(trimmed(mediaType.substr(0, slash)), "text")) {
        const std::string_view subtype = slash == std::string_view::npos
            ? std::string_view()
            : trimmed(mediaType.substr(slash + 1));
        m_charSet = isXmlSubtype(subtype) ? "us-ascii" : "ISO-8859-1";
    }
}

void EntityHeaders::clearEntity()
{
    connection.clear();
    contentVersion.clear();
    contentDisposition.clear();
    contentEncoding.clear();
    contentLanguage.clear();
    m_contentType.clear();
    m_charSet.clear();
    contentLength = -1;
    contentRangeUnits.clear();
    contentRangeStart = -1;
    contentRangeEnd = -1;
    contentRangeInstanceLength = -1;
    cacheControl.clear();
    date.reset();
    eTag.clear();
    expires.reset();
    lastModified.reset();
    headerLines.clear();
}

void EntityHeaders::setFieldLine(std::string_view name, std::string_view value)
{
    if (!value.empty()) {
        headerLines.setValue(name, value);
    }
}

void EntityHeaders::buildEntityLines()
{
    headerLines.clear();
    setFieldLine("Connection", connection);
    setFieldLine("Content-Version", contentVersion);
    setFieldLine("Content-Disposition", contentDisposition);
    setFieldLine("Content-Encoding", contentEncoding);
    setFieldLine("Content-Language", contentLanguage);
    if (!m_contentType.empty()) {
        headerLines.setValue("Content-Type",
            m_charSet.empty() ? m_contentType : m_contentType + "; charset=" + m_charSet);
    }
    if (contentLength >= 0) {
        headerLines.setValue("Content-Length", std::to_string(contentLength));
    }
    setFieldLine("Cache-control", cacheControl);
    if (date) {
        headerLines.setValue("Date", formatHttpDate(*date));
    }
    setFieldLine("ETag", eTag);
    if (expires) {
        headerLines.setValue("Expires", formatHttpDate(*expires));
    }
    setFieldLine("Pragma", pragma);
    setFieldLine("Transfer-Encoding", transferEncoding);
    headerLines.addLines(customHeaders);
}

void EntityHeaders::parseEntityLines()
{
    cacheControl = headerLines.value("Cache-control");
    connection = headerLines.value("Connection");
    contentVersion = headerLines.value("Content-Version");
    contentDisposition = headerLines.value("Content-Disposition");
    contentEncoding = headerLines.value("Content-Encoding");
    contentLanguage = headerLines.value("Content-Language");
    setContentType(headerLines.value("Content-Type"));
    contentLength = readLength(headerLines.value("Content-Length"));

    // "bytes 0-499/1234"
    const std::string range = headerLines.value("Content-Range");
    const std::string_view rangeView = range;
    const std::size_t space = rangeView.find(' ');
    contentRangeUnits = rangeView.substr(0, space);
    const std::string_view positions
        = space == std::string_view::npos ? std::string_view() : rangeView.substr(space + 1);
    const std::size_t dash = positions.find('-');
    const std::size_t slash = positions.find('/', dash == std::string_view::npos ? 0 : dash);
    contentRangeStart = readLength(positions.substr(0, std::min(dash, slash)));
    contentRangeEnd = dash == std::string_view::npos
        ? -1
        : readLength(
            positions.substr(dash + 1, slash == std::string_view::npos ? slash : slash - dash - 1));
    contentRangeInstanceLength
        = slash == std::string_view::npos ? -1 : readLength(positions.substr(slash + 1));

    date = parseHttpDate(headerLines.value("Date"));
    lastModified = parseHttpDate(headerLines.value("Last-Modified"));
    expires = parseHttpDate(headerLines.value("Expires"));
    eTag = headerLines.value("ETag");
    pragma = headerLines.value("Pragma");
    transferEncoding = headerLines.value("Transfer-Encoding");
}
