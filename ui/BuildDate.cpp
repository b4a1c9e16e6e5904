#include "BuildDate.h"

#include "StringUtil.h"

#include <cstdio>
#include <cstring>

namespace {
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int MonthNumber(const char* word) {
    if (std::strlen(word) < 3) {
        return -1;
    }
    for (int i = 0; i < 12; ++i) {
        if (std::strncmp(word, kMonths[i], 3) == 0) {
            return i + 1;
        }
    }
    return -1;
}
} // namespace

std::string BuildDateTextFrom(const char* compilerDate) {
    char month[16] = {};
    int day = 0;
    int year = 0;
    // The word is bounded so that no text can overrun it.
    std::sscanf(compilerDate, "%15s %d %d", month, &day, &year);
    return Format("%04d/%02d/%02d", year, MonthNumber(month), day);
}

std::string GetBuildDateText() {
    return BuildDateTextFrom(__DATE__);
}
