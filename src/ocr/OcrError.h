// Failures of text recognition, each carrying the sentence the user sees.
#pragma once

#include "Exception.h"

class OcrError : public Exception
{
public:
    using Exception::Exception;
};
