#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "TestSupport.h"
#include "eval/Bands.h"
#include "formats/GroupFile.h"
#include "formats/PooledFile.h"
#include "formats/SynthesisFile.h"
#include "pool/PoolFiles.h"

using namespace pelo;
using namespace pelo::pool;

namespace {

// A centre FIB whose every byte says where it came from.
FibRecord patterned() {
    FibRecord r;
    for (std::size_t i = 0; i < kRecordSize; ++i) r.bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return r;
}

}  // namespace

TEST(PooledRecord, FieldsStandFourBytesFurtherFromAnNaissanceOn) {
    EXPECT_EQ(pfld::CodeFixe.offset, 0);
    EXPECT_EQ(pfld::NumCentre.offset, 4);
    EXPECT_EQ(pfld::NumFib.offset, 8);
    EXPECT_EQ(pfld::DateFib.offset, 12);
    EXPECT_EQ(pfld::Initiale.offset, 22);
    EXPECT_EQ(pfld::MoisNaissance.offset, 23);
    for (const FieldInfo& f : kFibFields) {
        const FieldInfo* p = nullptr;
        for (const FieldInfo& q : kPooledFields)
            if (std::string_view(q.name) == f.name) p = &q;
        ASSERT_NE(p, nullptr) << f.name;
        if (f.offset >= 20) {
            EXPECT_EQ(p->offset, f.offset + 4) << f.name;
            EXPECT_EQ(p->type, f.type) << f.name;
        }
        EXPECT_LE(p->offset + p->width, int(kPooledSize)) << f.name;
    }
    // The last field ends where the record's last pad begins.
    EXPECT_EQ(pfld::Reserve2.offset + 2, 250);
}

TEST(PooledRecord, WideningCopiesEveryByteButThePad) {
    FibRecord r = patterned();
    r.set(fld::CodeFixe, std::uint16_t(33));
    r.set(fld::NumCentre, std::uint16_t(65000));
    r.set(fld::NumFib, std::uint16_t(40000));
    const PooledFibRecord p = widen(r);
    EXPECT_EQ(p.get(pfld::CodeFixe), 33);
    EXPECT_EQ(p.get(pfld::NumCentre), 65000);  // zero-extended, not sign-extended
    EXPECT_EQ(p.get(pfld::NumFib), 40000);
    EXPECT_EQ(p.centre(), 65000);
    for (int i = 6; i < 18; ++i) EXPECT_EQ(p.bytes[i + 6], r.bytes[i]) << i;
    for (int i = 20; i < 248; ++i) EXPECT_EQ(p.bytes[i + 4], r.bytes[i]) << i;
    EXPECT_EQ(p.get(pfld::HbA1c), r.get(fld::HbA1c));
    EXPECT_EQ(p.get(pfld::EtatFiche), r.get(fld::EtatFiche));
}

