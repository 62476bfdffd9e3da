// Tesseract's C API, bound by name at the first recognition. Tesseract is told the resolution
// and the page layout, so it neither guesses them nor complains about them on stderr.
#include "TextRecogniser.h"

#include "OcrTextCleanup.h"
#include "RuntimeLibrary.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <tesseract/capi.h>

namespace {

// A recognition that runs longer than this is ended rather than left to hang the caller.
constexpr int DeadlineMilliseconds = 60'000;

struct TesseractCalls
{
    decltype(&::TessBaseAPICreate) create;
    decltype(&::TessBaseAPIDelete) destroy;
    decltype(&::TessBaseAPISetVariable) setVariable;
    decltype(&::TessBaseAPIInit3) init;
    decltype(&::TessBaseAPIGetLoadedLanguagesAsVector) loadedLanguages;
    decltype(&::TessDeleteTextArray) deleteTextArray;
    decltype(&::TessBaseAPISetPageSegMode) setPageSegMode;
    decltype(&::TessBaseAPISetImage) setImage;
    decltype(&::TessBaseAPISetSourceResolution) setSourceResolution;
    decltype(&::TessBaseAPIRecognize) recognize;
    decltype(&::TessBaseAPIGetUTF8Text) getUtf8Text;
    decltype(&::TessBaseAPIClear) clear;
    decltype(&::TessDeleteText) deleteText;
    decltype(&::TessBaseAPIGetIterator) getIterator;
    decltype(&::TessResultIteratorNext) iteratorNext;
    decltype(&::TessResultIteratorGetUTF8Text) iteratorText;
    decltype(&::TessResultIteratorConfidence) iteratorConfidence;
    decltype(&::TessResultIteratorDelete) iteratorDelete;
    decltype(&::TessMonitorCreate) monitorCreate;
    decltype(&::TessMonitorDelete) monitorDelete;
    decltype(&::TessMonitorSetCancelFunc) monitorSetCancelFunc;
    decltype(&::TessMonitorSetCancelThis) monitorSetCancelThis;
    decltype(&::TessMonitorGetCancelThis) monitorGetCancelThis;
    decltype(&::TessMonitorSetProgressFunc) monitorSetProgressFunc;
    decltype(&::TessMonitorGetProgress) monitorGetProgress;
    decltype(&::TessMonitorSetDeadlineMSecs) monitorSetDeadline;
};

TesseractCalls loadCalls()
{
    RuntimeLibrary library("libtesseract.so.5");
    TesseractCalls calls {};
    library.bind("TessBaseAPICreate", calls.create);
    library.bind("TessBaseAPIDelete", calls.destroy);
    library.bind("TessBaseAPISetVariable", calls.setVariable);
    library.bind("TessBaseAPIInit3", calls.init);
    library.bind("TessBaseAPIGetLoadedLanguagesAsVector", calls.loadedLanguages);
    library.bind("TessDeleteTextArray", calls.deleteTextArray);
    library.bind("TessBaseAPISetPageSegMode", calls.setPageSegMode);
    library.bind("TessBaseAPISetImage", calls.setImage);
    library.bind("TessBaseAPISetSourceResolution", calls.setSourceResolution);
    library.bind("TessBaseAPIRecognize", calls.recognize);
    library.bind("TessBaseAPIGetUTF8Text", calls.getUtf8Text);
    library.bind("TessBaseAPIClear", calls.clear);
    library.bind("TessDeleteText", calls.deleteText);
    library.bind("TessBaseAPIGetIterator", calls.getIterator);
    library.bind("TessResultIteratorNext", calls.iteratorNext);
    library.bind("TessResultIteratorGetUTF8Text", calls.iteratorText);
    library.bind("TessResultIteratorConfidence", calls.iteratorConfidence);
    library.bind("TessResultIteratorDelete", calls.iteratorDelete);
    library.bind("TessMonitorCreate", calls.monitorCreate);
    library.bind("TessMonitorDelete", calls.monitorDelete);
    library.bind("TessMonitorSetCancelFunc", calls.monitorSetCancelFunc);
    library.bind("TessMonitorSetCancelThis", calls.monitorSetCancelThis);
    library.bind("TessMonitorGetCancelThis", calls.monitorGetCancelThis);
    library.bind("TessMonitorSetProgressFunc", calls.monitorSetProgressFunc);
    library.bind("TessMonitorGetProgress", calls.monitorGetProgress);
    library.bind("TessMonitorSetDeadlineMSecs", calls.monitorSetDeadline);
    if (!library.complete()) {
        throw OcrError("Text from images needs the Tesseract library: install the Debian "
                       "package libtesseract5.");
    }
    return calls;
}

// A failed load leaves the static unset, so the next use tries again.
const TesseractCalls& library()
{
    static const TesseractCalls calls = loadCalls();
    return calls;
}

std::vector<std::string> splitLanguages(const std::string& languages)
{
    std::vector<std::string> codes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(languages.find('+', start), languages.size());
        const std::string code = languages.substr(start, end - start);
        const bool valid = !code.empty()
            && std::all_of(code.begin(), code.end(),
                [](unsigned char c) { return std::isalnum(c) || c == '_'; });
        if (!valid) {
            throw OcrError(
                "\"" + languages + "\" is not a list of Tesseract languages such as mar+eng.");
        }
        codes.push_back(code);
        if (end == languages.size()) {
            return codes;
        }
        start = end + 1;
    }
}

