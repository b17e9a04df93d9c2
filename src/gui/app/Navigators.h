#pragma once
// The navigation of the program: each subsystem's requests carried out on the
// forms created at start-up, through the adapter (modal showing).

#include <memory>

#include "ui/Navigation.h"

namespace pelo {

class Forms;
namespace ui {
class Adapter;
}

class FormNavigation final : public Navigation {
public:
    FormNavigation(ui::Adapter& ui, Forms& forms);
    ~FormNavigation() override;
    FormNavigation(const FormNavigation&) = delete;
    FormNavigation& operator=(const FormNavigation&) = delete;

    CentreNavigation& centre() override;
    EntryNavigation& entry() override;
    EvaluationNavigation& evaluation() override;
    CountryNavigation& country() override;
    ReferenceNavigation& references() override;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace pelo
