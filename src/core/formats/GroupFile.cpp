#include "formats/GroupFile.h"

#include <cerrno>
#include <cstring>

#include "store/Text.h"

namespace pelo::pool {

std::string GroupeRecord::name() const {
    std::size_t n = 0;
    while (n < kNameSize && NomGroupe[n] != '\0') ++n;
    return cp1252ToUtf8(std::string_view(NomGroupe, n));
}

bool GroupeRecord::setName(std::string_view utf8) {
    const std::string raw = utf8ToCp1252(utf8);
    if (raw.size() > kNameSize) return false;
    std::memset(NomGroupe, 0, kNameSize);
    std::memcpy(NomGroupe, raw.data(), raw.size());
    return true;
}

std::vector<std::uint16_t> GroupeRecord::centres() const {
    std::vector<std::uint16_t> out;
    for (std::uint16_t c : CentresGroupe) {
        if (c == 0) break;
        out.push_back(c);
    }
    return out;
}

bool GroupeRecord::setCentres(const std::vector<std::uint16_t>& c) {
    if (c.size() > kMaxCentres) return false;
    std::memset(CentresGroupe, 0, sizeof CentresGroupe);
    for (std::size_t i = 0; i < c.size(); ++i) CentresGroupe[i] = c[i];
    return true;
}

IoStatus readGroups(const std::string& folder, std::vector<GroupeRecord>& out, bool createIfMissing) {
    std::vector<std::uint8_t> bytes;
    if (auto e = recordio::readWhole(recordio::inFolder(folder, kGroupFile), kGroupFile, bytes, kMaxGroupBytes)) {
        if (!createIfMissing || e->cause != ioCause(ENOENT)) return e;
        if (auto c = recordio::replaceWhole(recordio::inFolder(folder, kGroupFile), kGroupFile, nullptr, 0)) return c;
        out.clear();
        return {};
    }
    if (bytes.size() % sizeof(GroupeRecord) != 0)
        return IoError{kGroupFile, "taille de fichier incorrecte (" + std::to_string(bytes.size()) +
                                       " octets, pas un multiple de 1024)"};
    std::vector<GroupeRecord> groups(bytes.size() / sizeof(GroupeRecord));
    if (!bytes.empty()) std::memcpy(groups.data(), bytes.data(), bytes.size());
    out = std::move(groups);
    return {};
}

IoStatus writeGroups(const std::string& folder, const std::vector<GroupeRecord>& groups) {
    return recordio::replaceWhole(recordio::inFolder(folder, kGroupFile), kGroupFile, groups.data(),
                                  groups.size() * sizeof(GroupeRecord));
}

}  // namespace pelo::pool
