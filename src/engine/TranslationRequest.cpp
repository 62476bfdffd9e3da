// Composition of a translation request.
#include "TranslationRequest.h"

TranslationRequest TranslationRequest::compose(std::string_view serviceBaseAddress,
    std::string_view encodedText, std::string_view sourceCode, std::string_view targetCode)
{
    TranslationRequest request;
    request.url = std::string(serviceBaseAddress) + Path;
    // The text is already form-encoded; the client sends the fields as they are.
    if (encodedText.size() >= GetThreshold) {
        request.post = true;
        request.fields = {"client=gtx", "dt=t", "q=" + std::string(encodedText),
            "sl=" + std::string(sourceCode), "tl=" + std::string(targetCode)};
    } else {
        request.url += "?client=gtx&sl=" + std::string(sourceCode)
            + "&tl=" + std::string(targetCode) + "&dt=t&q=" + std::string(encodedText);
    }
    return request;
}
