#include <gtest/gtest.h>

#include <filesystem>

#include "SynthesisTestSupport.h"
#include "TestSupport.h"
#include "ref/StoredSynthesis.h"
#include "ref/WorkFolder.h"

using namespace pelo;
using pelo::test::TempDir;

TEST(WorkFolder, PathsAndTheFolderShownWhetherChosenOrNot) {
    TempDir dir;
    const std::string here = std::filesystem::current_path().string();
    const ref::WorkFolder current;
    EXPECT_TRUE(current.isCurrent());
    EXPECT_EQ(current.pathOf("SynFr97.Atx"), "SynFr97.Atx");
    EXPECT_EQ(current.shown(), here);
    EXPECT_EQ(current.shownPathOf("SynFr97.Atx"), here + "/SynFr97.Atx");

    const ref::WorkFolder chosen("/srv/pays/");
    EXPECT_FALSE(chosen.isCurrent());
    EXPECT_EQ(chosen.pathOf("GROUPE.DAT"), "/srv/pays/GROUPE.DAT");
    EXPECT_EQ(chosen.shown(), "/srv/pays/");
    EXPECT_EQ(ref::WorkFolder("/srv/pays").shownPathOf("GROUPE.DAT"), "/srv/pays/GROUPE.DAT");
    // A relative folder is shown whole, without its "." and "..".
    EXPECT_EQ(ref::WorkFolder("./a/../pays/").shown(), here + "/pays");

    const IoError e{"SynVz98.Atx", "fichier introuvable"};
    EXPECT_EQ(current.errorText(e),
              "Erreur d'entrée/sortie sur SynVz98.Atx : fichier introuvable\nDossier de travail : " + here);
    EXPECT_EQ(chosen.errorText(e),
              "Erreur d'entrée/sortie sur SynVz98.Atx : fichier introuvable\nDossier de travail : /srv/pays/");
}

TEST(WorkFolder, StoredSynthesesAreReadInTheChosenFolderNotTheCurrentOne) {
    TempDir dir;
    std::filesystem::create_directory("pays");
    test::writeStoredSynthesis("pays/SynFr97.Atx", {{5, 40, 4}});
    test::writeStoredSynthesis("SynVz98.Atx", {{7, 10, 1}});
    const ref::WorkFolder pays((dir.path() / "pays").string());
    EXPECT_EQ(pays.storedSyntheses(), std::vector<std::string>{"SynFr97.Atx"});
    ref::StoredSynthesis s;
    ASSERT_FALSE(pays.openStored("SynFr97.Atx", s));
    EXPECT_EQ(s.index.totalFibs(), 40u);
    EXPECT_TRUE(pays.openStored("SynVz98.Atx", s));
    EXPECT_FALSE(ref::WorkFolder().openStored("SynVz98.Atx", s));
}
