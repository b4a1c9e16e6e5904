#include "DialogInteger.h"

#include <climits>
#include <string>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

bool ParseDialogInteger(const std::string& text, int& value) {
    std::string::size_type i = 0;
    const std::string::size_type n = text.size();
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= n || !IsDigit(text[i])) {
        return false;
    }
    // Accumulate as a negative number so that INT_MIN fits.
    long long accumulated = 0;
    bool clamped = false;
    for (; i < n && IsDigit(text[i]); ++i) {
        if (!clamped) {
            accumulated = accumulated * 10 - (text[i] - '0');
            if (accumulated < static_cast<long long>(INT_MIN)) {
                clamped = true;
            }
        }
    }
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    if (i != n) {
        return false;
    }
    if (negative) {
        value = clamped ? INT_MIN : static_cast<int>(accumulated);
    } else {
        value = (clamped || -accumulated > INT_MAX) ? INT_MAX : static_cast<int>(-accumulated);
    }
    return true;
}

std::string FormatDialogInteger(int value) { return std::to_string(value); }
