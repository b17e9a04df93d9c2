#pragma once
// From the main window and the centre menu: the centre's screens, its
// identification dialogs (each returns the choice made, nothing when none was)
// and the help and text pages.

#include <array>
#include <cstdint>
#include <optional>

namespace pelo {

class CentreNavigation {
public:
    virtual ~CentreNavigation() = default;

    virtual void openCentreMenu() = 0;
    // "À propos" (version, licence, where the files are).
    virtual void openAbout() = 0;
    virtual void openBackup() = 0;
    virtual void openNews() = 0;
    // Text page 3 to 7 (TTTexte3 ... TTTexte7), shown without blocking. Other numbers open nothing.
    virtual void openTextPage(int page) = 0;
    // Help page of a section of the FIB, modal: 1 to 8 for entry page 1, 10 to
    // 14 for entry page 2 (TTAide1 ... TTAide14). Other numbers open nothing.
    virtual void openHelp(int page) = 0;

    // The region, a department among those of the region given, the structure
    // and the centre number; a dialog left without a choice gives nothing.
    virtual std::optional<std::uint16_t> askRegion() = 0;
    virtual std::optional<std::uint16_t> askDepartment(int regionCode) = 0;
    virtual std::optional<std::uint16_t> askStructure() = 0;
    virtual std::optional<std::uint16_t> askCentreNumber() = 0;
    // What is still missing of the centre's identification, asked and written
    // into the header of the current file as "SAISIE" does; true unless a file
    // error stopped it.
    virtual bool identifyCentre() = 0;
    // The units grid of a centre, starting from the codes given: the codes in
    // effect when it closes.
    virtual std::array<std::uint16_t, 7> askUnits(std::uint16_t centreNumber,
                                                  const std::array<std::uint16_t, 7>& codes) = 0;
};

}  // namespace pelo
