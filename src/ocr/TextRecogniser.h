// Text from a picture through Tesseract, loaded at the first recognition so that starting the
// program never pays for it. No Qt here.
//
// One recogniser belongs to one thread: Tesseract's handle is not shared. Keep it for the next
// picture, since loading the languages takes a few hundred milliseconds.
#pragma once

#include "GreyImage.h"
#include "OcrError.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

enum class PageLayout
{
    Automatic, // one band of ink reads as a single line, anything else as a page
    Page, // blocks, columns and paragraphs found by the recogniser
    SingleLine,
};

struct OcrOptions
{
    std::string languages = "mar+eng"; // Tesseract's codes joined by "+"
    std::string tessdataFolder; // empty: $TESSDATA_PREFIX, else the system's folder
    PageLayout layout = PageLayout::Automatic;
    // Cropped to its text, turned dark on light, small text scaled up, the reading cleaned.
    bool prepare = true;
};

struct RecognisedWord
{
    std::string text; // as the recogniser read it, before cleaning
    float confidence = 0; // 0 to 100
};

struct OcrResult
{
    std::string text; // UTF-8, lines ended by LF, paragraphs by an empty line
    std::vector<RecognisedWord> words;
    double averageConfidence = 0; // mean over the words, 0 to 100
    std::chrono::milliseconds elapsed {};
};

// What one recognition shares with the thread that waits for it: that thread may stop it and
// watch it move on. A job of its own, so a Stop that comes late never ends the next recognition.
struct OcrJob
{
    std::atomic<bool> stopRequested {false}; // ends the recognition at its next word
    std::atomic<int> percent {0}; // Tesseract's own count, 0 to 100; it may end short of 100
};

class TextRecogniser
{
public:
    explicit TextRecogniser(OcrOptions options = {});
    ~TextRecogniser();
    TextRecogniser(const TextRecogniser&) = delete;
    TextRecogniser& operator=(const TextRecogniser&) = delete;

    // Raises OcrError when Tesseract or a language's data is missing, NoTextFound when nothing
    // was read, and AbortException when the job was stopped, also before it began.
    OcrResult recognise(const ImageView& image, OcrJob* job = nullptr);

    // Raises the OcrError recognise() would for a missing library or language, without
    // recognising anything: a window can say so before the user picks a picture.
    static void checkInstalled(const OcrOptions& options = {});

    // The folder Tesseract's data is read from when the options name none.
    static std::string defaultTessdataFolder();
    // Codes of the languages whose data is installed there ("eng", "mar"), sorted.
    static std::vector<std::string> installedLanguages(const std::string& tessdataFolder = {});

private:
    struct Handle;

    void open();
    OcrResult read(const GreyImage& image, int pageSegmentation, OcrJob& job);

    OcrOptions m_options;
    std::unique_ptr<Handle> m_handle;
};

// The recognition finished but found nothing to read.
class NoTextFound : public OcrError
{
public:
    NoTextFound()
        : OcrError("No text found in the image.")
    { }
};