std::string languageName(const std::string& code)
{
    if (code == "mar") {
        return "Marathi";
    }
    if (code == "eng") {
        return "English";
    }
    return "the language \"" + code + "\"";
}

std::string packageFor(std::string code)
{
    std::transform(code.begin(), code.end(), code.begin(),
        [](unsigned char c) { return c == '_' ? '-' : char(std::tolower(c)); });
    return "tesseract-ocr-" + code;
}

std::string dataFolder(const OcrOptions& options)
{
    return options.tessdataFolder.empty() ? TextRecogniser::defaultTessdataFolder()
                                          : options.tessdataFolder;
}

// Tesseract spreads its work over OpenMP threads, which wait on one another far longer than they
// save whenever the cores are busy: a paragraph took three times as long on two shared cores.
// With no level of parallel regions active, each runs on the thread that enters it. Nothing else
// in the program uses OpenMP.
void recogniseOnOneThread()
{
    static const bool once = [] {
        RuntimeLibrary openMp("libgomp.so.1");
        void (*setMaxActiveLevels)(int) = nullptr;
        openMp.bind("omp_set_max_active_levels", setMaxActiveLevels);
        if (setMaxActiveLevels) {
            setMaxActiveLevels(0);
        }
        return true;
    }();
    (void)once;
}

bool stopRequested(void* job, int)
{
    return static_cast<OcrJob*>(job)->stopRequested;
}

bool progressed(ETEXT_DESC* monitor, int, int, int, int)
{
    static_cast<OcrJob*>(library().monitorGetCancelThis(monitor))->percent
        = library().monitorGetProgress(monitor);
    return false;
}

std::vector<std::string> loadedLanguages(TessBaseAPI* api)
{
    std::vector<std::string> codes;
    char** loaded = library().loadedLanguages(api);
    for (char** code = loaded; code && *code; ++code) {
        codes.emplace_back(*code);
    }
    library().deleteTextArray(loaded);
    return codes;
}

int pageSegmentation(PageLayout layout, const TextLines& lines)
{
    const bool singleLine
        = layout == PageLayout::SingleLine || (layout == PageLayout::Automatic && lines.count == 1);
    return singleLine ? tesseract::PSM_SINGLE_LINE : tesseract::PSM_AUTO;
}

} // namespace

struct TextRecogniser::Handle
{
    TessBaseAPI* api = nullptr;

    ~Handle()
    {
        if (api) {
            library().destroy(api);
        }
    }
};

TextRecogniser::TextRecogniser(OcrOptions options)
    : m_options(std::move(options))
    , m_handle(std::make_unique<Handle>())
{ }

TextRecogniser::~TextRecogniser() = default;

std::string TextRecogniser::defaultTessdataFolder()
{
    const char* prefix = std::getenv("TESSDATA_PREFIX");
    if (prefix && *prefix) {
        return prefix;
    }
    const char* const folders[]
        = {"/usr/share/tesseract-ocr/5/tessdata", "/usr/share/tesseract-ocr/4.00/tessdata"};
    for (const char* folder : folders) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error)) {
            return folder;
        }
    }
    return folders[0];
}

std::vector<std::string> TextRecogniser::installedLanguages(const std::string& tessdataFolder)
{
    std::vector<std::string> codes;
    std::error_code error;
    const std::filesystem::path folder
        = tessdataFolder.empty() ? defaultTessdataFolder() : tessdataFolder;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".traineddata") {
            codes.push_back(entry.path().stem().string());
        }
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

