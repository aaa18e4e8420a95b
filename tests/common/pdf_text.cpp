#include "common/pdf_text.h"

#include <cstdio>

std::string PdfText(const std::string& pdf) {
    std::string text;
    if (FILE* pipe = ::popen(("pdftotext -layout '" + pdf + "' -").c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}
