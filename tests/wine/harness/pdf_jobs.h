#pragma once

// The PDF print queue of the tests (cups-pdf): whether Wine has a printer,
// and the files the queue writes for this user.

#include <string>
#include <vector>

namespace merva::test {

bool PrinterInstalled();
// The folder cups-pdf writes the jobs of this user to (Windows path).
std::string PdfFolder();
// The PDF files there as "path|write time" (cups-pdf names a file after
// the job and replaces an older one of the same name).
std::vector<std::string> PdfFiles();
// Pages of a PDF text: the page objects ("/Type /Page", not "/Pages").
int PdfPageCount(const std::string& pdf);

}  // namespace merva::test
