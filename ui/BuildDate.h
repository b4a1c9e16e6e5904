#pragma once
#include <string>

// The day this program was built, as "%04d/%02d/%02d".
std::string GetBuildDateText();

// The same from a compiler build-date text such as "Jun  7 2010" (English
// month abbreviation, day, year). An unknown month prints as -1.
std::string BuildDateTextFrom(const char* compilerDate);
