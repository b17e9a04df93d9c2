// The core's model of the date entry's mask against the entry itself.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <random>

#include "entry/EntryTable.h"

using namespace pelo;

TEST(DateMask, CoreModelShowsWhatTheEntryShows) {
    QLineEdit e;
    e.setInputMask(entry::kDateMask);
    e.setMaxLength(10);
    std::vector<std::string> texts{"8/1/2026",    "",           " 8/ 1/2026", "08/12/2026",     "ab/cd/efgh",
                                   "1",           "/",          "//",         "12345678901234", "8-1-2026",
                                   "  /  /    ",  "x8/1/26",    "2026",       "08/12/26  ",     "1 2/3",
                                   "08/12/2026x", "é8/12/2026", "08/1 /2026", "0812202612",     " / /",
                                   "9/9/9",       "€/€",        "12//2026",   "/12/2026",       "3/"};
    std::mt19937 gen(9);
    const std::string alphabet = "0123456789/ -x.";
    for (int n = 0; n < 400; ++n) {
        std::string t;
        const int len = int(gen() % 13);
        for (int i = 0; i < len; ++i) t += alphabet[gen() % alphabet.size()];
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        e.setText(QString::fromStdString(t));
        const std::string shown = entry::maskedDate(t);
        EXPECT_EQ(shown, e.displayText().toStdString()) << "[" << t << "]";
        EXPECT_EQ(entry::strippedDate(shown), e.text().toStdString()) << "[" << t << "]";
    }
}
