#pragma once
// The report of one centre written from « Comparaison des centres »: page 1
// the nine indicators, crude and adjusted for the patients, with their limits
// and the position in words; then the bands of the campaign's stored
// synthesis where the centre is outside its 95 % limits. Green means better
// and red worse, by the direction of each indicator or band, never by the
// direction of the deviation; a band that is neither better nor worse either
// way stays grey.

#include <cstdint>
#include <string>

#include "print/Surface.h"
#include "ref/Benchmark.h"
#include "ref/Comparison.h"

namespace pelo::ref {

// "Rapport-France-2026-centre12.pdf"
std::string comparisonReportName(const std::string& campaign, std::int32_t centre);

// `bands` may be null (no stored synthesis of the campaign): page 2 says so.
PrintDocument comparisonReport(const Comparison& c, const std::string& campaign, const Benchmark* bands,
                               std::uint16_t centre, const std::string& date);

}  // namespace pelo::ref
