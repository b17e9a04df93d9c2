#pragma once
// The country synthesis: its title page and window, the two name dialogs (the
// proposed name in the edit; the name typed, empty when cancelled), the query
// dialog (true when validated; the criterion is the workspace's) and the
// groups' windows on the groups read from a folder.

#include <string>
#include <vector>

namespace pelo {
namespace pool {
struct GroupeRecord;
}

class CountryNavigation {
public:
    virtual ~CountryNavigation() = default;

    virtual void openTitle() = 0;
    virtual void openWindow() = 0;
    virtual std::string askPoolFileName(const std::string& proposed) = 0;
    virtual std::string askSubCollectionName(const std::string& proposed) = 0;
    virtual bool askQuery() = 0;
    virtual void openGroups(const std::string& folder, const std::vector<pool::GroupeRecord>& groups) = 0;
    virtual void openGroupSyntheses(const std::string& folder, const std::vector<pool::GroupeRecord>& groups) = 0;
};

}  // namespace pelo
