#pragma once
// Days left till the Russian DX Contest: the third Saturday of March, 12:00.

#include <string>

struct CivilDateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0, msec = 0;
};

// The contest date that lies ahead of (or at) now: this year's, or next
// year's once this year's has passed.
CivilDateTime contestDate(const CivilDateTime& now);
// Whole days between two moments, truncated (35 hours give 1).
int daysBetween(const CivilDateTime& a, const CivilDateTime& b);
std::string countdownText(int days);