void TextRecogniser::checkInstalled(const OcrOptions& options)
{
    library();
    const std::filesystem::path folder = dataFolder(options);
    for (const std::string& code : splitLanguages(options.languages)) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(folder / (code + ".traineddata"), error)) {
            throw OcrError("Tesseract's data for " + languageName(code)
                + " is not installed: install the Debian package " + packageFor(code) + ".");
        }
    }
}

void TextRecogniser::open()
{
    if (m_handle->api) {
        return;
    }
    checkInstalled(m_options);
    const auto& calls = library();
    TessBaseAPI* api = calls.create();
    // Tesseract's own notes on stderr say nothing a user of this program could act on.
    calls.setVariable(api, "debug_file", "/dev/null");
    const std::string folder = dataFolder(m_options);
    const bool failed = calls.init(api, folder.c_str(), m_options.languages.c_str()) != 0;
    // Tesseract goes on without a language whose data it cannot read, as long as the first one
    // loads; Marathi read with the English model alone would come out as nonsense.
    const std::vector<std::string> loaded = loadedLanguages(api);
    for (const std::string& code : splitLanguages(m_options.languages)) {
        if (failed || std::find(loaded.begin(), loaded.end(), code) == loaded.end()) {
            calls.destroy(api);
            throw OcrError("Tesseract could not read its data for " + languageName(code) + " in "
                + folder + ": install the Debian package " + packageFor(code) + " again.");
        }
    }
    m_handle->api = api;
}

OcrResult TextRecogniser::recognise(const ImageView& view, OcrJob* job)
{
    const auto start = std::chrono::steady_clock::now();
    OcrJob unwatched;
    const GreyImage grey = toGrey(view);
    open();
    const GreyImage image = m_options.prepare ? withDarkInk(croppedToText(grey)) : grey;
    const TextLines lines = findTextLines(image);
    OcrResult result = read(m_options.prepare ? scaledForRecognition(image, lines) : image,
        pageSegmentation(m_options.layout, lines), job ? *job : unwatched);
    if (m_options.prepare) {
        result.text = cleanRecognisedText(result.text);
    }
    if (result.text.find_first_not_of(" \n") == std::string::npos) {
        throw NoTextFound();
    }
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    return result;
}

OcrResult TextRecogniser::read(const GreyImage& image, int pageSegmentation, OcrJob& job)
{
    const auto& calls = library();
    TessBaseAPI* api = m_handle->api;
    recogniseOnOneThread();
    calls.setPageSegMode(api, TessPageSegMode(pageSegmentation));
    calls.setImage(api, image.pixels.data(), image.width, image.height, 1, image.width);
    calls.setSourceResolution(api, image.dpi);

    std::unique_ptr<ETEXT_DESC, decltype(calls.monitorDelete)> monitor(
        calls.monitorCreate(), calls.monitorDelete);
    calls.monitorSetCancelFunc(monitor.get(), &stopRequested);
    calls.monitorSetCancelThis(monitor.get(), &job);
    calls.monitorSetProgressFunc(monitor.get(), &progressed);
    calls.monitorSetDeadline(monitor.get(), DeadlineMilliseconds);
    const auto start = std::chrono::steady_clock::now();
    const int failed = calls.recognize(api, monitor.get());
    struct ClearResults
    {
        const TesseractCalls& calls;
        TessBaseAPI* api;
        ~ClearResults() { calls.clear(api); }
    } clearResults {calls, api};
    if (job.stopRequested) {
        throw AbortException();
    }
    if (failed) {
        const bool late = std::chrono::steady_clock::now() - start
            >= std::chrono::milliseconds(DeadlineMilliseconds);
        throw OcrError(late ? "Text recognition took longer than a minute and was stopped."
                            : "Tesseract could not read the image.");
    }

    OcrResult result;
    std::unique_ptr<char, decltype(calls.deleteText)> text(
        calls.getUtf8Text(api), calls.deleteText);
    result.text = text ? text.get() : "";
    std::unique_ptr<TessResultIterator, decltype(calls.iteratorDelete)> words(
        calls.getIterator(api), calls.iteratorDelete);
    for (bool more = bool(words); more;
         more = calls.iteratorNext(words.get(), tesseract::RIL_WORD)) {
        std::unique_ptr<char, decltype(calls.deleteText)> word(
            calls.iteratorText(words.get(), tesseract::RIL_WORD), calls.deleteText);
        if (word) {
            result.words.push_back(
                {word.get(), calls.iteratorConfidence(words.get(), tesseract::RIL_WORD)});
        }
    }
    double sum = 0;
    for (const RecognisedWord& word : result.words) {
        sum += word.confidence;
    }
    result.averageConfidence = result.words.empty() ? 0 : sum / result.words.size();
    return result;
}
