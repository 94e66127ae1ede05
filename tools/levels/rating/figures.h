#pragma once

#include <string>
#include <vector>

// Small helpers for the figures the rating tables and the set's rules print.

// `pattern` filled with one or two numbers, printf style ("%.0f boxes, the band wants %.0f").
std::string figureText(const char* pattern, double first, double second = 0.0);

// The middle value, or the mean of the two middle ones; 0 for no values.
double median(std::vector<double> values);
