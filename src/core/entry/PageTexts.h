#pragma once
// Fixed texts of the help pages (one per section of the FIB) and of the
// general information pages.

#include <string>
#include <vector>

namespace pelo::pages {

// The two lines that open every help page: the colours of the check bands.
inline constexpr const char* kLegendOrange = "Bandeau orange : zone incomplète";
inline constexpr const char* kLegendRed = "Bandeau rouge   : donnée essentielle manquante ou incohérence détectée";

// Help pages are numbered 1 to 8 (entry page 1) and 10 to 14 (entry page 2).
const std::vector<int>& helpPageNumbers();
// Window caption of a help page ("Données de base"); empty for an unknown number.
std::string helpCaption(int page);
// Whole text of a help page, the colour legend first; empty for an unknown number.
std::string helpText(int page);

// Text pages 3 to 7.
std::string textPageTitle(int page);
std::string textPageText(int page);

}  // namespace pelo::pages