TEST(PooledRecord, BandRulesReadThePooledFieldsAsTheCentreOnes) {
    FibRecord f = emptyFibFromHeader(headerTemplate(), "01/01/1997");
    f.set(fld::HbA1c, 12.0f);
    f.set(fld::Sexe, std::uint8_t(2));
    f.set(fld::AnNaissance, 1950);
    f.set(fld::TrtAutre, std::uint8_t(3));
    eval::BandParams p;
    p.year = 1997;
    eval::BandCounts a{}, b{};
    eval::countFib(eval::BandView::of(f), p, a);
    eval::countFib(eval::BandView(widen(f).centreFields()), p, b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(b[3], 1);    // Hb 10 à <12
    EXPECT_EQ(b[24], 1);   // Femme
    EXPECT_EQ(b[169], 1);  // Autre, avant
    EXPECT_EQ(b[170], 1);  // Autre, après
}

TEST(StoredSynthesisLayout, RecordsMapTheirBytes) {
    SynCounters c;
    c.counters[0] = 0x0102;
    c.counters[182] = 0x0304;
    c.NbFichesCentre = 0x05060708;
    const auto* b = reinterpret_cast<const std::uint8_t*>(&c);
    EXPECT_EQ(b[0], 0x02);
    EXPECT_EQ(b[1], 0x01);
    EXPECT_EQ(b[364], 0x04);
    EXPECT_EQ(b[365], 0x03);
    EXPECT_EQ(b[366], 0);
    EXPECT_EQ(b[367], 0);
    EXPECT_EQ(b[368], 0x08);
    EXPECT_EQ(b[371], 0x05);

    SynIndex ix;
    ix.entries[0] = 3;
    ix.entries[12] = 3;
    ix.entries[999] = 4;
    EXPECT_EQ(ix.centreRecords(), 3);
    EXPECT_EQ(ix.recordOf(12), 3);
    EXPECT_EQ(ix.recordOf(999), 0);  // the total is no centre's entry
    EXPECT_EQ(ix.recordOf(0), 0);
    EXPECT_EQ(ix.totalFibs(), 4);

    SynCounters sum;
    sum.counters[5] = 65535;
    SynCounters two;
    two.counters[5] = 2;
    sum.addCounters(two);
    EXPECT_EQ(sum.counters[5], 1);  // modulo 65536
}

TEST(GroupeRecordLayout, NameAndCentres) {
    GroupeRecord g;
    g.NumGroupe = 7;
    EXPECT_TRUE(g.setName("Hôpitaux"));
    EXPECT_EQ(g.name(), "Hôpitaux");
    EXPECT_EQ(static_cast<unsigned char>(g.NomGroupe[1]), 0xF4);  // Windows-1252
    EXPECT_EQ(g.NomGroupe[8], 0);
    EXPECT_TRUE(g.setName("DixLettres"));
    EXPECT_EQ(g.name(), "DixLettres");  // 10 characters, no terminator
    EXPECT_FALSE(g.setName("OnzeLettres"));
    EXPECT_EQ(g.name(), "DixLettres");

    EXPECT_TRUE(g.setCentres({3, 17}));
    EXPECT_EQ(g.centres(), (std::vector<std::uint16_t>{3, 17}));
    std::vector<std::uint16_t> full(506, 9);
    EXPECT_TRUE(g.setCentres(full));
    EXPECT_EQ(g.centres().size(), 506u);  // the list ends with the record
    EXPECT_FALSE(g.setCentres(std::vector<std::uint16_t>(507, 1)));
    const auto* b = reinterpret_cast<const std::uint8_t*>(&g);
    EXPECT_EQ(b[0], 7);
    EXPECT_EQ(b[12], 9);
    EXPECT_EQ(b[1023], 0);
}

TEST(StoredSynthesisNames, DerivedFromThePooledName) {
    auto n = synthesisNames("FibFr97.Dat");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->index, "SYNFr97.ATX");
    EXPECT_EQ(n->counters, "SYNFr97.BTX");
    EXPECT_EQ(synthesisNames("Fib.Dat")->index, "SYN.ATX");
    EXPECT_EQ(synthesisNames("FibFr97")->index, "SYNFr97.ATX");
    EXPECT_EQ(synthesisNames("FibHopital.dat")->counters, "SYNHopital.BTX");
    EXPECT_EQ(synthesisNames("Fib.a.b")->index, "SYN.a.ATX");
    EXPECT_FALSE(synthesisNames("Fib"));
    EXPECT_FALSE(synthesisNames(""));
    EXPECT_EQ(counterFileOf("SynFr97.Atx"), "SynFr97.Btx");
    EXPECT_EQ(counterFileOf("SYNFr97.ATX"), "SYNFr97.BTX");
}

