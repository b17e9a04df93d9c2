#pragma once
// The one way from a form to another, one small interface per subsystem: each
// request opens a screen or asks through a dialog, handing over what the
// screen needs and returning what the caller needs, so that no form depends on
// the screens it opens nor reads their widgets. Implemented where every form
// is known (app/Navigators.cpp); a form reaches it as nav().
//
//   centre()      main window, centre menu, identification, help and text pages
//   entry()       record menu, entry pages, FIB chooser, risk profile
//   evaluation()  evaluation menu and screens, reviews
//   country()     country synthesis and its dialogs
//   references()  stored syntheses, variability, comparison, alerts, reports

#include "ui/CentreNavigation.h"
#include "ui/CountryNavigation.h"
#include "ui/EntryNavigation.h"
#include "ui/EvaluationNavigation.h"
#include "ui/ReferenceNavigation.h"

namespace pelo {

class Navigation {
public:
    virtual ~Navigation() = default;
    virtual CentreNavigation& centre() = 0;
    virtual EntryNavigation& entry() = 0;
    virtual EvaluationNavigation& evaluation() = 0;
    virtual CountryNavigation& country() = 0;
    virtual ReferenceNavigation& references() = 0;
};

}  // namespace pelo
