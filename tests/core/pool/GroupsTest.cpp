#include <gtest/gtest.h>

#include "PoolTestSupport.h"
#include "pool/Groups.h"
#include "pool/PoolFiles.h"

using namespace pelo;
using namespace pelo::pool;
using namespace pelo::test;

namespace {

GroupeRecord group(std::uint16_t n, const char* name, std::vector<std::uint16_t> centres) {
    GroupeRecord g;
    g.NumGroupe = n;
    g.setName(name);
    g.setCentres(centres);
    return g;
}

std::string refusal(const std::vector<GroupRow>& rows) {
    auto r = groupsFromRows(rows);
    auto* m = std::get_if<std::string>(&r);
    return m ? *m : std::string("accepté");
}

}  // namespace

TEST(Groups, RowsShowNumberNameAndCentres) {
    EXPECT_EQ(centresText(group(1, "A", {3, 17})), "3,17;");
    EXPECT_EQ(centresText(group(1, "A", {})), ";");
    GroupeRecord g = group(1, "A", {1, 2, 34});
    g.CentresGroupe[3] = 0;
    g.CentresGroupe[4] = 8;  // after the first 0: not part of the list
    const GroupRow row = rowOf(g);
    EXPECT_EQ(row.numero, "1");
    EXPECT_EQ(row.nom, "A");
    EXPECT_EQ(row.centres, "1,2,34;");
}

TEST(Groups, FileCreatedEmptyReadAndReplacedWhole) {
    TempDir dir;
    std::vector<GroupeRecord> gs;
    EXPECT_TRUE(readGroups("", gs, false));  // absent, not created
    ASSERT_FALSE(readGroups("", gs, true));
    EXPECT_TRUE(gs.empty());
    EXPECT_EQ(readBytes("GROUPE.DAT").size(), 0u);
    ASSERT_FALSE(writeGroups("", {group(4, "Nord", {1, 2}), group(9, "Sud", {})}));
    EXPECT_EQ(readBytes("GROUPE.DAT").size(), 2048u);
    ASSERT_FALSE(readGroups("", gs, true));
    ASSERT_EQ(gs.size(), 2u);
    EXPECT_EQ(gs[0].name(), "Nord");
    EXPECT_EQ(gs[1].NumGroupe, 9);
    writeBytes("GROUPE.DAT", std::vector<unsigned char>(1000, 0));
    auto e = readGroups("", gs, true);
    ASSERT_TRUE(e);
    EXPECT_EQ(
        e->message(),
        "Erreur d'entrée/sortie sur GROUPE.DAT : taille de fichier incorrecte (1000 octets, pas un multiple de 1024)");
}

