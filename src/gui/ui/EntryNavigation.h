#pragma once
// The record menu and the entry pages: the sheets opened on the centre
// session's buffer, the pages reaching each other, the FIB chooser and the
// risk profile.

#include <cstdint>
#include <functional>

class QWidget;

namespace pelo {

// A new sheet, shown with the number it will get; its save tells `saved` the
// number it got.
struct NewSheet {
    int centre = 0;
    int number = 0;
    std::function<void(int)> saved;
};
// FIB `number` called up for correction, its page-1 checks run silently.
struct CalledUpSheet {
    int centre = 0;
    int number = 0;
};

class EntryNavigation {
public:
    virtual ~EntryNavigation() = default;

    // The record menu with the identification in effect, or as the practice file's ("  TEST").
    virtual void openRecordMenu() = 0;
    virtual void openPracticeRecordMenu() = 0;
    // Page 1 (modal) on the buffer, loaded with both pages.
    virtual void openSheet(const NewSheet& sheet) = 0;
    virtual void openSheet(const CalledUpSheet& sheet) = 0;
    // Page 2 over page 1 ("SUITE"), and the full runs of each page's checks,
    // silently (false when an entry is not a number).
    virtual void openPage2(QWidget* page1) = 0;
    virtual bool runPage1Checks() = 0;
    virtual bool runPage2Checks() = 0;
    // Calls FIB number CurrentFib up on the entry pages for correction (AppelFib of the record menu).
    virtual void callUpFib() = 0;
    // The chooser of a FIB number among `count` (modal); 0 when none was chosen.
    virtual std::uint16_t chooseFibNumber(std::uint16_t count) = 0;
    // The risk screen (modal) on the buffer, with the FIB number to show.
    virtual void showRiskProfile(int number) = 0;
};

}  // namespace pelo