TEST(StoredSynthesisFiles, ReadByRecordWithErrorsNamingTheFile) {
    test::TempDir dir;
    SynCounters a, b;
    a.counters[1] = 11;
    b.counters[1] = 22;
    b.NbFichesCentre = 5;
    std::vector<std::uint8_t> bytes(2 * sizeof(SynCounters));
    std::memcpy(bytes.data(), &a, sizeof a);
    std::memcpy(bytes.data() + sizeof a, &b, sizeof b);
    ASSERT_FALSE(replaceFile("", "SYNFr97.BTX", bytes.data(), bytes.size()));
    SynCounters got;
    ASSERT_FALSE(readSynCounters("", "SYNFr97.BTX", 1, got));
    EXPECT_EQ(got, b);
    auto e = readSynCounters("", "SYNFr97.BTX", 2, got);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(),
              "Erreur d'entrée/sortie sur SYNFr97.BTX : l'enregistrement 2 est au-delà de la fin du fichier");
    EXPECT_EQ(got, b);  // left as it was
    std::vector<SynCounters> all;
    ASSERT_FALSE(readAllSynCounters(dir.path().string(), "SYNFr97.BTX", all));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], a);

    test::writeBytes("COURT.ATX", std::vector<unsigned char>(1999, 0));
    SynIndex ix;
    e = readSynIndex("", "COURT.ATX", ix);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur COURT.ATX : fichier trop court, il ne contient pas d'en-tête");
    e = readSynIndex("", "ABSENT.ATX", ix);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->message(), "Erreur d'entrée/sortie sur ABSENT.ATX : fichier introuvable");
    test::writeBytes("LONG.BTX", std::vector<unsigned char>(373, 0));
    EXPECT_TRUE(readAllSynCounters("", "LONG.BTX", all));
    EXPECT_EQ(all.size(), 2u);
}

namespace {

std::vector<std::string> filesHere() {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(".")) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

// The writers of the national files: a finished file reads back as written; a
// writer dropped halfway leaves the old file as it was and no temporary.
TEST(FormatWriters, FinishedReadsBackDroppedLeavesTheOldFile) {
    test::TempDir dir;
    PooledHeader h = widen(headerTemplate());
    h.set(pfld::NumCentre, kPoolCentre);
    std::vector<PooledFibRecord> fibs;
    for (int c : {3, 3, 7}) {
        PooledFibRecord f = widen(emptyFibFromHeader(headerTemplate(), "01/01/1997"));
        f.set(pfld::NumCentre, c);
        fibs.push_back(f);
    }
    auto readCount = [] {
        PooledReader r;
        EXPECT_FALSE(r.open("", "FibFr97.Dat"));
        std::uint32_t n = 0;
        IoStatus err;
        while (r.next(&err)) ++n;
        EXPECT_FALSE(err);
        EXPECT_EQ(r.header().nbFiches(), n);
        return n;
    };
    {
        PooledWriter w;
        ASSERT_FALSE(w.create("", "FibFr97.Dat", h));
        ASSERT_FALSE(w.write(fibs.data(), fibs.size()));
        ASSERT_FALSE(w.finish(h));
    }
    EXPECT_EQ(readCount(), 3u);
    {
        PooledWriter w;
        ASSERT_FALSE(w.create("", "FibFr97.Dat", h));
        ASSERT_FALSE(w.write(fibs.data(), 1));
    }
    EXPECT_EQ(readCount(), 3u);

    const SynNames names = *synthesisNames("FibFr97.Dat");
    SynCounters total, centre;
    centre.counters[0] = 2;
    centre.NbFichesCentre = 2;
    centre.reserved = 3;
    total.counters[0] = 2;
    SynIndex index;
    index.entries[0] = 1;
    index.entries[3] = 1;
    index.entries[SynIndex::kTotalEntry] = 2;
    {
        SynthesisWriter w;
        ASSERT_FALSE(w.create("", names));
        ASSERT_FALSE(w.add(SynCounters{}));
        ASSERT_FALSE(w.add(centre));
        ASSERT_FALSE(w.finish(total, index));
    }
    SynIndex gotIndex;
    std::vector<SynCounters> got;
    ASSERT_FALSE(readSynthesisPair("", names.index, names.counters, gotIndex, got));
    EXPECT_EQ(gotIndex, index);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], total);
    EXPECT_EQ(got[1], centre);
    {
        SynthesisWriter w;
        ASSERT_FALSE(w.create("", names));
        ASSERT_FALSE(w.add(SynCounters{}));
    }
    ASSERT_FALSE(readSynthesisPair("", names.index, names.counters, gotIndex, got));
    EXPECT_EQ(got[1], centre);
    EXPECT_EQ(filesHere(), (std::vector<std::string>{"FibFr97.Dat", "SYNFr97.ATX", "SYNFr97.BTX"}));
}
