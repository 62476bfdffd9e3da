// The header fields requests and responses share, kept as typed values.
#pragma once

#include "HeaderList.h"
#include "HttpDate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class EntityHeaders
{
public:
    // The fold length of the message lists (requests switch folding off, see RequestHeaders).
    static constexpr int messageFoldLength = 1024;

    std::string connection;
    std::string contentVersion;
    std::string contentDisposition;
    std::string contentEncoding;
    std::string contentLanguage;
    std::int64_t contentLength = -1; // -1: none
    std::string contentRangeUnits; // "Content-Range", read only
    std::int64_t contentRangeStart = -1;
    std::int64_t contentRangeEnd = -1;
    std::int64_t contentRangeInstanceLength = -1;
    std::string cacheControl;
    std::optional<DateTime> date;
    std::string eTag;
    std::optional<DateTime> expires;
    std::optional<DateTime> lastModified;
    std::string pragma;
    std::string transferEncoding;
    HeaderList customHeaders {messageFoldLength};
    HeaderList headerLines {messageFoldLength}; // the lines actually sent or received

    const std::string& contentType() const { return m_contentType; }
    const std::string& charSet() const { return m_charSet; }
    // Takes a "charset" parameter out of the value into charSet(); a text media type without one
    // gets its default charset.
    void setContentType(std::string_view value);
    void setCharSet(std::string value) { m_charSet = std::move(value); }

protected:
    EntityHeaders() = default;
    ~EntityHeaders() = default;

    // Resets the entity fields and empties headerLines (customHeaders and pragma and
    // transferEncoding are left as they are).
    void clearEntity();
    // Adds the entity lines up to "Transfer-Encoding", then the custom lines.
    void buildEntityLines();
    // Sets the line of a field that has a value; an empty field leaves the lines alone, so a
    // custom line of the same name survives.
    void setFieldLine(std::string_view name, std::string_view value);
    // Fills the entity fields from headerLines.
    void parseEntityLines();

private:
    std::string m_contentType;
    std::string m_charSet;
};
