#include <gtest/gtest.h>

#include <filesystem>

#include "../PoolTestSupport.h"
#include "../TestSupport.h"
#include "exchange/Backup.h"
#include "formats/SealedCopy.h"

namespace pelo {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;
using test::writeCentreFile;

// The tests derive keys at the library's minimum cost: the format is the same.
const seal::KdfLimits kFast = seal::minimumLimits();

seal::Secret phrase(const char* text) { return seal::Secret::fromText(text); }

std::vector<std::uint8_t> asBytes(const std::vector<unsigned char>& v) { return {v.begin(), v.end()}; }

std::string errorText(const IoStatus& e) { return e ? e->message() : std::string(); }

struct Coordinator {
    seal::PublicKey pub;
    seal::SecretKey key;
    explicit Coordinator(const std::string& folder) {
        std::filesystem::create_directories(folder);
        EXPECT_FALSE(seal::createKeyPair(folder, phrase("campagne 97"), kFast, &pub));
        EXPECT_FALSE(seal::openSecretKey(folder + "/coordination.cle", phrase("campagne 97"), key));
    }
};

TEST(SealKeys, PairOpenedWithItsPassphraseOnlyAndNeverReplaced) {
    TempDir dir;
    seal::PublicKey pub;
    ASSERT_TRUE(seal::createKeyPair("cle", phrase("x"), kFast, &pub)) << "missing folder is an error";
    std::filesystem::create_directory("cle");
    ASSERT_FALSE(seal::createKeyPair("cle", phrase("phrase du coordinateur"), kFast, &pub));
    const std::string fp = seal::fingerprint(pub);
    EXPECT_EQ(fp.size(), 19u);
    EXPECT_EQ(fp[4], '-');

    seal::PublicKey read;
    ASSERT_FALSE(seal::readPublicKey("cle/coordination.pub", read));
    EXPECT_EQ(read.bytes, pub.bytes);
    // A centre imports it into its own folder; a secret key is no public key.
    std::filesystem::create_directory("centre");
    seal::PublicKey imported;
    ASSERT_FALSE(seal::importPublicKey("cle/coordination.pub", "centre", imported));
    EXPECT_EQ(readBytes("centre/coordination.pub"), readBytes("cle/coordination.pub"));
    EXPECT_TRUE(seal::importPublicKey("cle/coordination.cle", "centre", imported));

    seal::SecretKey key;
    ASSERT_FALSE(seal::openSecretKey("cle/coordination.cle", phrase("phrase du coordinateur"), key));
    EXPECT_EQ(key.pub.bytes, pub.bytes);

    const auto wrong = seal::openSecretKey("cle/coordination.cle", phrase("phrase du coordinateuR"), key);
    EXPECT_NE(errorText(wrong).find("phrase secrète incorrecte"), std::string::npos) << errorText(wrong);

    const auto before = readBytes("cle/coordination.cle");
    const auto again = seal::createKeyPair("cle", phrase("autre"), kFast);
    EXPECT_NE(errorText(again).find("existe déjà"), std::string::npos) << errorText(again);
    EXPECT_EQ(readBytes("cle/coordination.cle"), before);

    // The secret key file refuses every altered byte.
    for (std::size_t i = 0; i < before.size(); ++i) {
        auto bytes = asBytes(before);
        bytes[i] ^= 0x01;
        seal::SecretKey k;
        EXPECT_TRUE(seal::parseSecretKey(bytes, "coordination.cle", phrase("phrase du coordinateur"), k))
            << "byte " << i;
    }
}

TEST(SealEnvelope, CoordinatorRoundTripByteForByteAndEveryFlippedByteRefused) {
    TempDir dir;
    Coordinator c("coord");
    writeCentreFile("FIB12.DAT", 12, 3);
    seal::SealedWritten w;
    ASSERT_TRUE(seal::sendToCoordinator("FIB12.DAT", c.pub, "envoi", &w)) << "missing folder";
    std::filesystem::create_directory("envoi");
    ASSERT_FALSE(seal::sendToCoordinator("FIB12.DAT", c.pub, "envoi", &w));
    EXPECT_EQ(w.path, "envoi/FIB12.DAT.chiffre");

    std::vector<std::uint8_t> content;
    seal::EnvelopeInfo info;
    ASSERT_FALSE(seal::openSealedFile(w.path, &c.key, nullptr, content, &info));
    EXPECT_EQ(content, asBytes(readBytes("FIB12.DAT")));
    EXPECT_EQ(info.centre, 12);
    EXPECT_EQ(info.fibs, 3);
    EXPECT_EQ(info.date, seal::today());
    EXPECT_EQ(info.recipient, seal::fingerprint(c.pub));

    const auto sealed = asBytes(readBytes(w.path));
    // The sheets' dates do not show through.
    const std::string plain(content.begin(), content.end());
    EXPECT_EQ(std::string(sealed.begin(), sealed.end()).find("03/04/1997"), std::string::npos);
    for (std::size_t i = 0; i < sealed.size(); ++i) {
        auto bytes = sealed;
        bytes[i] ^= 0x80;
        std::vector<std::uint8_t> out;
        EXPECT_TRUE(seal::openEnvelope(bytes, "FIB12.DAT.chiffre", &c.key, nullptr, out)) << "byte " << i;
        EXPECT_TRUE(out.empty());
    }
    // Cut anywhere, or lengthened.
    for (std::size_t n :
         {std::size_t(0), std::size_t(7), seal::kEnvelopeHeaderSize, sealed.size() - 17, sealed.size() - 1}) {
        std::vector<std::uint8_t> cut(sealed.begin(), sealed.begin() + std::ptrdiff_t(n)), out;
        EXPECT_TRUE(seal::openEnvelope(cut, "FIB12.DAT.chiffre", &c.key, nullptr, out)) << n;
    }
    auto longer = sealed;
    longer.push_back(0);
    std::vector<std::uint8_t> out;
    EXPECT_NE(errorText(seal::openEnvelope(longer, "F", &c.key, nullptr, out)).find("altéré"), std::string::npos);
    const auto cut = seal::openEnvelope({sealed.begin(), sealed.end() - 1}, "FIB12.DAT.chiffre", &c.key, nullptr, out);
    EXPECT_EQ(errorText(cut), "FIB12.DAT.chiffre : fichier tronqué.");

    // Another campaign's key, or a passphrase, does not open it.
    Coordinator other("autre");
    const auto wrong = seal::openEnvelope(sealed, "FIB12.DAT.chiffre", &other.key, nullptr, out);
    EXPECT_NE(errorText(wrong).find("autre clé de coordination"), std::string::npos) << errorText(wrong);
    const auto pass = phrase("x");
    EXPECT_TRUE(seal::openEnvelope(sealed, "FIB12.DAT.chiffre", nullptr, &pass, out));
}

TEST(SealEnvelope, LargeFileSpansChunksAndLosingTheLastChunkIsTruncation) {
    TempDir dir;
    Coordinator c("coord");
    writeCentreFile("FIB3.DAT", 3, 600);  // 149 kB: three chunks
    ASSERT_FALSE(seal::sendToCoordinator("FIB3.DAT", c.pub, ""));
    const auto sealed = asBytes(readBytes("FIB3.DAT.chiffre"));
    std::vector<std::uint8_t> out;
    ASSERT_FALSE(seal::openEnvelope(sealed, "FIB3.DAT.chiffre", &c.key, nullptr, out));
    EXPECT_EQ(out, asBytes(readBytes("FIB3.DAT")));
    const std::size_t twoChunks = seal::kEnvelopeHeaderSize + 2 * (seal::kChunkSize + 17);
    const auto e = seal::openEnvelope({sealed.begin(), sealed.begin() + std::ptrdiff_t(twoChunks)}, "FIB3.DAT.chiffre",
                                      &c.key, nullptr, out);
    EXPECT_EQ(errorText(e), "FIB3.DAT.chiffre : fichier tronqué.");
    EXPECT_TRUE(out.empty());
}

TEST(SealEnvelope, ContentMustBeAWholeRecordFile) {
    TempDir dir;
    Coordinator c("coord");
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> content(248 * 2, 0);
    content[4] = 5;  // five FIBs announced, one present
    EXPECT_TRUE(seal::sealForCoordinator(content, "01/01/2026", c.pub, "F", out));
    content[4] = 1;
    EXPECT_FALSE(seal::sealForCoordinator(content, "01/01/2026", c.pub, "F", out));
    content.push_back(0);
    EXPECT_TRUE(seal::sealForCoordinator(content, "01/01/2026", c.pub, "F", out));
}

TEST(SealPassphrase, RoundTripWrongPassphraseAndExistingFileRefusedWritingNothing) {
    TempDir dir;
    writeCentreFile("FIB7.DAT", 7, 4);
    const auto original = readBytes("FIB7.DAT");
    ASSERT_FALSE(seal::sealFileTo("FIB7.DAT", "FIB7.DAT.chiffre", phrase("clé USB"), kFast));

    const auto exists = seal::unsealFile("FIB7.DAT.chiffre", phrase("clé USB"), false);
    EXPECT_EQ(errorText(exists), "FIB7.DAT existe déjà : il n'est pas remplacé.");
    std::filesystem::remove("FIB7.DAT");
    const auto wrong = seal::unsealFile("FIB7.DAT.chiffre", phrase("clé usb"), false);
    EXPECT_EQ(errorText(wrong), "FIB7.DAT.chiffre : phrase secrète incorrecte.");
    EXPECT_FALSE(std::filesystem::exists("FIB7.DAT"));
    EXPECT_EQ(std::filesystem::directory_iterator(".")->path().filename(), "FIB7.DAT.chiffre");

    seal::SealedWritten w;
    ASSERT_FALSE(seal::unsealFile("FIB7.DAT.chiffre", phrase("clé USB"), false, &w));
    EXPECT_EQ(readBytes("FIB7.DAT"), original);
    EXPECT_EQ(w.centre, 7);
    EXPECT_EQ(w.fibs, 4);

    const auto sealed = asBytes(readBytes("FIB7.DAT.chiffre"));
    const auto pass = phrase("clé USB");
    for (std::size_t i = 0; i < sealed.size(); ++i) {
        auto bytes = sealed;
        bytes[i] ^= 0x04;
        std::vector<std::uint8_t> out;
        EXPECT_TRUE(seal::openEnvelope(bytes, "FIB7.DAT.chiffre", nullptr, &pass, out)) << "byte " << i;
    }
    EXPECT_TRUE(seal::unsealFile("FIB7.DAT", pass, true)) << "not a sealed name";
}

TEST(SealBackup, SealedBackupTakenBackByTheChangeOfCentre) {
    TempDir dir;
    writeCentreFile("FIB.DAT", 42, 5);
    const auto original = readBytes("FIB.DAT");
    std::filesystem::create_directory("usb");
    backup::BackupResult r;
    ASSERT_FALSE(backup::backupCentreSealed("FIB.DAT", "usb", phrase("usb"), kFast, r));
    EXPECT_EQ(r.centre, 42);
    EXPECT_FALSE(std::filesystem::exists("usb/FIB42.DAT"));
    EXPECT_EQ(readBytes("FIB42.DAT"), original);

    ASSERT_FALSE(backup::startNewCentre("FIB.DAT"));
    const auto empty = readBytes("FIB.DAT");
    CentreHeader h;
    EXPECT_TRUE(backup::takeBackSealed("usb/FIB42.DAT.chiffre", "FIB.DAT", phrase("USB"), &h));
    EXPECT_EQ(readBytes("FIB.DAT"), empty);
    ASSERT_FALSE(backup::takeBackSealed("usb/FIB42.DAT.chiffre", "FIB.DAT", phrase("usb"), &h));
    EXPECT_EQ(readBytes("FIB.DAT"), original);
    EXPECT_EQ(h.get(fld::NumCentre), 42);
}

}  // namespace
}  // namespace pelo
