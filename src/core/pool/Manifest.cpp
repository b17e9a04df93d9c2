#include "pool/Manifest.h"

#include <sodium.h>
#include <sys/stat.h>

#include <ctime>

#include "formats/Sink.h"
#include "pool/PoolFiles.h"
#include "store/Text.h"

namespace pelo::pool {

std::string sha256Hex(const void* data, std::size_t n) {
    static const bool ready = sodium_init() >= 0;
    (void)ready;
    unsigned char h[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(h, static_cast<const unsigned char*>(data), n);
    char hex[2 * crypto_hash_sha256_BYTES + 1];
    sodium_bin2hex(hex, sizeof hex, h, sizeof h);
    return hex;
}

namespace {
std::string fileDate(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    std::tm tm{};
    localtime_r(&st.st_mtime, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%d/%m/%Y %H:%M:%S", &tm);
    return buf;
}

std::string identity(const PooledFibRecord& r) {
    std::string k = std::to_string(r.centre()) + ":";
    k.append(reinterpret_cast<const char*>(r.bytes.data() + pfld::DateFib.offset), 12);
    k.append(reinterpret_cast<const char*>(r.bytes.data() + pfld::AnNaissance.offset), 5);
    return k;
}
}  // namespace

void Manifest::taken(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& bytes,
                     std::int32_t centre, const std::vector<PooledFibRecord>& fibs, const std::string& sealed) {
    const std::string remark =
        sealed.empty() ? std::string() : "reçu chiffré (" + sealed + ") : taille et SHA-256 du fichier ouvert";
    sources_.push_back(Source{name, fileDate(inFolder(folder, sealed.empty() ? name : sealed)),
                              sha256Hex(bytes.data(), bytes.size()), remark, centre, fibs.size(), bytes.size()});
    for (const PooledFibRecord& f : fibs) {
        const std::string where = name + ", fiche " + std::to_string(f.get(pfld::NumFib));
        auto [it, fresh] = seen_.emplace(identity(f), where);
        // The same patient's sheet twice in one centre's file is the centre's own business.
        if (!fresh && it->second.compare(0, name.size() + 1, name + ",") != 0)
            duplicates_.emplace_back(where, it->second);
    }
}

void Manifest::leftAside(const std::string& name, const std::string& why) { aside_.emplace_back(name, why); }

std::string Manifest::text() const {
    std::string out =
        "\xEF\xBB\xBF"
        "Fichier;Centre;Fiches;Octets;Date;SHA-256;Remarque\r\n";
    for (const Source& s : sources_)
        out += csvField(s.name) + ";" + std::to_string(s.centre) + ";" + std::to_string(s.fibs) + ";" +
               std::to_string(s.size) + ";" + s.date + ";" + s.sha256 + ";" + csvField(s.remark) + "\r\n";
    for (const auto& [name, why] : aside_)
        out += csvField(name) + ";;;;;;" + csvField("laissé de côté : " + why) + "\r\n";
    for (const auto& [where, first] : duplicates_)
        out += ";;;;;;" + csvField("fiche en double : " + where + " est aussi " + first) + "\r\n";
    return out;
}

std::string manifestName(const std::string& poolName) {
    const auto dot = poolName.find_last_of('.');
    return (dot == std::string::npos || dot == 0 ? poolName : poolName.substr(0, dot)) + "-manifeste.csv";
}

IoStatus writeManifest(const std::string& folder, const std::string& poolName, const Manifest& m) {
    const std::string name = manifestName(poolName);
    return formats::writeExport(inFolder(folder, name), name, m.text());
}

}  // namespace pelo::pool
