#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../PoolTestSupport.h"
#include "../TestSupport.h"
#include "formats/SealedCopy.h"
#include "pool/Collection.h"
#include "pool/SealedSources.h"

namespace pelo {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;
using test::writeCentreFile;

std::string errorText(const IoStatus& e) { return e ? e->message() : std::string(); }

struct Coordinator {
    seal::PublicKey pub;
    seal::SecretKey key;
    Coordinator() {
        std::filesystem::create_directories("coord");
        const auto pass = seal::Secret::fromText("campagne");
        EXPECT_FALSE(seal::createKeyPair("coord", pass, seal::minimumLimits(), &pub));
        EXPECT_FALSE(seal::openSecretKey("coord/coordination.cle", pass, key));
    }
};

TEST(SealCollection, SealedSourcesOpenedInMemoryAndRefusedWhenWrong) {
    TempDir dir;
    Coordinator c;
    writeCentreFile("FIB1.DAT", 1, 2);
    writeCentreFile("FIB2.DAT", 2, 3);
    pool::CollectionResult plain;
    ASSERT_FALSE(pool::collect("", "Plain.Dat", plain));
    ASSERT_FALSE(seal::sendToCoordinator("FIB2.DAT", c.pub, ""));

    // Present both plain and sealed.
    pool::CollectionResult r;
    auto e = pool::collect("", "Pool.Dat", r, {}, pool::sealedSources(&c.key));
    EXPECT_NE(errorText(e).find("présent deux fois"), std::string::npos) << errorText(e);
    EXPECT_FALSE(std::filesystem::exists("Pool.Dat"));

    std::filesystem::remove("FIB2.DAT");
    EXPECT_TRUE(pool::hasSealedSources("."));
    e = pool::collect("", "Pool.Dat", r, {}, pool::sealedSources(nullptr));
    EXPECT_NE(errorText(e).find("clé de coordination"), std::string::npos) << errorText(e);

    ASSERT_FALSE(pool::collect("", "Pool.Dat", r, {}, pool::sealedSources(&c.key)));
    EXPECT_EQ(readBytes("Pool.Dat"), readBytes("Plain.Dat"));
    EXPECT_EQ(r.sealed, std::vector<std::string>{"FIB2.DAT"});
    EXPECT_EQ(pool::collectionMessage(r), "2 centres, 5 fiches");
    // The key's folder, FIB1.DAT, FIB2.DAT.chiffre, both pooled files and their manifests.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 7) << "no plain copy left behind";
    std::ifstream manifest("Pool-manifeste.csv");
    const std::string text{std::istreambuf_iterator<char>(manifest), {}};
    EXPECT_NE(text.find("reçu chiffré (FIB2.DAT.chiffre)"), std::string::npos) << text;

    auto bytes = readBytes("FIB2.DAT.chiffre");
    bytes[bytes.size() / 2] ^= 1;
    writeBytes("FIB2.DAT.chiffre", bytes);
    e = pool::collect("", "Pool2.Dat", r, {}, pool::sealedSources(&c.key));
    EXPECT_EQ(errorText(e),
              "Collection impossible : FIB2.DAT.chiffre : fichier altéré : son contenu ne correspond plus à ce qui a "
              "été chiffré.");
    EXPECT_FALSE(std::filesystem::exists("Pool2.Dat"));
}

}  // namespace
}  // namespace pelo