TEST(Groups, GridChecks) {
    auto ok = groupsFromRows({{"12", "Hôpitaux", "1,2,34;"}, {"", "", ""}, {" 3 ", "Ville", " 5 , 6 "}, {"", "", ";"}});
    auto* gs = std::get_if<std::vector<GroupeRecord>>(&ok);
    ASSERT_TRUE(gs);
    ASSERT_EQ(gs->size(), 2u);
    EXPECT_EQ((*gs)[0].centres(), (std::vector<std::uint16_t>{1, 2, 34}));
    EXPECT_EQ((*gs)[0].name(), "Hôpitaux");
    EXPECT_EQ((*gs)[1].NumGroupe, 3);
    EXPECT_EQ((*gs)[1].centres(), (std::vector<std::uint16_t>{5, 6}));

    EXPECT_EQ(refusal({{"0", "A", "1;"}}), "Ligne 1 : numéro de groupe incorrect (1 à 65535)");
    EXPECT_EQ(refusal({{"65536", "A", "1;"}}), "Ligne 1 : numéro de groupe incorrect (1 à 65535)");
    EXPECT_EQ(refusal({{"x", "A", "1;"}}), "Ligne 1 : numéro de groupe incorrect (1 à 65535)");
    EXPECT_EQ(refusal({{"65535", "A", "1;"}}), "accepté");
    EXPECT_EQ(refusal({{"5", "A", "1;"}, {"5", "B", "2;"}}), "Ligne 2 : le numéro de groupe 5 est déjà utilisé");
    EXPECT_EQ(refusal({{"5", "Éèàùçôîêâë", ";"}}), "accepté");  // 10 accented characters fit
    EXPECT_EQ(refusal({{"5", "OnzeLettres", ";"}}), "Ligne 1 : nom du groupe trop long (10 caractères au plus)");
    EXPECT_EQ(refusal({{"5", "A", "1,,2;"}}), "Ligne 1 : liste de centres incorrecte : « 1,,2; » (Ex: 1,2,34;)");
    EXPECT_EQ(refusal({{"5", "A", "1;2"}}), "Ligne 1 : liste de centres incorrecte : « 1;2 » (Ex: 1,2,34;)");
    EXPECT_EQ(refusal({{"5", "A", "10000"}}), "Ligne 1 : numéro de centre incorrect : 10000 (1 à 9999)");
    EXPECT_EQ(refusal({{"5", "A", "0"}}), "Ligne 1 : numéro de centre incorrect : 0 (1 à 9999)");
    EXPECT_EQ(refusal({{"5", "A", "4,7,4;"}}), "Ligne 1 : le centre 4 figure deux fois");
    std::string many;
    for (int c = 1; c <= 507; ++c) many += std::to_string(c) + ",";
    EXPECT_EQ(refusal({{"5", "A", many.substr(0, many.size() - 1)}}), "Ligne 1 : plus de 506 centres");
    std::string most = many.substr(0, many.find(",507"));
    EXPECT_EQ(refusal({{"5", "A", most + ";"}}), "accepté");
}

TEST(Groups, PartialSynthesisSumsTheGroupsCentres) {
    TempDir dir;
    SynIndex ix;
    ix.entries[0] = 3;
    ix.entries[4] = 1;
    ix.entries[9] = 3;
    ix.entries[12] = 2;
    ix.entries[999] = 70;
    std::vector<SynCounters> recs(4);
    recs[0].counters[0] = 18;
    recs[1].counters[0] = 10;
    recs[1].NbFichesCentre = 20;
    recs[2].counters[0] = 5;
    recs[2].NbFichesCentre = 30;
    recs[3].counters[0] = 3;
    recs[3].NbFichesCentre = 20;
    ASSERT_FALSE(replaceFile("", "SynFr97.Atx", &ix, sizeof ix));
    ASSERT_FALSE(replaceFile("", "SynFr97.Btx", recs.data(), recs.size() * sizeof(SynCounters)));
    GroupSynthesis g;
    ASSERT_FALSE(groupSynthesis("", "SynFr97.Atx", group(1, "A", {4, 9, 500}), g));
    EXPECT_EQ(g.countryFibs, 70u);
    EXPECT_EQ(g.country.counters[0], 18);
    EXPECT_EQ(g.groupFibs, 40u);
    EXPECT_EQ(g.group.counters[0], 13);
    EXPECT_EQ(g.found, (std::vector<std::uint16_t>{4, 9}));
    EXPECT_EQ(g.missing, (std::vector<std::uint16_t>{500}));
    ASSERT_FALSE(groupSynthesis("", "SynFr97.Atx", group(2, "B", {12, 4}), g));
    EXPECT_EQ(g.group.counters[0], 15);
    EXPECT_EQ(g.groupFibs, 50u);

    ix.entries[4] = 7;  // beyond the counter file
    ASSERT_FALSE(replaceFile("", "SynFr97.Atx", &ix, sizeof ix));
    auto e = groupSynthesis("", "SynFr97.Atx", group(1, "A", {4}), g);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Erreur d'entrée/sortie sur SynFr97.Atx / SynFr97.Btx : synthèse incohérente (le centre 4 renvoie à "
              "un enregistrement absent)");
}
