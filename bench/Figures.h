#pragma once
// Medians and ranges of repeated measurements, for the benchmark programs' lines.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

struct Figures {
    std::vector<double> values;

    void Add(double value) { values.push_back(value); }
    // The middle value; with an even count, the mean of the two middle ones.
    double Median() const {
        if (values.empty()) return 0;
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
    // "median (min-max)" with the given number of decimals.
    std::string Range(int decimals = 1) const {
        char text[96];
        std::snprintf(text, sizeof text, "%.*f (%.*f-%.*f)", decimals, Median(), decimals, Min(), decimals, Max());
        return text;
    }
};
