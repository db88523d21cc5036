#include "school/sales/montant.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

// The machine's language must change nothing: every case runs under the
// French, the C and the English locale.
class MontantSousLocale : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
};

TEST_P(MontantSousLocale, LitLesPrixEnCentimes)
{
    const struct {
        const char* texte;
        qint64 centimes;
    } cas[] = {
        {"12,50", 1250}, {"12.5", 1250}, {"12", 1200}, {"", 0}, {"abc", 0}, {"0", 0},
        {" 1 234,56 ", 123456}, {"3,999", 400}, {"3,994", 399}, {"7,5 €", 750}, {"15,00 € TTC", 1500},
        {"-2,5", -250}, {",5", 50}, {"12,5,3", 1250}, {"x12", 0},
    };
    for (const auto& c : cas)
        EXPECT_EQ(montant::centimes(QString::fromUtf8(c.texte)), c.centimes) << c.texte;
}

TEST_P(MontantSousLocale, LitLesQuantites)
{
    const struct {
        const char* texte;
        qint64 valeur;
    } cas[] = {{"2", 2}, {"", 0}, {" 1 0", 10}, {"3,7", 3}, {"abc", 0}, {"0", 0}};
    for (const auto& c : cas)
        EXPECT_EQ(montant::quantite(QString::fromUtf8(c.texte)), c.valeur) << c.texte;
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
        {123456789, "1234 567,89", "1234567,89"}, {-1250, "-12,50", "-12,5"},
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
    qint64 somme = 0;
    for (int i = 0; i < 1000; ++i)
        somme += montant::centimes(QStringLiteral("0,10"));
    EXPECT_EQ(montant::total(somme), QStringLiteral("100,00"));
}

} // namespace
