#pragma once
// What a test printed to a PDF file, as pdftotext reads it.
#include <string>

std::string PdfText(const std::string& pdf);
