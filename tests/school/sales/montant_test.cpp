#include "school/sales/montant.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <limits>

namespace {

// The machine's language must change nothing: every case runs under the
// French, the C and the English locale.
class MontantSousLocale : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
};

// Prices are read by the one price rule whatever the machine's language:
// what is no price sums to nothing, never to the number it starts with.
TEST_P(MontantSousLocale, LitLesPrixParLaRegleDesPrix)
{
    const struct {
        const char* texte;
        montant::Somme centimes;
    } cas[] = {
        {"12,50", 1250}, {"12.5", 1250}, {"12", 1200}, {"", 0}, {"0", 0}, {",5", 50}, {"999999,99", montant::kPrixMax},
        {"000000000000000000012,50", 1250}, {"abc", std::nullopt}, {"7,5 €", std::nullopt},
        {"15,00 € TTC", std::nullopt}, {"-2,5", std::nullopt}, {"12,5,3", std::nullopt}, {"3,999", std::nullopt},
        {"1 234,56", std::nullopt}, {"1000000", std::nullopt}, {"99999999999999999999,99", std::nullopt},
    };
    for (const auto& c : cas)
        EXPECT_EQ(montant::centimes(QString::fromUtf8(c.texte)), c.centimes) << c.texte;
}

TEST_P(MontantSousLocale, LitLesQuantites)
{
    const struct {
        const char* texte;
        qint64 valeur;
    } cas[] = {{"2", 2}, {"", 0}, {" 1 0", 10}, {"3,7", 3}, {"abc", 0}, {"0", 0},
               {"999999999999", 999999999999}, {"-4", -4}};
    for (const auto& c : cas)
        EXPECT_EQ(montant::quantite(QString::fromUtf8(c.texte)), c.valeur) << c.texte;
    EXPECT_EQ(montant::quantite(QStringLiteral("99999999999999999999")), std::nullopt);
}

// Every group of three integer digits gets its blank, whatever the size.
TEST_P(MontantSousLocale, GroupeLesChiffresParTrois)
{
    const struct {
        qint64 euros;
        const char* chiffres;
    } cas[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1 000"},
        {999999, "999 999"},
        {1000000, "1 000 000"},
        {1234567890, "1 234 567 890"},
        {-1000, "-1 000"},
        {-1000000, "-1 000 000"},
        {-999, "-999"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(montant::chiffres(c.euros), QString::fromLatin1(c.chiffres)) << c.euros;
        EXPECT_EQ(montant::total(c.euros * 100), QString::fromLatin1(c.chiffres) + ",00") << c.euros;
    }
    EXPECT_EQ(montant::total(std::numeric_limits<qint64>::min()), QStringLiteral("-92 233 720 368 547 758,08"));
    EXPECT_EQ(montant::total(std::nullopt), QStringLiteral("incalculable"));
    EXPECT_EQ(montant::simple(std::nullopt), QStringLiteral("incalculable"));
    // The messages name the highest price as the totals write it.
    EXPECT_EQ(montant::total(montant::kPrixMax) + QStringLiteral(" €"), text::kPriceMaxText);
}

TEST_P(MontantSousLocale, EcritLesTotauxEtLesGains)
{
    const struct {
        qint64 centimes;
        const char* total;
        const char* simple;
    } cas[] = {
        {0, "0,00", "0"},           {5, "0,05", "0,05"},        {1250, "12,50", "12,5"},
        {2500, "25,00", "25"},      {99999, "999,99", "999,99"}, {100000, "1 000,00", "1000"},
        {123456789, "1 234 567,89", "1234567,89"}, {-1250, "-12,50", "-12,5"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(montant::total(c.centimes), QString::fromUtf8(c.total)) << c.centimes;
        EXPECT_EQ(montant::simple(c.centimes), QString::fromUtf8(c.simple)) << c.centimes;
    }
}

INSTANTIATE_TEST_SUITE_P(Langues, MontantSousLocale,
                         ::testing::Values(QLocale::French, QLocale::C, QLocale::English));

TEST(Montant, MilleLignesNeDeriventPas)
{
    montant::Somme somme = 0;
    for (int i = 0; i < 1000; ++i)
        somme = montant::plus(somme, montant::centimes(QStringLiteral("0,10")));
    EXPECT_EQ(montant::total(somme), QStringLiteral("100,00"));
}

// A product or a sum that leaves qint64 gives nothing, and nothing stays
// nothing: a total is never a number that wrapped round.
TEST(Montant, LeCalculVerifieNeBoucleJamais)
{
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    const montant::Somme rien;
    const struct {
        const char* calcul;
        montant::Somme resultat, attendu;
    } cas[] = {
        {"12,50 x 2", montant::fois(1250, 2), 2500},
        {"-3 x 4", montant::fois(-3, 4), -12},
        {"prix maximal x quantite maximale", montant::fois(montant::kPrixMax, montant::kQuantiteMax),
         999'899'990'001},
        {"prix absurde x quantite absurde", montant::fois(99'999'999'999'999'900, 999'999'999), rien},
        {"min x -1", montant::fois(kMin, -1), rien},
        {"rien x 0", montant::fois(rien, 0), rien},
        {"max + 0", montant::plus(kMax, 0), kMax},
        {"max + 1", montant::plus(kMax, 1), rien},
        {"min + -1", montant::plus(kMin, -1), rien},
        {"1 + rien", montant::plus(1, rien), rien},
        {"0 - min", montant::moins(0, kMin), rien},
        {"min - 1", montant::moins(kMin, 1), rien},
        {"5 - 8", montant::moins(5, 8), -3},
        {"rien - rien", montant::moins(rien, rien), rien},
    };
    for (const auto& c : cas)
        EXPECT_EQ(c.resultat, c.attendu) << c.calcul;
}

} // namespace
