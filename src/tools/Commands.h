#pragma once
// The fibtool commands; each takes the words after its name.

#include <string>
#include <vector>

namespace pelo::cli {

using Words = std::vector<std::string>;

int cmdDemo(const Words& w);
int cmdLire(const Words& w);
int cmdControle(const Words& w);
int cmdSynthese(const Words& w);
int cmdObjectifs(const Words& w);
int cmdRepartition(const Words& w);
int cmdVariabilite(const Words& w);
int cmdCollecte(const Words& w);
int cmdSynthesePays(const Words& w);
int cmdSelection(const Words& w);
int cmdEntonnoir(const Words& w);
int cmdAlertes(const Words& w);
int cmdEvolution(const Words& w);
int cmdExporter(const Words& w);
int cmdImporter(const Words& w);

}  // namespace pelo::cli
